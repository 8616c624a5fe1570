#pragma once
#include <string>

#include "imaging/bitmap.h"
#include "imaging/bmp_decode.h"

namespace lumera {


// Reads an uncompressed BMP file (1, 4, 8, 16, 24 or 32 bits per pixel, the
// Windows and the old OS/2 headers) as a 24-bit picture. Anything that is not a readable
// BMP throws FileError naming the file.
Bitmap ReadBmp(const std::string& path);

// Writes a standard 24-bit BMP, completely or not at all. Throws FileError.
void WriteBmp(const std::string& path, const Bitmap& picture);

}  // namespace lumera
