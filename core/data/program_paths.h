#pragma once
#include <string>

namespace lumera {

// A folder or file below the program directory: the relative path, written
// with either separator ("\data\vyrezy\" or "/data/refsp/"), is appended to
// the program directory with the platform's separator.
std::string ProgramPath(const std::string& programDir, const std::string& relative);

}  // namespace lumera
