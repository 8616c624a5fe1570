#pragma once
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "data/cube.h"
#include "enhance/colour_stretch.h"
#include "imaging/bitmap.h"
#include "recording_reporter.h"
#include "analysis/analysis_picture.h"
#include "analysis/masking.h"
#include "analysis/band_vector.h"

// The plain definitions the fast routines are checked against, and measured
// against in the benchmarks: one pixel at a time, every value made in the
// order of operations the program defines, rounding with std::nearbyint.
namespace lumera::testing::plain {

inline uint8_t RoundToByte(double v)
{
    const double r = std::nearbyint(v);
    if (!(r > 0.0)) return 0;
    if (r > 255.0) return 255;
    return static_cast<uint8_t>(r);
}

// The level of v between the display bounds: 0 below, 255 above, scaled and
// rounded between; bounds without a finite scale paint only what lies above.
inline uint8_t Level(double v, double lower, double upper)
{
    const double scale = 255 / (upper - lower);
    if (!std::isfinite(scale)) return v > upper ? 255 : 0;
    if (v < lower) return 0;
    if (v > upper) return 255;
    return RoundToByte((v - lower) * scale);
}

inline double BandMean(const TData& cube, int first, int last, int x, int y)
{
    double sum = 0.0;
    for (int band = first; band <= last; ++band) sum += cube.At(band - 1, y, x);
    return sum / (last - first + 1);
}

// The grid painted green (grey: all three bytes) between the bounds.
inline Bitmap Paint(const std::vector<double>& grid, int width, int height, double lower, double upper, bool grey)
{
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            px[1] = Level(grid[std::size_t(y) * width + x], lower, upper);
            if (grey) px[0] = px[2] = px[1];
        }
    return picture;
}

struct Analysis {
    std::vector<double> Grid;
    AnalysisFigures Figures;
    Bitmap Picture;
};

// NDVI: column by column, within a column row by row.
inline Analysis Ndvi(const TData& cube, const NdviSettings& s)
{
    Analysis a{std::vector<double>(cube.PlaneSize(), 0.0), {}, {}};
    double minimum = 1000000, maximum = -1000000;
    for (int x = 0; x < cube.NColumns; ++x)
        for (int y = 0; y < cube.NRows; ++y) {
            const double red = BandMean(cube, s.RedFirst, s.RedLast, x, y);
            const double nir = BandMean(cube, s.NirFirst, s.NirLast, x, y);
            if ((red <= 0 && nir <= 0) || nir + red == 0) continue;
            const double index = (nir - red) / (nir + red);
            a.Grid[std::size_t(y) * cube.NColumns + x] = index;
            if (index < minimum) minimum = index;
            if (index > maximum) maximum = index;
        }
    a.Figures = DisplayFigures(minimum, maximum, {s.P1, s.P2, s.Absolute, 100});
    a.Picture = Paint(a.Grid, cube.NColumns, cube.NRows, a.Figures.Lower, a.Figures.Upper, false);
    return a;
}

// The needle measure of every pixel: band integrals of the spectrum (bands 2
// to 65) times the weight, divided by that of the spectrum times the divisor.
inline std::vector<double> NeedleMeasure(const TData& cube, const SpectralVector& axis, const SpectralVector& weight,
                                         const SpectralVector* divisor)
{
    RecordingReporter r;
    std::vector<double> measure;
    for (int y = 0; y < cube.NRows; ++y)
        for (int x = 0; x < cube.NColumns; ++x) {
            SpectralVector s(kSpectralBands);
            for (int i = 0; i < kSpectralBands; ++i) s[i] = cube.At(i + 1, y, x);
            const double top = BandIntegral(Multiply(s, weight, r), axis, r);
            const double bottom = divisor ? BandIntegral(Multiply(s, *divisor, r), axis, r) : 1.0;
            measure.push_back(!divisor ? top : bottom > 0 ? top / bottom : 0.0);
        }
    return measure;
}

