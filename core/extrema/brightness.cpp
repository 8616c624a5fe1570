#include "extrema/brightness.h"

#include <stdexcept>

#include "data/rounding.h"

namespace lumera {

TMatice BrightnessMatrix(const Bitmap& picture)
{
    TMatice matrix(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* px = picture.ScanLine(y);
        double* row = matrix.Row(y);
        for (int x = 0; x < picture.Width(); ++x, px += 3) row[x] = (px[0] + px[1] + px[2]) / 3.0;
    }
    return matrix;
}

TMatice FilteredBrightness(const Bitmap& picture, const TFilterCells& filter)
{
    if (const auto refusal = FilterRefusal(filter)) throw std::invalid_argument(*refusal);
    const TMatice weights = FilterWeights(filter);
    TMatice matrix = BrightnessMatrix(picture);
    ApplyFilter(matrix, weights);
    return matrix;
}

Bitmap FilteredPicture(const TMatice& matrix)
{
    Bitmap picture(matrix.Width, matrix.Height);
    for (int y = 0; y < matrix.Height; ++y) {
        const double* row = matrix.Row(y);
        uint8_t* px = picture.ScanLine(y);
        for (int x = 0; x < matrix.Width; ++x, px += 3) px[0] = px[1] = px[2] = RoundToByte(row[x]);
    }
    return picture;
}

}  // namespace lumera
