#include "analysis/analysis_state.h"

#include "data/band_table.h"

namespace lumera {

const char* const kReferenceNames[kReferenceSpectra] = {"E1", "E2", "E3", "E4", "E34", "T1", "T2", "T3",
                                                        "T4", "T34", "S1", "S2", "S3", "S4", "S34"};

void BuildSpectralAxis(SpectralState& state)
{
    state.Axis.clear();
    for (const TBandInfo& band : InitBandTable()) state.Axis.push_back(band.Center);
    state.Axis.erase(state.Axis.begin());  // band 1 has no place on the axis
}

void InitCustomFunctions(SpectralState& state)
{
    state.CustomWeight.assign(kSpectralBands, 1.0);
    state.CustomCounterWeight.assign(kSpectralBands, 1.0);
}

void ReleaseReferences(SpectralState& state)
{
    state.ReferenceTable.clear();
    state.CurrentReference.clear();
}

}  // namespace lumera
