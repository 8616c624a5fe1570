#include "extrema/picture_search.h"

#include "extrema/brightness.h"

namespace lumera {

namespace {

TMatice SearchPlane(const Bitmap& picture, const std::optional<TFilterCells>& filter)
{
    return filter ? FilteredBrightness(picture, *filter) : BrightnessMatrix(picture);
}

}  // namespace

TExtremaList FindMaxima(const Bitmap& picture, const std::optional<TFilterCells>& filter,
                        const MaximaSettings& settings)
{
    return FindMaxima(SearchPlane(picture, filter), settings);
}

TExtremaList FindMinima(const Bitmap& picture, const std::optional<TFilterCells>& filter,
                        const MinimaSettings& settings)
{
    return FindMinima(SearchPlane(picture, filter), settings);
}

}  // namespace lumera
