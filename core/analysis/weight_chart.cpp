#include "analysis/weight_chart.h"

#include <algorithm>
#include <cmath>

#include "data/rounding.h"

namespace lumera {

namespace {

// Distance below the bottom edge where far-off values are held, so the
// conversion to a pixel row cannot overflow; everything there is outside.
constexpr double kFarBelow = 1 << 20;

// The row of a value's top, H - round(scale x v) - 1 with scale = span / peak.
// A peak so small that the scale overflows (a subnormal one) is measured as
// the value's share of the peak instead, which draws the same chart, where
// the product would give infinities and, for a zero, no number at all.
int TopRow(int height, double span, double peak, double value)
{
    const double scale = span / peak;
    const double scaled = std::isfinite(scale) ? scale * value : span * (value / peak);
    return height - Round(std::max(scaled, -kFarBelow)) - 1;
}

}  // namespace

double PositivePeak(const SpectralVector& f)
{
    double peak = 0.0;
    for (const double v : f)
        if (v > peak) peak = v;
    return peak;
}

bool DrawWeightBars(Bitmap& picture, const SpectralVector& f, int left, BgrColour colour)
{
    const double peak = PositivePeak(f);
    if (peak <= 0.0) return false;
    const int height = picture.Height();
    for (std::size_t i = 0; i < f.size(); ++i) {
        const int x = 10 * int(i) + left;
        FillRect(picture, x, TopRow(height, height - 11, peak, f[i]), x + 3, height, colour);
    }
    return true;
}

bool DrawReferenceLine(Bitmap& picture, const SpectralVector& r)
{
    const double peak = PositivePeak(r);
    if (peak <= 0.0) return false;
    const int height = picture.Height();
    // A pen two pixels wide: the line stamped with a 2 x 2 square.
    for (const TPoint shift : {TPoint{0, 0}, TPoint{1, 0}, TPoint{0, 1}, TPoint{1, 1}}) {
        std::vector<TPoint> points;
        for (std::size_t i = 0; i < r.size(); ++i)
            points.push_back({10 * int(i) + 5 + shift.X, TopRow(height, height - 2, peak, r[i]) + shift.Y});
        DrawPolyline(picture, points, kReferenceLineColour);
    }
    return true;
}

void ClearWeightChart(Bitmap& picture)
{
    FillRect(picture, 1, 1, picture.Width(), picture.Height(), kWhite);
}

}  // namespace lumera
