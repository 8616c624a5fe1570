#pragma once
#include "data/matice.h"
#include "extrema/filter_matrix.h"
#include "imaging/bitmap.h"

namespace lumera {

// The brightness matrix of a picture: (blue + green + red) / 3 of every pixel,
// one row per scan line.
TMatice BrightnessMatrix(const Bitmap& picture);

// The brightness matrix smoothed by the filter matrix, as the picture-based
// searches and the filtered picture use it. Throws FilterCellError for a cell
// that is not a number and std::invalid_argument for a matrix FilterRefusal
// refuses.
TMatice FilteredBrightness(const Bitmap& picture, const TFilterCells& filter);

// The grey picture of a matrix as the "Filtrovaný obraz" display shows it:
// every value rounded (ties to even) and limited to 0 ... 255.
Bitmap FilteredPicture(const TMatice& matrix);

}  // namespace lumera
