#include "analysis/analysis_picture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace lumera {

AnalysisFigures DisplayFigures(double min, double max, const DisplayParameters& display)
{
    AnalysisFigures figures{min, max, 0.0, 0.0};
    if (display.Absolute) {
        figures.Lower = display.P1 / display.AbsoluteScale;
        figures.Upper = display.P2 / display.AbsoluteScale;
    } else {
        figures.Lower = min + (max - min) * display.P1 / 100;
        figures.Upper = min + (max - min) * display.P2 / 100;
    }
    return figures;
}

void WidenRange(const double* values, std::size_t count, const uint8_t* counted, double& minimum, double& maximum)
{
    double lowest = minimum, highest = maximum;  // kept in registers across the loop
    for (std::size_t i = 0; i < count; ++i) {
        if (counted && !counted[i]) continue;
        if (values[i] < lowest) lowest = values[i];
        if (values[i] > highest) highest = values[i];
    }
    minimum = lowest;
    maximum = highest;
}

AnalysisResult FinishedAnalysis(std::vector<double> grid, int width, int height, double min, double max,
                                const DisplayParameters& display)
{
    AnalysisResult result;
    // Extreme inputs (tiny reference values, say) can overflow a pixel's
    // measure; such a range cannot be shown or reported as a result.
    if (!std::isfinite(min) || !std::isfinite(max)) {
        result.Stopped = "Výsledek analýzy nelze zobrazit: rozsah hodnot není konečný. "
                         "Zkontrolujte referenční spektra a váhové funkce.";
        return result;
    }
    result.Figures = DisplayFigures(min, max, display);
    result.Picture = PaintGreen(grid, width, height, result.Figures.Lower, result.Figures.Upper);
    result.Grid = std::move(grid);
    return result;
}

LevelScale::LevelScale(double lower, double upper)
    : lower_(lower), upper_(upper), scale_(255 / (upper - lower)), degenerate_(!std::isfinite(scale_))
{
}

void PaintLevels(const std::vector<double>& grid, double lower, double upper, bool grey, Bitmap& picture)
{
    constexpr std::size_t kChunk = 1024;
    const LevelScale scale(lower, upper);
    uint8_t* pixels = picture.ScanLine(0);  // rows follow each other without padding
    uint8_t levels[kChunk];
    for (std::size_t begin = 0; begin < grid.size(); begin += kChunk) {
        // The levels in a loop of their own, which vectorises; then spread over the pixels' bytes.
        const std::size_t count = std::min(kChunk, grid.size() - begin);
        for (std::size_t p = 0; p < count; ++p) levels[p] = scale.Level(grid[begin + p]);
        uint8_t* px = pixels + 3 * begin;
        for (std::size_t p = 0; p < count; ++p, px += 3) {
            px[1] = levels[p];
            if (grey) px[0] = px[2] = levels[p];
        }
    }
}

Bitmap PaintGreen(const std::vector<double>& grid, int width, int height, double lower, double upper)
{
    Bitmap picture(width, height);
    PaintLevels(grid, lower, upper, false, picture);
    return picture;
}

}  // namespace lumera
