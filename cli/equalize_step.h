#pragma once
#include <CLI/CLI.hpp>

#include "imaging/bitmap.h"

namespace lumera::cli {

// --window E, the equalization's window side.
void AddEqualizeOptions(CLI::App& command, int& window);

// The adaptive equalization; a picture it refuses throws CheckFailed with the
// refusal.
Bitmap RunEqualizeStep(const Bitmap& picture, int window);

}  // namespace lumera::cli