// The mask from the two analyses' pictures: the shares of their green
// weights, times the brightness, and its grey picture.
inline Analysis Mask(const TData& cube, const Bitmap& ndvi, const Bitmap& needle, const MaskSettings& s, int first,
                     int last)
{
    Analysis a;
    double minimum = 1000000, maximum = 0;
    for (int y = 0; y < cube.NRows; ++y)
        for (int x = 0; x < cube.NColumns; ++x) {
            double mask = 0.0;
            mask = mask + s.IndexShare / 100.0 * GreenWeight(ndvi.ScanLine(y)[3 * x + 1]);
            mask = mask + s.SpectraShare / 100.0 * GreenWeight(needle.ScanLine(y)[3 * x + 1]);
            mask = mask * BandMean(cube, first, last, x, y);
            a.Grid.push_back(mask);
            if (mask < minimum) minimum = mask;
            if (mask > maximum) maximum = mask;
        }
    a.Figures = {minimum, maximum, minimum, maximum};
    a.Picture = Paint(a.Grid, cube.NColumns, cube.NRows, minimum, maximum, true);
    return a;
}

// True colour before the stretch: bands 6-8, 18-20 and 34-36 averaged, each
// channel scaled so that its largest average becomes 255.
inline Bitmap ChannelComposite(const TData& cube)
{
    constexpr int kFirst[3] = {5, 17, 33};
    std::vector<double> average(3 * cube.PlaneSize());
    double largest[3] = {0.0, 0.0, 0.0};
    for (int y = 0; y < cube.NRows; ++y)
        for (int x = 0; x < cube.NColumns; ++x)
            for (int c = 0; c < 3; ++c) {
                const int b = kFirst[c];
                const double a = (cube.At(b, y, x) + cube.At(b + 1, y, x) + cube.At(b + 2, y, x)) / 3.0;
                average[3 * (std::size_t(y) * cube.NColumns + x) + c] = a;
                if (a > largest[c]) largest[c] = a;
            }
    Bitmap picture(cube.NColumns, cube.NRows);
    for (int y = 0; y < cube.NRows; ++y)
        for (int x = 0; x < cube.NColumns; ++x)
            for (int c = 0; c < 3; ++c) {
                const double scale = largest[c] > 0 ? 255.0 / largest[c] : 1.0;
                picture.ScanLine(y)[3 * x + c] = RoundToByte(average[3 * (std::size_t(y) * cube.NColumns + x) + c] * scale);
            }
    return picture;
}

inline std::array<uint8_t, 3> SetBrightness(uint8_t red, uint8_t green, uint8_t blue, double target)
{
    const int s = red + green + blue;
    if (s == 0) return {RoundToByte(target), RoundToByte(target), RoundToByte(target)};
    if (target == 0) return {0, 0, 0};
    const double t = 3 * target, k = t / s;
    const double r = red * k, g = green * k, b = blue * k;
    double m = r;
    if (g > m) m = g;
    if (b > m) m = b;
    if (m - 1e-07 <= 255) return {RoundToByte(r), RoundToByte(g), RoundToByte(b)};
    const double q = (t - 765) / (r + g + b - 3 * m);
    if (q == 0) return {255, 255, 255};
    const double d = (255 - q * m) / q;
    return {RoundToByte((r + d) * q), RoundToByte((g + d) * q), RoundToByte((b + d) * q)};
}

// The stretch of the true-colour picture, pixel by pixel.
inline Bitmap EnhanceColours(Bitmap picture)
{
    const auto level = [](const uint8_t* px) { return int(std::nearbyint((px[0] + px[1] + px[2]) / 3.0)); };
    THistogram histogram{};
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) ++histogram[std::size_t(level(picture.ScanLine(y) + 3 * x))];
    const TClipLevels clip = ClipLevels(histogram, 0.01, 0.1);
    if (clip.Lo == clip.Hi) return picture;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            const auto [r, g, b] = SetBrightness(px[2], px[1], px[0], StretchLevel(level(px), clip.Lo, clip.Hi));
            px[0] = b;
            px[1] = g;
            px[2] = r;
        }
    return picture;
}

}  // namespace lumera::testing::plain

namespace lumera::testing {

// Whether two arrays of doubles hold the same bytes (0 and -0 differ, NaN equals NaN).
inline bool SameBytes(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::bit_cast<uint64_t>(a[i]) != std::bit_cast<uint64_t>(b[i])) return false;
    return true;
}

}  // namespace lumera::testing
