#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "crowns/tree_matrix.h"
#include "data/band_table.h"
#include "data/cube.h"

namespace lumera {

// Reflectance (0 ... 1) of a surface in each of the sensor's bands.
using BandSpectrum = std::array<double, kSensorBands>;

// The surfaces a synthetic stand is made of; every list needs at least one entry.
struct StandMaterials {
    std::vector<BandSpectrum> Conifers;
    std::vector<BandSpectrum> Broadleaves;
    std::vector<BandSpectrum> Grasses;
    std::vector<BandSpectrum> Soils;
};

struct StandOptions {
    uint64_t Seed = 1;
    int Width = 400;
    int Height = 400;
    int Trees = 220;
};

struct SyntheticStand {
    TData Cube;         // 65 bands, reflectance x 10000 with illumination and noise
    TTreeMatrix Truth;  // visible crown of each tree, numbered 1 ... in placement order
};

// Renders a forest stand seen from above: conifers and broadleaves of varied
// size, clumps and gaps with grass and soil, sunlit and shaded crown sides and
// crown shadows on the ground. The same options give the same stand.
SyntheticStand MakeSyntheticStand(const StandOptions& options, const StandMaterials& materials);

}  // namespace lumera
