#include "spectral/analysis_picture.h"

#include <cmath>
#include <cstddef>

#include "data/rounding.h"

namespace lumera {

void SetDisplayBounds(AnalysisFigures& figures, int p1, int p2, bool absolute, double absoluteDivisor)
{
    if (absolute) {
        figures.Lower = p1 / absoluteDivisor;
        figures.Upper = p2 / absoluteDivisor;
        return;
    }
    const double range = figures.Max - figures.Min;
    figures.Lower = figures.Min + range * p1 / 100;
    figures.Upper = figures.Min + range * p2 / 100;
}

LevelScale::LevelScale(double lower, double upper)
    : lower_(lower), upper_(upper), scale_(255 / (upper - lower)), degenerate_(!std::isfinite(scale_))
{
}

uint8_t LevelScale::Level(double v) const
{
    if (degenerate_) return v > upper_ ? 255 : 0;
    if (v < lower_) return 0;
    if (v > upper_) return 255;
    return RoundToByte((v - lower_) * scale_);
}

Bitmap PaintGreen(const std::vector<double>& grid, int width, int height, double lower, double upper)
{
    const LevelScale scale(lower, upper);
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* line = picture.ScanLine(y);
        const double* values = grid.data() + std::size_t(y) * width;
        for (int x = 0; x < width; ++x) line[3 * x + 1] = scale.Level(values[x]);
    }
    return picture;
}

}  // namespace lumera
