#include "crowns/scale_delineation.h"

#include <numbers>
#include <vector>

#include "crowns/crown_scale.h"
#include "crowns/crown_tops.h"
#include "crowns/gaussian_smoothing.h"
#include "crowns/marker_watershed.h"
#include "spectral/band_mean.h"

namespace lumera {

namespace {

constexpr double kSmoothingPerRadius = 1.0 / 3.0;
constexpr double kTopDistancePerRadius = 1.0;
constexpr double kReachPerRadius = 1.6;
constexpr double kSmallestAreaPerDisc = 0.25;

// Drops crowns smaller than minArea and numbers the rest from 1 in top order.
Delineation DropSmallCrowns(TTreeMatrix trees, const TExtremaList& tops, double minArea, double radius)
{
    std::vector<int64_t> areas(tops.size() + 1, 0);
    for (int32_t v : trees.Values)
        if (v >= 1) ++areas[std::size_t(v)];
    std::vector<int32_t> renumbered(tops.size() + 1, 0);
    Delineation result;
    result.CrownRadius = radius;
    for (std::size_t k = 1; k <= tops.size(); ++k)
        if (areas[k] > 0 && double(areas[k]) >= minArea) {
            result.Tops.push_back(tops[k - 1]);
            renumbered[k] = int32_t(result.Tops.size());
        }
    for (int32_t& v : trees.Values)
        if (v >= 1) v = renumbered[std::size_t(v)];
    result.Trees = std::move(trees);
    return result;
}

}  // namespace

Delineation DelineateCrowns(const TMatice& brightness, const VegetationMask& mask, const DelineationSettings& settings)
{
    const double radius = settings.CrownRadius > 0.0 ? settings.CrownRadius : EstimateCrownRadius(brightness, mask);
    if (!(radius > 0.0)) {
        Delineation none;
        none.Trees = TTreeMatrix(brightness.Width, brightness.Height);
        return none;
    }
    const TMatice smoothed = GaussianSmooth(brightness, kSmoothingPerRadius * radius);
    const TExtremaList tops = FindCrownTops(smoothed, mask, kTopDistancePerRadius * radius);
    TTreeMatrix trees = MarkerWatershed(smoothed, tops, {&mask, kReachPerRadius * radius});
    const double minArea = kSmallestAreaPerDisc * std::numbers::pi * radius * radius;
    return DropSmallCrowns(std::move(trees), tops, minArea, radius);
}

std::optional<std::string> DelineationRefusal(const TData& cube)
{
    if (cube.NBands >= kDelineationBands) return std::nullopt;
    return "Automatické vymezení korun potřebuje alespoň " + std::to_string(kDelineationBands) +
           " bandů, výřez jich má " + std::to_string(cube.NBands) + ".";
}

std::optional<std::string> MaskSizeRefusal(const Bitmap& mask, int width, int height, const std::string& maskPath)
{
    if (mask.Width() == width && mask.Height() == height) return std::nullopt;
    return "Maska " + maskPath + " má rozměry " + std::to_string(mask.Width()) + " x " +
           std::to_string(mask.Height()) + ", obraz " + std::to_string(width) + " x " + std::to_string(height) + ".";
}

Delineation DelineateCutout(const TData& cube, const VegetationMask* mask, const DelineationSettings& settings)
{
    const TMatice brightness = CubeBrightness(cube);
    if (mask) return DelineateCrowns(brightness, *mask, settings);
    return DelineateCrowns(brightness, NdviVegetationMask(cube), settings);
}

Delineation DelineatePicture(const Bitmap& picture, const VegetationMask* mask, const DelineationSettings& settings)
{
    const TMatice brightness = PictureBrightness(picture);
    if (mask) return DelineateCrowns(brightness, *mask, settings);
    return DelineateCrowns(brightness, VegetationMask(brightness.Values.size(), 1), settings);
}

TMatice CubeBrightness(const TData& cube)
{
    TMatice m(cube.NColumns, cube.NRows);
    m.Values = BandMean(cube, 41, 43);
    return m;
}

TMatice PictureBrightness(const Bitmap& picture)
{
    TMatice m(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* px = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x, px += 3) m.At(x, y) = (px[0] + px[1] + px[2]) / 3.0;
    }
    return m;
}

}  // namespace lumera
