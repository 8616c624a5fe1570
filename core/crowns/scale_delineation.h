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
    double CrownRadius = 0.0;  // pixels; 0 estimates it from the picture
};

struct Delineation {
    TTreeMatrix Trees;      // 0 no tree, k >= 1 the k-th crown, highest top first
    double CrownRadius = 0; // the radius used, given or estimated
    TExtremaList Tops;      // the top of crown k at index k - 1
};

// Crown delineation that adapts to the size of the crowns: everything below
// is measured in the crown radius R. The brightness is smoothed with a
// Gaussian of sigma R / 3; tops are its maxima at least R apart inside the
// mask; crowns grow from them by marker-controlled watershed inside the mask
// and within 1.6 R of their top; crowns smaller than a quarter of a disc of
// radius R are dropped. Without a radius and with no blob in the picture the
// result has no trees.
Delineation DelineateCrowns(const TMatice& brightness, const VegetationMask& mask,
                            const DelineationSettings& settings);

// The first band a cut-out needs for the delineation (its brightness and NDVI mask).
constexpr int kDelineationBands = 43;

// The brightness of a cut-out: the mean of the near-infrared bands 41-43,
// where foliage is bright and its shading shows best.
TMatice CubeBrightness(const TData& cube);

// The brightness of a picture: (blue + green + red) / 3 per pixel.
TMatice PictureBrightness(const Bitmap& picture);

// Why a cut-out cannot be delineated (too few bands), or nothing.
std::optional<std::string> DelineationRefusal(const TData& cube);

// Why a mask picture does not fit a width x height picture, or nothing; the
// message names the mask file.
std::optional<std::string> MaskSizeRefusal(const Bitmap& mask, int width, int height, const std::string& maskPath);

// A cut-out delineated on its brightness, inside the given mask or else its
// NDVI mask. The cut-out must not be refused.
Delineation DelineateCutout(const TData& cube, const VegetationMask* mask, const DelineationSettings& settings);

// A picture delineated on its brightness, inside the given mask or else everywhere.
Delineation DelineatePicture(const Bitmap& picture, const VegetationMask* mask, const DelineationSettings& settings);

}  // namespace lumera
