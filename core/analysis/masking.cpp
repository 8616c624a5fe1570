#include "analysis/masking.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "analysis/band_mean.h"

namespace lumera {

namespace {

// Adds share x the weight of each pixel's green level to the mask; the 256
// products are made once.
void AddGreenWeights(const Bitmap& picture, double share, std::vector<double>& mask)
{
    std::array<double, 256> weighted;
    for (int green = 0; green < 256; ++green) weighted[std::size_t(green)] = share * GreenWeight(uint8_t(green));
    const int width = picture.Width();
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* line = picture.ScanLine(y);
        double* row = mask.data() + std::size_t(y) * width;
        for (int x = 0; x < width; ++x) row[x] = row[x] + weighted[line[3 * x + 1]];
    }
}

// Multiplies the mask by the brightness: the mean of the bands per pixel.
void MultiplyByBrightness(const TData& cube, int first, int last, std::vector<double>& mask)
{
    double brightness[kPixelChunk];
    for (std::size_t begin = 0; begin < mask.size(); begin += kPixelChunk) {
        const std::size_t count = std::min(kPixelChunk, mask.size() - begin);
        BandMeanOfPixels(cube, first, last, begin, count, brightness);
        double* chunk = mask.data() + begin;
        for (std::size_t p = 0; p < count; ++p) chunk[p] = chunk[p] * brightness[p];
    }
}

struct BrightnessBands {
    int First, Last;
};

BrightnessBands BandsOf(MaskBrightness brightness)
{
    switch (brightness) {
    case MaskBrightness::Bands1To65: return {1, 65};
    case MaskBrightness::Band19: return {19, 19};
    case MaskBrightness::Bands1To35: break;
    }
    return {1, 35};
}

// Hands an analysis's picture on to the mask picture; one that stopped leaves it.
void TakePicture(AnalysisResult& analysis, Bitmap& picture)
{
    if (analysis.Ran()) picture = std::move(analysis.Picture);
}

}  // namespace

double GreenWeight(uint8_t green)
{
    if (green == 0) return 0.0;
    if (green > 245) return 1.0;
    return (green / 5 + 1) * 0.02;
}

MaskResult RunMask(const TData& cube, const SpectralState& state, const MaskSettings& settings, Bitmap& picture)
{
    MaskResult result;
    const BrightnessBands bands = BandsOf(settings.Brightness);
    if (cube.NBands < bands.Last) {
        result.Stopped = "Jas pro masku potřebuje bandy " + std::to_string(bands.First) + " až " +
                         std::to_string(bands.Last) + ", načtený výřez jich má " + std::to_string(cube.NBands) + ".";
        return result;
    }
    std::vector<double> mask(cube.PlaneSize(), 0.0);
    result.Ndvi = RunNdvi(cube, settings.Ndvi);
    TakePicture(result.Ndvi, picture);
    // Only a stopped NDVI leaves a picture of another size; it is made black
    // then (the NDVI never reads the picture, so this need not come first).
    if (picture.Width() != cube.NColumns || picture.Height() != cube.NRows) picture.SetSize(cube.NColumns, cube.NRows);
    AddGreenWeights(picture, settings.IndexShare / 100.0, mask);
    result.Needle = RunNeedle(cube, state, settings.Needle);
    TakePicture(result.Needle, picture);
    AddGreenWeights(picture, settings.SpectraShare / 100.0, mask);

    MultiplyByBrightness(cube, bands.First, bands.Last, mask);
    double minimum = 1000000, maximum = 0;
    WidenRange(mask.data(), mask.size(), nullptr, minimum, maximum);
    PaintLevels(mask, minimum, maximum, true, picture);
    result.Min = minimum;
    result.Max = maximum;
    result.Grid = std::move(mask);
    return result;
}

}  // namespace lumera
