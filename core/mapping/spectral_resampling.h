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

// Weights as the program's sensor would see the scene: a Gaussian response as
// wide at half height as the output band. Scene bands farther than three
// widths away would weigh under 1e-10 of the peak and only cost reading, so
// they are left out. A scene with no band centre within one width of an
// output band's centre does not cover it. Centres are in micrometres.
ResamplingPlan PlanResampling(const std::vector<double>& sceneCentresUm, const TBandTable& table);

// Output bands named for a message: each number with its centre in µm.
std::string NameBands(const std::vector<int>& bands, const TBandTable& table);

}  // namespace lumera
