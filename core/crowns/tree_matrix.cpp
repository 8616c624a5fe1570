#include "crowns/tree_matrix.h"

#include <fstream>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "imaging/bmp_decode.h"

namespace lumera {

namespace {

void PutInt32(std::vector<unsigned char>& out, int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(u >> shift));
}

int32_t GetInt32(const unsigned char* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

}  // namespace

void WriteTreeMatrix(const std::string& path, const TTreeMatrix& matrix)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(8 + 4 * matrix.Values.size());
    PutInt32(bytes, matrix.Width);
    PutInt32(bytes, matrix.Height);
    for (int32_t v : matrix.Values) PutInt32(bytes, v);
    WriteFileAtomically(path, [&](std::ostream& out) {
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    });
}

TTreeMatrix ReadTreeMatrix(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw FileError("Soubor " + path + " nelze otevřít.");
    const std::streamoff length = in.tellg();
    in.seekg(0);
    unsigned char header[8];
    if (length < 8 || !in.read(reinterpret_cast<char*>(header), 8))
        throw FileError("Soubor " + path + " není matice stromů: chybí hlavička.");
    const int32_t width = GetInt32(header), height = GetInt32(header + 4);
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
        int64_t(width) * height > kMaxPicturePixels)
        throw FileError("Soubor " + path + " není matice stromů: rozměry " + std::to_string(width) + " x " +
                        std::to_string(height) + " (nejvýše " + std::to_string(kMaxPictureSide) +
                        " buněk na stranu a " + std::to_string(kMaxPicturePixels) + " celkem).");
    const std::streamoff expected = 8 + 4 * static_cast<std::streamoff>(width) * height;
    if (length != expected)
        throw FileError("Soubor " + path + " má délku " + std::to_string(length) + " bajtů, matice " +
                        std::to_string(width) + " x " + std::to_string(height) + " má " +
                        std::to_string(expected) + ".");
    std::vector<unsigned char> bytes(static_cast<std::size_t>(expected - 8));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        throw FileError("Soubor " + path + " nelze přečíst celý.");
    TTreeMatrix matrix(width, height);
    for (std::size_t i = 0; i < matrix.Values.size(); ++i) matrix.Values[i] = GetInt32(bytes.data() + 4 * i);
    return matrix;
}

}  // namespace lumera
