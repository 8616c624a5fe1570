#pragma once
#include <string>

#include <CLI/CLI.hpp>

#include "analysis/masking.h"
#include "analysis_options.h"

namespace lumera::cli {

// Options of the masking: both panels' and the mix's.
struct MaskOptions {
    NdviOptions ndvi;
    NeedleOptions needle;
    int ndviShare = 50;
    std::string brightness = "b1-35";
};

void AddMaskOptions(CLI::App& command, MaskOptions& options);

// The masking's result and the mask picture.
struct MaskStep {
    MaskResult Result;
    Bitmap Picture;
};

// The masking's settings with the reference spectra and weight functions they
// name, read from the program directory once for any number of cut-outs.
struct PreparedMask {
    MaskSettings Settings;
    SpectralState State;
};

// Throws FileError naming a reference or weight file that cannot be read.
PreparedMask PrepareMask(const MaskOptions& options, const std::string& programDir);

// The masking of the cut-out; a check that stops it or either analysis throws
// CheckFailed with the checks' messages.
MaskStep RunMaskStep(const TData& cube, const PreparedMask& mask);

}  // namespace lumera::cli
