#include "spectral/analysis_picture.h"

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

AnalysisResult FinishedAnalysis(std::vector<double> grid, int width, int height, double min, double max,
                                const DisplayParameters& display)
{
    AnalysisResult result;
    result.Figures = DisplayFigures(min, max, display);
    result.Picture = PaintGreen(grid, width, height, result.Figures.Lower, result.Figures.Upper);
    result.Grid = std::move(grid);
    return result;
}

LevelScale::LevelScale(double lower, double upper)
    : lower_(lower), upper_(upper), scale_(255 / (upper - lower)), degenerate_(!std::isfinite(scale_))
{
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
