#include "imaging/bmp_file.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include <stb_image_write.h>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "imaging/bmp_decode.h"

namespace lumera {

namespace {

void AppendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

// Reads up to `count` bytes from the current position onto the end of `bytes`.
void ReadMore(std::istream& in, std::vector<unsigned char>& bytes, std::size_t count)
{
    const std::size_t had = bytes.size();
    bytes.resize(had + count);
    in.read(reinterpret_cast<char*>(bytes.data() + had), std::streamsize(count));
    bytes.resize(had + std::size_t(in.gcount()));
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
    std::vector<unsigned char> rgb(picture.Bytes().size());
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* row = picture.ScanLine(y);
        unsigned char* out = rgb.data() + y * picture.RowBytes();
        for (int x = 0; x < picture.Width(); ++x) {
            out[3 * x] = row[3 * x + 2];
            out[3 * x + 1] = row[3 * x + 1];
            out[3 * x + 2] = row[3 * x];
        }
    }
    std::vector<unsigned char> file;
    if (!stbi_write_bmp_to_func(AppendBytes, &file, picture.Width(), picture.Height(), 3, rgb.data()))
        throw FileError("Obrázek " + path + " nelze uložit.");
    WriteFileAtomically(path, [&](std::ostream& out) {
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    });
}

}  // namespace lumera
