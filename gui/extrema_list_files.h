#pragma once
#include <optional>
#include <string>

#include "data/reporter.h"
#include "extrema/extremum.h"

namespace lumera::gui {

// Reads an extrema file for a window; a file that cannot be read is reported
// to the user by name and gives nothing.
std::optional<TExtremaList> ReadExtremaList(const std::string& path, Reporter& messages);

// Writes an extrema file completely or not at all; a failure is reported to
// the user by name. True when written.
bool WriteExtremaList(const std::string& path, const TExtremaList& points, Reporter& messages);

}  // namespace lumera::gui
