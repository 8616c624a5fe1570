#pragma once
#include "crowns/vegetation_mask.h"
#include "data/matice.h"
#include "imaging/bitmap.h"

namespace lumera {

// Whether any pixel of the picture has channels that differ: a grey picture
// carries no colour to tell foliage from soil.
bool HasColour(const Bitmap& picture);

// The excess green index (2g - r - b with the chromatic coordinates r, g, b
// = R, G, B over R + G + B; Woebbecke et al. 1995) of every pixel; 0 for
// black pixels.
TMatice ExcessGreen(const Bitmap& picture);

// Foliage against soil, sand, dry grass and deep shadow: the excess green,
// smoothed by a Gaussian of `smoothing` pixels so that a crown's shaded
// twigs stay in, above 0.05 (foliage lies above 0.1, bare ground below 0.04).
VegetationMask GreenVegetationMask(const TMatice& excessGreen, double smoothing);

// The surface on which colour pictures are delineated: the brightness
// weighted by the excess green, which is capped at 0.07 so that within the
// foliage the brightness keeps shaping the crowns while sunlit sand and
// grey stems drop out.
TMatice GreenWeightedBrightness(const TMatice& brightness, const TMatice& excessGreen);

}  // namespace lumera
