#pragma once
#include "analysis/analysis_state.h"

namespace lumera::testing {

// A spectral state as the program has it after start, with a reference table
// whose spectrum s is a smooth positive curve of its own, peaking at 1.
inline SpectralState MakeSpectralState()
{
    SpectralState state;
    BuildSpectralAxis(state);
    InitCustomFunctions(state);
    for (int s = 0; s < kReferenceSpectra; ++s) {
        SpectralVector spectrum(kSpectralBands);
        for (int i = 0; i < kSpectralBands; ++i) spectrum[i] = 0.1 + 0.9 * ((i * (s + 3)) % 64) / 63.0;
        state.ReferenceTable.push_back(spectrum);
    }
    return state;
}

}  // namespace lumera::testing
