#pragma once
#include <string>
#include <vector>

#include "data/band_table.h"

namespace lumera {

// How one output band is made from the scene's bands: the scene bands it
// averages (0-based, ascending) and their weights, which sum to 1. An output
// band the scene does not cover has no inputs.
struct BandWeights {
    std::vector<int> Inputs;
    std::vector<double> Weights;
};

// The plan for bringing a scene's spectrum onto the band table.
struct ResamplingPlan {
    std::vector<BandWeights> Bands;  // one per band-table row
    std::vector<int> Uncovered;      // 1-based numbers of the output bands without inputs
    std::vector<int> InputsUsed;     // every scene band some output band reads, ascending
};

// Weights that mimic a band of our table seeing the scene: a bell-shaped
// response as wide as the band. Far scene bands add nothing measurable and
// would only cost reading, so they are left out; a band with no scene band
// near it is reported as not covered. Centres are in micrometres.
ResamplingPlan PlanResampling(const std::vector<double>& sceneCentresUm, const TBandTable& table);

// Output bands named for a message: each number with its centre in µm.
std::string NameBands(const std::vector<int>& bands, const TBandTable& table);

}  // namespace lumera
