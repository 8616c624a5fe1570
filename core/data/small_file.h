#pragma once
#include <cstddef>
#include <string>

namespace lumera {

// Reads a whole file that is at most `limit` bytes long; a missing,
// unreadable or longer file throws FileError naming it.
std::string ReadSmallFile(const std::string& path, std::size_t limit);

// Reads the first `count` bytes of a file, or all of it when it is shorter;
// a missing or unreadable file throws FileError naming it.
std::string ReadFileStart(const std::string& path, std::size_t count);

}  // namespace lumera
