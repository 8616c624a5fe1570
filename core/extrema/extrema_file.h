#pragma once
#include <string>

#include "extrema/extremum.h"

namespace lumera {

// The extrema file: the count on the first line, then one point a line as
// "X Y", lines ending in CR LF. Reading takes integers across blanks, tabs and
// line ends, ignores the rest of a point's line and reads a number missing at
// the end of the file as 0. A count that is negative or larger than the file
// could hold is refused (FileError naming the file) before anything is
// allocated.
TExtremaList ReadExtremaFile(const std::string& path);

// Writes the list completely or not at all; throws FileError naming the file.
void WriteExtremaFile(const std::string& path, const TExtremaList& points);

}  // namespace lumera
