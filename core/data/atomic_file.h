#pragma once
#include <functional>
#include <ostream>
#include <string>

namespace lumera {

// Writes a file completely or not at all: the content goes to a temporary file
// beside the target, which is renamed over the target only when complete.
// Throws FileError naming the file when it cannot be written. While an
// OutputBatch lives on the thread, the complete file is handed to it instead
// of being renamed.
// A symbolic link is followed and its target replaced; a device or a pipe is
// written through, since it cannot be replaced.
void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write);

// A fresh hidden name beside the target (".NAME.<random>.tmp"), for writing
// something that is renamed into place only when complete.
std::string TemporaryPathBeside(const std::string& target);

}  // namespace lumera
