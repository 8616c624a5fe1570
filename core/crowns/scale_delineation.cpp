#include "crowns/scale_delineation.h"

#include <numbers>
#include <vector>

#include "crowns/colour_vegetation.h"
#include "crowns/crown_scale.h"
#include "crowns/crown_tops.h"
#include "crowns/gaussian_smoothing.h"
#include "crowns/marker_watershed.h"
#include "extrema/brightness.h"
#include "analysis/band_mean.h"

namespace lumera {

namespace {

constexpr double kSmoothingPerRadius = 1.0 / 3.0;
constexpr double kTopDistancePerRadius = 1.0;
constexpr double kReachPerRadius = 2.0;
constexpr double kSmallestAreaPerDisc = 0.3;
// Smoothing of the excess green before it is thresholded, keeping the shaded
// twigs of a crown inside its vegetation (0.47 m at the typical crown).
constexpr double kGreenSmoothingPerRadius = 0.2;

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

double ChooseCrownRadius(const DelineationSettings& settings, const TMatice& surface, const VegetationMask& mask)
{
    if (settings.CrownRadius > 0.0) return settings.CrownRadius;
    if (settings.PixelSize > 0.0) return CrownRadiusFromPixelSize(settings.PixelSize);
    if (settings.FoliageResolved) return CrownRadiusFromCorrelationLength(CorrelationLength(surface));
    return EstimateCrownRadiusFromBlobs(surface, mask);
}

Delineation DelineateCrowns(const TMatice& surface, const VegetationMask& mask, double radius)
{
    if (!(radius > 0.0)) {
        Delineation none;
        none.Trees = TTreeMatrix(surface.Width, surface.Height);
        return none;
    }
    const TMatice smoothed = GaussianSmooth(surface, kSmoothingPerRadius * radius);
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
    const VegetationMask vegetation = mask ? *mask : NdviVegetationMask(cube);
    DelineationSettings coarse = settings;
    coarse.FoliageResolved = false;
    return DelineateCrowns(brightness, vegetation, ChooseCrownRadius(coarse, brightness, vegetation));
}

Delineation DelineatePicture(const Bitmap& picture, const VegetationMask* mask, const DelineationSettings& settings)
{
    const TMatice brightness = BrightnessMatrix(picture);
    const VegetationMask everywhere(brightness.Values.size(), 1);
    const VegetationMask& given = mask ? *mask : everywhere;
    if (!HasColour(picture)) return DelineateCrowns(brightness, given, ChooseCrownRadius(settings, brightness, given));
    const TMatice green = ExcessGreen(picture);
    const TMatice surface = GreenWeightedBrightness(brightness, green);
    const double radius = ChooseCrownRadius(settings, surface, given);
    if (mask) return DelineateCrowns(surface, *mask, radius);
    return DelineateCrowns(surface, GreenVegetationMask(green, kGreenSmoothingPerRadius * radius), radius);
}

TMatice CubeBrightness(const TData& cube)
{
    TMatice m(cube.NColumns, cube.NRows);
    m.Values = BandMean(cube, 41, 43);
    return m;
}

}  // namespace lumera
