#pragma once
#include <string>

#include "imaging/bitmap.h"

namespace lumera {

// Largest picture side Lumera reads; anything larger is taken for a damaged file.
constexpr int kMaxPictureSide = 20000;

// Reads a BMP file (24-bit, 32-bit, 8-bit grey or palette, and the other
// uncompressed depths) as a 24-bit picture. Anything that is not a readable
// BMP throws FileError naming the file.
Bitmap ReadBmp(const std::string& path);

// Writes a standard 24-bit BMP, completely or not at all. Throws FileError.
void WriteBmp(const std::string& path, const Bitmap& picture);

}  // namespace lumera
