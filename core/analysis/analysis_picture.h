#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/rounding.h"
#include "imaging/bitmap.h"

namespace lumera {

// The four figures of the results panel.
struct AnalysisFigures {
    double Min = 0.0;
    double Max = 0.0;
    double Lower = 0.0;  // lower display bound
    double Upper = 0.0;  // upper display bound
};

// What a spectral analysis hands back. An analysis that stopped at one of its
// checks carries the check's message in Stopped and nothing else.
struct AnalysisResult {
    std::string Stopped;
    std::vector<double> Grid;  // one value per pixel, row by row
    AnalysisFigures Figures;
    Bitmap Picture;

    bool Ran() const { return Stopped.empty(); }
};

// A panel's two display parameters: percentages of the range, or in absolute
// mode the bounds times AbsoluteScale.
struct DisplayParameters {
    int P1;
    int P2;
    bool Absolute;
    double AbsoluteScale;
};

// Display bounds from the range [min, max] and the panel's parameters.
AnalysisFigures DisplayFigures(double min, double max, const DisplayParameters& display);

// Widens the range [minimum, maximum] by `count` values in order: a value
// replaces the minimum only when smaller, the maximum only when larger. With
// `counted` given, values whose flag is 0 are passed over.
void WidenRange(const double* values, std::size_t count, const uint8_t* counted, double& minimum, double& maximum);

// A run that went through: its figures, the grid (width x height) and the
// grid painted green between the display bounds.
AnalysisResult FinishedAnalysis(std::vector<double> grid, int width, int height, double min, double max,
                                const DisplayParameters& display);

// Maps values onto 0 to 255 between two bounds: 0 below lower, 255 above
// upper, linearly (rounded, ties to even) in between. Bounds too close for a
// finite scale, equal bounds among them, leave no in-between: values above
// upper give 255 and the rest 0.
class LevelScale {
public:
    LevelScale(double lower, double upper);

    uint8_t Level(double v) const
    {
        if (degenerate_) return v > upper_ ? 255 : 0;
        const uint8_t between = RoundToByte((v - lower_) * scale_);
        return v < lower_ ? 0 : v > upper_ ? 255 : between;
    }

private:
    double lower_, upper_, scale_;
    bool degenerate_;
};

// Paints the grid (one value per pixel of the picture, row by row) as levels
// between the bounds into the picture: into the green bytes, or with `grey`
// into all three.
void PaintLevels(const std::vector<double>& grid, double lower, double upper, bool grey, Bitmap& picture);

// Paints the grid (width x height, row by row) as green levels between the
// display bounds: blue 0, green the level, red 0.
Bitmap PaintGreen(const std::vector<double>& grid, int width, int height, double lower, double upper);

}  // namespace lumera
