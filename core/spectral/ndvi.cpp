#include "spectral/ndvi.h"

#include <cstddef>

#include "spectral/band_mean.h"

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

    const std::vector<double> red = BandMean(cube, settings.RedFirst, settings.RedLast);
    std::vector<double> grid = BandMean(cube, settings.NirFirst, settings.NirLast);
    double minimum = 1000000, maximum = -1000000;
    for (std::size_t p = 0; p < grid.size(); ++p) {
        double index = 0.0;
        if (NdviIndex(red[p], grid[p], index)) {
            if (index < minimum) minimum = index;
            if (index > maximum) maximum = index;
        }
        grid[p] = index;
    }
    return FinishedAnalysis(std::move(grid), cube.NColumns, cube.NRows, minimum, maximum,
                            {settings.P1, settings.P2, settings.Absolute, 100});
}

}  // namespace lumera
