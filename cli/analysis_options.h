#pragma once
#include <string>
#include <utility>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "analysis/masking.h"

namespace lumera::cli {

using IntPair = std::pair<int, int>;

// Options of the NDVI panel.
struct NdviOptions {
    IntPair red{31, 33};
    IntPair nir{41, 43};
    bool absolute = false;
    IntPair bounds{0, 0};
    CLI::Option* boundsOption = nullptr;
};

// Options of the needle panel.
struct NeedleOptions {
    std::string weight = "E1";
    std::string weightFile;
    std::string normalize = "counterweight";
    std::string counterweight = "E1";
    std::string counterweightFile;
    bool absolute = false;
    IntPair bounds{0, 0};
    CLI::Option* boundsOption = nullptr;
};

void AddNdviOptions(CLI::App& command, NdviOptions& options);
void AddNeedleOptions(CLI::App& command, NeedleOptions& options);

// The panel settings the options stand for; out-of-range values are usage errors.
NdviSettings ToNdviSettings(const NdviOptions& options);

// The needle settings; weight files become the custom functions of the state
// (peak-normalised, flag set), and the reference table is loaded from the
// program directory when the settings use it. Throws FileError for a file
// that cannot be read or used.
NeedleSettings PrepareNeedle(const NeedleOptions& options, const std::string& programDir, SpectralState& state);

// The four figures of the results panel as the commands print them.
nlohmann::ordered_json FiguresJson(const AnalysisFigures& figures);

}  // namespace lumera::cli
