#include "crowns/vegetation_mask.h"

#include <algorithm>
#include <array>

#include "analysis/band_mean.h"
#include "analysis/ndvi.h"

namespace lumera {

namespace {

constexpr int kBins = 256;

// Bin of a value between lo and hi; the largest value goes into the last bin.
int BinOf(double v, double lo, double width)
{
    return std::min(kBins - 1, static_cast<int>((v - lo) / width));
}

}  // namespace

double OtsuThreshold(const std::vector<double>& values)
{
    if (values.empty()) return 0.0;
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    if (!(*hi > *lo)) return *lo - 1.0;
    const double width = (*hi - *lo) / kBins;
    std::array<double, kBins> counts{};
    for (double v : values) counts[std::size_t(BinOf(v, *lo, width))] += 1.0;

    const double total = static_cast<double>(values.size());
    double sumAll = 0.0;
    for (int b = 0; b < kBins; ++b) sumAll += b * counts[std::size_t(b)];
    double below = 0.0, sumBelow = 0.0, best = -1.0;
    int bestBin = 0;
    for (int b = 0; b < kBins - 1; ++b) {
        below += counts[std::size_t(b)];
        sumBelow += b * counts[std::size_t(b)];
        const double above = total - below;
        if (below == 0.0 || above == 0.0) continue;
        const double meanBelow = sumBelow / below, meanAbove = (sumAll - sumBelow) / above;
        const double between = below * above * (meanBelow - meanAbove) * (meanBelow - meanAbove);
        if (between > best) {
            best = between;
            bestBin = b;
        }
    }
    // The upper edge of the last bin of the lower class.
    return *lo + (bestBin + 1) * width;
}

VegetationMask NdviVegetationMask(const TData& cube)
{
    const NdviSettings bands;
    const std::vector<double> red = BandMean(cube, bands.RedFirst, bands.RedLast);
    std::vector<double> index = BandMean(cube, bands.NirFirst, bands.NirLast);
    for (std::size_t p = 0; p < index.size(); ++p) index[p] = NdviIndex(red[p], index[p]).Index;
    const double threshold = OtsuThreshold(index);
    VegetationMask mask(index.size());
    for (std::size_t p = 0; p < index.size(); ++p) mask[p] = index[p] > threshold ? 1 : 0;
    return mask;
}

VegetationMask PictureVegetationMask(const Bitmap& mask)
{
    VegetationMask flags(std::size_t(mask.Width()) * std::size_t(mask.Height()));
    for (int y = 0; y < mask.Height(); ++y) {
        const uint8_t* px = mask.ScanLine(y);
        for (int x = 0; x < mask.Width(); ++x, px += 3)
            flags[std::size_t(y) * std::size_t(mask.Width()) + std::size_t(x)] = (px[0] | px[1] | px[2]) ? 1 : 0;
    }
    return flags;
}

}  // namespace lumera
