#pragma once
#include <optional>
#include <string>

#include "data/reporter.h"
#include "imaging/bitmap.h"

namespace lumera::gui {

// Reads a BMP picture for a window; a file that cannot be read is reported
// to the user by name and gives nothing.
std::optional<Bitmap> ReadPicture(const std::string& path, Reporter& messages);

// Writes a picture as a 24-bit BMP, completely or not at all; a failure is
// reported to the user by name. True when written.
bool WritePicture(const std::string& path, const Bitmap& picture, Reporter& messages);

}  // namespace lumera::gui
