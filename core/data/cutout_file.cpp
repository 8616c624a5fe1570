#include "data/cutout_file.h"

#include <bit>
#include <cstdint>
#include <filesystem>
#include <new>
#include <fstream>
#include <span>

#include "data/atomic_file.h"
#include "data/file_error.h"

namespace lumera {

namespace {

constexpr std::size_t kCutoutHeaderBytes = 6;

int16_t DecodeLittleEndian(const unsigned char* p)
{
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

void ToLittleEndian(int16_t* values, std::size_t count)
{
    if constexpr (std::endian::native == std::endian::big)
        for (int16_t& v : std::span(values, count)) {
            const auto u = static_cast<uint16_t>(v);
            v = static_cast<int16_t>(static_cast<uint16_t>((u >> 8) | (u << 8)));
        }
}

// Written as they are where that is the file's order: a copy would only slow large cut-outs.
void WriteLittleEndian(std::ostream& out, std::span<const int16_t> values)
{
    if constexpr (std::endian::native == std::endian::little) {
        out.write(reinterpret_cast<const char*>(values.data()), static_cast<std::streamsize>(2 * values.size()));
    } else {
        std::vector<int16_t> swapped(values.begin(), values.end());
        ToLittleEndian(swapped.data(), swapped.size());
        out.write(reinterpret_cast<const char*>(swapped.data()), static_cast<std::streamsize>(2 * swapped.size()));
    }
}

void CheckCount(const std::string& path, const char* what, int32_t value, int32_t limit)
{
    if (value < 1 || value > limit)
        throw FileError("Soubor " + path + " není datový výřez: " + what + " v hlavičce je " +
                        std::to_string(value) + ", musí být 1 až " + std::to_string(limit) + ".");
}

struct OpenedCutout {
    std::ifstream In;
    TCutoutHeader Header;
};

// Opens a cut-out and checks its header and length; the stream stands at the
// first value.
OpenedCutout OpenCutout(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw FileError("Soubor " + path + " nelze přečíst: je to složka.");
    OpenedCutout file{std::ifstream(path, std::ios::binary | std::ios::ate), {}};
    std::ifstream& in = file.In;
    if (!in) throw FileError("Soubor " + path + " nelze otevřít.");
    const std::streamoff length = in.tellg();
    in.seekg(0);

    unsigned char header[6];
    if (length < 6 || !in.read(reinterpret_cast<char*>(header), 6))
        throw FileError("Soubor " + path + " je kratší než hlavička datového výřezu (" +
                        std::to_string(length) + " bajtů, očekáváno alespoň 6).");
    TCutoutHeader& h = file.Header;
    h.NBands = DecodeLittleEndian(header);
    h.NRows = DecodeLittleEndian(header + 2);
    h.NColumns = DecodeLittleEndian(header + 4);
    CheckCount(path, "počet bandů", h.NBands, kSensorBands);
    CheckCount(path, "počet řádků", h.NRows, kMaxCutoutDimension);
    CheckCount(path, "počet sloupců", h.NColumns, kMaxCutoutDimension);

    const std::streamoff expected = 6 + 2 * std::streamoff(h.NBands) * h.NRows * h.NColumns;
    if (length < expected)
        throw FileError("Soubor " + path + " je kratší, než slibuje jeho hlavička: " + std::to_string(length) +
                        " bajtů, očekáváno " + std::to_string(expected) + ".");
    return file;
}

}  // namespace

TCutoutHeader ReadCutoutHeader(const std::string& path) { return OpenCutout(path).Header; }

TData ReadCutout(const std::string& path)
{
    OpenedCutout file = OpenCutout(path);
    TData cube;
    cube.NBands = file.Header.NBands;
    cube.NRows = file.Header.NRows;
    cube.NColumns = file.Header.NColumns;
    const std::size_t count = std::size_t(cube.NBands) * cube.PlaneSize();
    try {
        cube.Values.resize(count);  // left uninitialised: the read fills every value
    } catch (const std::bad_alloc&) {
        throw FileError("Soubor " + path + " nelze načíst: nedostatek paměti pro " + std::to_string(2 * count) +
                        " bajtů.");
    }
    if (!file.In.read(reinterpret_cast<char*>(cube.Values.data()), static_cast<std::streamsize>(2 * count)))
        throw FileError("Soubor " + path + " nelze přečíst celý.");
    ToLittleEndian(cube.Values.data(), cube.Values.size());
    return cube;
}

TData MapCutout(const std::string& path)
{
    if constexpr (std::endian::native != std::endian::little) return ReadCutout(path);
    const TCutoutHeader header = ReadCutoutHeader(path);
    const std::size_t count = std::size_t(header.NBands) * header.NRows * header.NColumns;
    auto file = MapFile(path, kCutoutHeaderBytes + 2 * count);
    if (!file) return ReadCutout(path);
    TData cube;
    cube.NBands = header.NBands;
    cube.NRows = header.NRows;
    cube.NColumns = header.NColumns;
    cube.Values = CubeValues(std::move(file), kCutoutHeaderBytes, count);
    return cube;
}

void WriteCutout(const std::string& path, const TData& cube)
{
    WriteFileAtomically(path, [&](std::ostream& out) {
        const std::vector<int16_t> header = {static_cast<int16_t>(cube.NBands), static_cast<int16_t>(cube.NRows),
                                             static_cast<int16_t>(cube.NColumns)};
        WriteLittleEndian(out, header);
        WriteLittleEndian(out, {cube.Values.data(), cube.Values.size()});
    });
}

}  // namespace lumera
