#pragma once
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace lumera::cli {

// Refuses, before anything is read or written, a command line whose output
// (a file, a file a folder output holds, or a file written beside an output)
// is the same file as one of its inputs or as another output: the same path
// once links are resolved, or the same device and inode (a device or a pipe,
// written through, is no such file), and a file output inside a folder
// output, which the folder's switch would drop. Throws FileError naming both
// as the user gave them.
void RefuseSharedFiles(const CLI::App& command);

// The same for inputs known only once a command has begun (the other files
// of a scene), before its first write.
void RefuseSharedFiles(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs);

}  // namespace lumera::cli
