#pragma once
#include <functional>
#include <string>
#include <vector>

#include "commands.h"
#include "scene_import.h"

namespace lumera::cli {

// --wavelengths, --scale and --allow-partial, shared by import and tiles.
void AddSceneOptions(CLI::App* sub, ImportOptions& options);

// Runs a scene command: a refusal of the scene becomes exit code 2.
int RunSceneCommand(const std::function<int()>& command);

// The messages the user should read, one line each on standard error.
void PrintNotes(const std::vector<std::string>& notes);

}  // namespace lumera::cli
