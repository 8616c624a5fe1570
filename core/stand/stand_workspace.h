#pragma once
#include <string>

#include "stand/synthetic_stand.h"

namespace lumera {

// Where a program directory keeps the stand's files.
constexpr const char* kStandCutout = "data/vyrezy/stand.dat";
constexpr const char* kStandTruth = "data/vystup/truth.dat";

// Makes `dir` a ready program directory holding a synthetic stand: the data
// folders, the reference spectra, the stand's cut-out and its true crowns.
// Returns the number of true trees.
int WriteStandWorkspace(const std::string& dir, const StandOptions& options);

}  // namespace lumera
