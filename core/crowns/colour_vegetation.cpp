#include "crowns/colour_vegetation.h"

#include <algorithm>

#include "crowns/gaussian_smoothing.h"

namespace lumera {

namespace {

constexpr double kFoliageExcessGreen = 0.05;
constexpr double kExcessGreenCap = 0.07;

}  // namespace

bool HasColour(const Bitmap& picture)
{
    const std::vector<uint8_t>& bytes = picture.Bytes();
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3)
        if (bytes[i] != bytes[i + 1] || bytes[i + 1] != bytes[i + 2]) return true;
    return false;
}

TMatice ExcessGreen(const Bitmap& picture)
{
    TMatice index(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* p = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            const double blue = p[0], green = p[1], red = p[2];
            const double sum = blue + green + red;
            index.At(x, y) = sum > 0.0 ? (2.0 * green - red - blue) / sum : 0.0;
        }
    }
    return index;
}

VegetationMask GreenVegetationMask(const TMatice& excessGreen, double smoothing)
{
    const TMatice smoothed = GaussianSmooth(excessGreen, smoothing);
    VegetationMask mask(smoothed.Values.size());
    for (std::size_t p = 0; p < mask.size(); ++p) mask[p] = smoothed.Values[p] > kFoliageExcessGreen ? 1 : 0;
    return mask;
}

TMatice GreenWeightedBrightness(const TMatice& brightness, const TMatice& excessGreen)
{
    TMatice surface(brightness.Width, brightness.Height);
    for (std::size_t p = 0; p < surface.Values.size(); ++p)
        surface.Values[p] = brightness.Values[p] * std::clamp(excessGreen.Values[p], 0.0, kExcessGreenCap);
    return surface;
}

}  // namespace lumera
