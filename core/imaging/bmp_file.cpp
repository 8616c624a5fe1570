#include "imaging/bmp_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "imaging/bmp_decode.h"

namespace lumera {

namespace {

void PutLittleEndian(unsigned char* at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// The 54-byte header of an uncompressed 24-bit BMP stored bottom-up: file
// header, then an info header without resolution or palette.
std::array<unsigned char, 54> BmpHeader(const Bitmap& picture, std::size_t stride)
{
    std::array<unsigned char, 54> header{'B', 'M'};
    PutLittleEndian(&header[2], static_cast<uint32_t>(54 + stride * std::size_t(picture.Height())), 4);
    PutLittleEndian(&header[10], 54, 4);
    PutLittleEndian(&header[14], 40, 4);
    PutLittleEndian(&header[18], static_cast<uint32_t>(picture.Width()), 4);
    PutLittleEndian(&header[22], static_cast<uint32_t>(picture.Height()), 4);
    PutLittleEndian(&header[26], 1, 2);   // planes
    PutLittleEndian(&header[28], 24, 2);  // bits per pixel
    return header;
}

// Reads up to `count` bytes from the current position onto the end of `bytes`,
// a block at a time, so a file shorter than its header claims never costs
// more memory than its own length.
void ReadMore(std::istream& in, std::vector<unsigned char>& bytes, std::size_t count)
{
    constexpr std::size_t kBlock = std::size_t(1) << 20;
    while (count > 0 && in) {
        const std::size_t had = bytes.size(), step = std::min(count, kBlock);
        bytes.resize(had + step);
        in.read(reinterpret_cast<char*>(bytes.data() + had), std::streamsize(step));
        bytes.resize(had + std::size_t(in.gcount()));
        count -= step;
    }
}

}  // namespace

Bitmap ReadBmp(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw FileError("Obrázek " + path + " nelze přečíst: je to složka.");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError("Obrázek " + path + " nelze otevřít.");
    // Never read further than a valid file of the declared size can reach, so
    // an endless or huge input cannot exhaust memory.
    std::vector<unsigned char> bytes;
    ReadMore(in, bytes, kBmpHeaderReach);
    const BmpLayout layout = ParseBmpHeader(path, bytes.data(), bytes.size());
    if (layout.DataEnd() > bytes.size()) ReadMore(in, bytes, layout.DataEnd() - bytes.size());
    if (in.bad()) throw FileError("Obrázek " + path + " nelze přečíst: chyba čtení.");
    return DecodeBmp(path, layout, bytes.data(), bytes.size());
}

void WriteBmp(const std::string& path, const Bitmap& picture)
{
    if (picture.Empty()) throw FileError("Obrázek " + path + " nelze uložit: obrázek je prázdný.");
    // The picture's rows are already in the file's byte order (blue, green,
    // red): they go out as they are, bottom row first, each padded to 4 bytes.
    const std::size_t stride = (picture.RowBytes() + 3) / 4 * 4;
    const std::array<unsigned char, 54> header = BmpHeader(picture, stride);
    const char padding[3] = {};
    WriteFileAtomically(path, [&](std::ostream& out) {
        out.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
        for (int y = picture.Height() - 1; y >= 0; --y) {
            out.write(reinterpret_cast<const char*>(picture.ScanLine(y)), std::streamsize(picture.RowBytes()));
            out.write(padding, std::streamsize(stride - picture.RowBytes()));
        }
    });
}

}  // namespace lumera
