#pragma once
#include <optional>
#include <string>

#include "crowns/tree_matrix.h"
#include "crowns/vegetation_mask.h"
#include "data/cube.h"
#include "data/matice.h"
#include "extrema/extremum.h"
#include "imaging/bitmap.h"

namespace lumera {

struct DelineationSettings {
    double CrownRadius = 0.0;  // pixels; 0: from the pixel size, else estimated from the picture
    double PixelSize = 0.0;    // metres per pixel; 0: unknown
    // Whether a picture's pixels show the foliage (aerial photographs), or
    // not (pictures made from a cut-out); decides how the radius is estimated.
    bool FoliageResolved = true;
};

struct Delineation {
    TTreeMatrix Trees;      // 0 no tree, k >= 1 the k-th crown, highest top first
    double CrownRadius = 0; // the radius used, given or estimated
    TExtremaList Tops;      // the top of crown k at index k - 1
};

// The crown radius in pixels for a picture delineated on this surface inside
// this mask: the one given, else the typical crown of the pixel size, else
// the estimate that suits its pixels.
double ChooseCrownRadius(const DelineationSettings& settings, const TMatice& surface, const VegetationMask& mask);

// Crown delineation at the scale of the crowns: everything below is measured
// in the crown radius R. The surface is smoothed with a Gaussian of sigma
// R / 3; tops are its maxima at least R apart inside the mask; crowns grow
// from them by marker-controlled watershed inside the mask and within 2 R of
// their top; crowns smaller than 0.3 of a disc of radius R are dropped.
// With a radius that is not positive the result has no trees.
Delineation DelineateCrowns(const TMatice& surface, const VegetationMask& mask, double radius);

// The first band a cut-out needs for the delineation (its brightness and NDVI mask).
constexpr int kDelineationBands = 43;

// The brightness of a cut-out: the mean of the near-infrared bands 41-43,
// where foliage is bright and its shading shows best.
TMatice CubeBrightness(const TData& cube);

// Why a cut-out cannot be delineated (too few bands), or nothing.
std::optional<std::string> DelineationRefusal(const TData& cube);

// Why a mask picture does not fit a width x height picture, or nothing; the
// message names the mask file.
std::optional<std::string> MaskSizeRefusal(const Bitmap& mask, int width, int height, const std::string& maskPath);

// A cut-out delineated on its brightness, inside the given mask or else its
// NDVI mask; its pixels never resolve the foliage. The cut-out must not be refused.
Delineation DelineateCutout(const TData& cube, const VegetationMask* mask, const DelineationSettings& settings);

// A picture delineated on its brightness ((blue + green + red) / 3). In a
// colour picture the brightness is weighted by the excess green and the
// crowns stay inside its green vegetation, unless a mask is given; a grey
// picture is delineated inside the given mask or else everywhere.
Delineation DelineatePicture(const Bitmap& picture, const VegetationMask* mask, const DelineationSettings& settings);

}  // namespace lumera
