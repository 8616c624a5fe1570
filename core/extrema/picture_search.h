#pragma once
#include <optional>

#include "extrema/extrema_search.h"
#include "extrema/filter_matrix.h"
#include "imaging/bitmap.h"

namespace lumera {

// The picture-based searches as the search window and the batch tool run them:
// the brightness matrix of the picture, smoothed first when a filter is given
// ("Použít filtr"), then searched. A filter that cannot be used (a cell that
// is not a number: FilterCellError; a refused edge: std::invalid_argument)
// stops the search before it finds anything.
TExtremaList FindMaxima(const Bitmap& picture, const std::optional<TFilterCells>& filter,
                        const MaximaSettings& settings);
TExtremaList FindMinima(const Bitmap& picture, const std::optional<TFilterCells>& filter,
                        const MinimaSettings& settings);

}  // namespace lumera
