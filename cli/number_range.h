#pragma once
#include <CLI/CLI.hpp>

namespace lumera::cli {

// A number from lowest to highest, both included. The refusal writes the
// bounds as the program writes numbers (0.5 to 1000, not 0.500000 to
// 1000.000000).
CLI::Validator NumberRange(double lowest, double highest);

}  // namespace lumera::cli
