#pragma once
#include <functional>
#include <ostream>
#include <string>

namespace lumera {

// Writes a file completely or not at all: the content goes to a temporary file
// beside the target, which is renamed over the target only when complete.
// Throws FileError naming the file when it cannot be written.
void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write);

}  // namespace lumera
