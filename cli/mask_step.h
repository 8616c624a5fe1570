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

// The masking of the cut-out with the options (reference spectra from the
// program directory); a check that stops it or either analysis throws
// CheckFailed with the checks' messages.
MaskStep RunMaskStep(const TData& cube, const MaskOptions& options, const std::string& programDir);

}  // namespace lumera::cli
