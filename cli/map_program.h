#pragma once
#include <string>
#include <vector>

namespace lumera::cli {

// The companion program that runs the map commands (it links GDAL, which
// this one does not): lumera-cli-map beside the running program.
std::string MapProgramPath();

// Runs the map program with these arguments, its standard output discarded
// and its messages collected in `messages`, and waits for it. Its exit code,
// or 1 with a message on standard error when it cannot be started or does not
// end normally.
int RunMapProgram(const std::vector<std::string>& arguments, std::string& messages);

}  // namespace lumera::cli
