#pragma once
#include <string>

#include <CLI/CLI.hpp>

#include "crowns/crown_chain.h"
#include "filter_option.h"

namespace lumera::cli {

// How the crown chain runs, as the crowns command's options set it.
struct CrownOptions {
    FilterOption filter;
    std::string moves = "unlimited";
    int cycles = 0;
    int cycleMoves = kDefaultMoveSteps;
    int threshold = kDefaultTreeThreshold;
};

// --moves, --cycles, --cycle-moves and --threshold (the filter is added apart,
// since a command may share it with its search).
void AddCrownOptions(CLI::App& command, CrownOptions& options);

// The crown chain from the tree tops over the background to the trees grown
// on the equalized picture; `filter` makes "Filtrovaný obraz".
TCrownChainResult RunCrownStep(const TExtremaList& maxima, const Bitmap& background, const Bitmap& equalized,
                               const CrownOptions& options, const TFilterCells& filter);

}  // namespace lumera::cli
