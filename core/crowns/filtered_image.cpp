#include "crowns/filtered_image.h"

#include "extrema/brightness.h"
#include "extrema/filter_matrix.h"

namespace lumera {

TMatice BuildFilteredImage(const Bitmap& left, const TMatice& weights)
{
    TMatice image = BrightnessMatrix(left);
    ApplyFilter(image, weights);
    return image;
}

}  // namespace lumera
