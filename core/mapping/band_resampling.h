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

// The plan for bringing a scene's spectrum onto the program's bands.
struct ResamplingPlan {
    std::vector<BandWeights> Bands;  // one per TBandTable entry
    std::vector<int> Uncovered;      // 1-based numbers of the output bands without inputs
    std::vector<int> InputsUsed;     // every scene band some output band reads, ascending
};

// Per output band, the scene bands near its centre weighted by a bell curve
// of its width, normalised to sum 1. Distant scene bands are left out, so
// they are never read; an output band with none near it goes to Uncovered.
// Centres in µm.
ResamplingPlan PlanResampling(const std::vector<double>& sceneCentresUm, const TBandTable& table);

// Output bands named for a message: each number with its centre in µm.
std::string NameBands(const std::vector<int>& bands, const TBandTable& table);

}  // namespace lumera
