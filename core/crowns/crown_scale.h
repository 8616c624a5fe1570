#pragma once
#include "crowns/vegetation_mask.h"
#include "data/matice.h"

namespace lumera {

// The crown radius assumed where the pixel size is known, in metres: the
// radius that delineates the development plots best (deciduous and pine
// forest at 0.1 m and 0.4 m, see the README). Tree crowns have a physical
// size; the foliage's texture, which fools any measure of a fine picture
// alone, does not move it.
constexpr double kTypicalCrownRadiusMetres = 2.34;

// The typical crown radius in pixels of a picture with pixels of the given
// size in metres.
double CrownRadiusFromPixelSize(double metresPerPixel);

// The correlation length of a picture's surface in pixels: the shortest lag
// from 2 on at which its autocovariance along rows and columns falls below
// 0.05 of that at a lag of 1, pooled over tiles of 100 x 100 pixels with
// their own means (so at most 100). Leaves and twigs decorrelate within a few
// pixels but leave a weak correlation that crowns keep up to about their
// radius. Gives 0 for a picture without contrast.
double CorrelationLength(const TMatice& surface);

// The typical crown radius in pixels of a picture of unknown pixel size
// (aerial photographs) from the correlation length L of its surface: L where
// L is 16 pixels or more, 0.7 L where it is 12 or less, the factor linear in
// L between. A pixel too coarse to show the leaves averages them away, so the
// covariance at one pixel is mostly the crowns' own and its 5 % lies further
// out in their tail: on the development plots L is 0.99 times the true median
// radius at 0.1 m and 1.43 times at 0.4 m. At the typical crown, 16 pixels
// are pixels of 0.15 m and 12 pixels 0.2 m; the plots' lengths are 14 or more
// at 0.1 m and mostly 13 or less at 0.4 m.
double CrownRadiusFromCorrelationLength(double length);

// The typical crown radius in pixels of a picture whose pixels do not resolve
// the foliage (a hyperspectral cut-out, or a picture made from one), from the
// bright blobs of the picture in a scale space of the scale-normalised
// Laplacian of Gaussian (Lindeberg 1998): over sigma 1 to 48 (at most a sixth
// of the smaller side) in steps of 2^(1/3), the blob energy (strength of the
// blobs on vegetated pixels times the area they stand for, see BlobEnergy) is
// largest, for discs of radius r, at sigma = r; the peak refined by a parabola
// is the radius. Gives 0 when no blob is found.
double EstimateCrownRadiusFromBlobs(const TMatice& brightness, const VegetationMask& mask);

}  // namespace lumera
