#include "imaging/bmp_file.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include <stb_image.h>

#include "data/atomic_file.h"
#include "data/file_error.h"

namespace lumera {

namespace {

std::vector<unsigned char> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError("Obrázek " + path + " nelze otevřít.");
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

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

uint32_t Le(const std::vector<unsigned char>& b, std::size_t at, int size)
{
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

// An uncompressed BMP must hold every row it declares; stb would fill the
// missing rows of a cut file with black instead of refusing it.
void CheckPixelDataLength(const std::string& path, const std::vector<unsigned char>& bytes)
{
    if (bytes.size() < 30) return;  // stb refuses the short header itself
    const uint32_t headerSize = Le(bytes, 14, 4);
    int64_t width = 0, height = 0, bitsPerPixel = 0, compression = 0;
    if (headerSize == 12) {
        width = Le(bytes, 18, 2);
        height = Le(bytes, 20, 2);
        bitsPerPixel = Le(bytes, 24, 2);
    } else {
        if (bytes.size() < 34) return;
        width = static_cast<int32_t>(Le(bytes, 18, 4));
        height = static_cast<int32_t>(Le(bytes, 22, 4));
        bitsPerPixel = Le(bytes, 28, 2);
        compression = Le(bytes, 30, 4);
    }
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (!uncompressed || width < 1 || height == 0 || width > kMaxPictureSide || std::abs(height) > kMaxPictureSide)
        return;  // left to stb and the size check
    const int64_t rowBytes = (width * bitsPerPixel + 7) / 8;
    const int64_t stride = (width * bitsPerPixel + 31) / 32 * 4;
    const int64_t needed = int64_t(Le(bytes, 10, 4)) + stride * (std::abs(height) - 1) + rowBytes;
    if (int64_t(bytes.size()) < needed)
        throw FileError("Obrázek " + path + " je poškozený: soubor má " + std::to_string(bytes.size()) +
                        " bajtů, jeho obrazová data končí až na bajtu " + std::to_string(needed) + ".");
}

}  // namespace

Bitmap ReadBmp(const std::string& path)
{
    const std::vector<unsigned char> bytes = ReadBytes(path);
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        throw FileError("Soubor " + path + " není obrázek BMP.");
    int width = 0, height = 0, channels = 0;
    const int length = static_cast<int>(std::min<std::size_t>(bytes.size(), INT32_MAX));
    if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &channels))
        throw FileError("Obrázek " + path + " nelze přečíst: " + stbi_failure_reason() + ".");
    if (height < 0 && height > INT32_MIN) height = -height;  // rows stored top-down
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide)
        throw FileError("Obrázek " + path + " má nepřípustné rozměry " + std::to_string(width) + " x " +
                        std::to_string(height) + ".");

    CheckPixelDataLength(path, bytes);

    std::unique_ptr<unsigned char, void (*)(void*)> rgb(
        stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 3), stbi_image_free);
    if (!rgb) throw FileError("Obrázek " + path + " nelze přečíst: " + stbi_failure_reason() + ".");

    Bitmap picture(width, height);
    const unsigned char* source = rgb.get();
    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < width; ++x, source += 3) {
            row[3 * x] = source[2];
            row[3 * x + 1] = source[1];
            row[3 * x + 2] = source[0];
        }
    }
    return picture;
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
