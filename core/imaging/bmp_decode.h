#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/bitmap.h"

namespace lumera {

// Largest picture Lumera reads: far above every picture the program makes
// (cut-outs are at most 400 x 400), low enough that a damaged or hostile
// header cannot make a read take minutes or gigabytes.
constexpr int kMaxPictureSide = 8192;
constexpr int64_t kMaxPicturePixels = int64_t(4096) * 4096;

// The bytes a BMP header needs before its pixel data can be located: the file
// header, the largest info header, colour masks and a 256-colour palette.
constexpr std::size_t kBmpHeaderReach = 14 + 124 + 16 + 256 * 4;

// What a BMP file's headers declare, checked for consistency.
struct BmpLayout {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int Bits = 0;
    uint32_t PixelOffset = 0;
    uint32_t Masks[3] = {0, 0, 0};  // red, green, blue (16 and 32 bits)
    std::size_t PaletteStart = 0;
    int PaletteEntries = 0;
    int PaletteEntrySize = 4;  // 3 in the old OS/2 format

    std::size_t Stride() const { return (std::size_t(Width) * Bits + 31) / 32 * 4; }
    // The file length up to the end of the last row's pixels.
    std::size_t DataEnd() const { return PixelOffset + Stride() * std::size_t(Height - 1) + (std::size_t(Width) * Bits + 7) / 8; }
};

// Parses the headers at the start of a file (at least kBmpHeaderReach bytes,
// or the whole file when shorter). Throws FileError naming `path` for anything
// that is not an uncompressed BMP Lumera can decode exactly.
BmpLayout ParseBmpHeader(const std::string& path, const unsigned char* bytes, std::size_t size);

// Decodes the pixels of a file whose first `size` bytes are given, at least
// up to layout.DataEnd(). A palette index beyond the palette is refused
// (FileError naming `path`): such a pixel has no defined colour.
Bitmap DecodeBmp(const std::string& path, const BmpLayout& layout, const unsigned char* bytes, std::size_t size);

}  // namespace lumera
