#include "spectral/masking.h"

#include <cstddef>

#include "spectral/band_mean.h"

namespace lumera {

namespace {

// Adds share x the weight of each pixel's green level to the mask.
void AddGreenWeights(const Bitmap& picture, double share, std::vector<double>& mask)
{
    const int width = picture.Width();
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* line = picture.ScanLine(y);
        double* row = mask.data() + std::size_t(y) * width;
        for (int x = 0; x < width; ++x) row[x] = row[x] + share * GreenWeight(line[3 * x + 1]);
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

void PaintGrey(const std::vector<double>& mask, double minimum, double maximum, Bitmap& picture)
{
    const LevelScale scale(minimum, maximum);
    const int width = picture.Width();
    for (int y = 0; y < picture.Height(); ++y) {
        uint8_t* line = picture.ScanLine(y);
        const double* row = mask.data() + std::size_t(y) * width;
        for (int x = 0; x < width; ++x) {
            const uint8_t grey = scale.Level(row[x]);
            line[3 * x] = line[3 * x + 1] = line[3 * x + 2] = grey;
        }
    }
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
    if (picture.Width() != cube.NColumns || picture.Height() != cube.NRows) picture.SetSize(cube.NColumns, cube.NRows);

    std::vector<double> mask(cube.PlaneSize(), 0.0);
    result.Ndvi = RunNdvi(cube, settings.Ndvi);
    TakePicture(result.Ndvi, picture);
    AddGreenWeights(picture, settings.IndexShare / 100.0, mask);
    result.Needle = RunNeedle(cube, state, settings.Needle);
    TakePicture(result.Needle, picture);
    AddGreenWeights(picture, settings.SpectraShare / 100.0, mask);

    const std::vector<double> brightness = BandMean(cube, bands.First, bands.Last);
    double minimum = 1000000, maximum = 0;
    for (std::size_t p = 0; p < mask.size(); ++p) {
        mask[p] = mask[p] * brightness[p];
        if (mask[p] < minimum) minimum = mask[p];
        if (mask[p] > maximum) maximum = mask[p];
    }
    PaintGrey(mask, minimum, maximum, picture);
    result.Min = minimum;
    result.Max = maximum;
    result.Grid = std::move(mask);
    return result;
}

}  // namespace lumera
