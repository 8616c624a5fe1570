#include "analysis/ndvi.h"

#include <algorithm>
#include <cstddef>

#include "analysis/band_mean.h"

namespace lumera {

namespace {

std::string CheckSettings(const TData& cube, const NdviSettings& s)
{
    if (!(s.RedFirst <= s.RedLast && s.NirFirst <= s.NirLast)) return "Nesmyslný rozsah u RED a NIR.";
    if (!(s.P1 <= s.P2)) return "Nesmyslný rozsah u procent.";
    if (s.RedFirst < 1 || s.NirFirst < 1 || s.RedLast > cube.NBands || s.NirLast > cube.NBands)
        return "Bandy RED a NIR musí ležet v rozsahu 1 až " + std::to_string(cube.NBands) +
               " (počet bandů načteného výřezu).";
    return {};
}

}  // namespace

AnalysisResult RunNdvi(const TData& cube, const NdviSettings& settings)
{
    AnalysisResult stopped;
    stopped.Stopped = CheckSettings(cube, settings);
    if (!stopped.Ran()) return stopped;

    const std::size_t pixels = cube.PlaneSize();
    std::vector<double> grid(pixels);
    double minimum = 1000000, maximum = -1000000;
    for (std::size_t begin = 0; begin < pixels; begin += kPixelChunk) {
        const std::size_t count = std::min(kPixelChunk, pixels - begin);
        double red[kPixelChunk], nir[kPixelChunk];
        uint8_t defined[kPixelChunk];
        BandMeanOfPixels(cube, settings.RedFirst, settings.RedLast, begin, count, red);
        BandMeanOfPixels(cube, settings.NirFirst, settings.NirLast, begin, count, nir);
        double* index = grid.data() + begin;
        for (std::size_t p = 0; p < count; ++p) {
            const NdviPixel pixel = NdviIndex(red[p], nir[p]);
            index[p] = pixel.Index;
            defined[p] = pixel.Defined;
        }
        WidenRange(index, count, defined, minimum, maximum);
    }
    return FinishedAnalysis(std::move(grid), cube.NColumns, cube.NRows, minimum, maximum,
                            {settings.P1, settings.P2, settings.Absolute, 100});
}

}  // namespace lumera
