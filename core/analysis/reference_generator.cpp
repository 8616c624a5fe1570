#include "analysis/reference_generator.h"

#include <bit>
#include <charconv>
#include <cstdint>

#include "data/atomic_file.h"
#include "data/program_paths.h"
#include "analysis/reference_files.h"

namespace lumera {

// E: conifer needles, T: broadleaf leaves, S: the ground between crowns.
const std::array<const char*, kReferenceSpectra> kReferenceColumns = {
    "conifer: Engelmann-Spruce ES-Needls-1 ASDFRa AREF",
    "conifer: Blue_Spruce DW92-5 needles    BECKa AREF",
    "conifer: Lodgepole-Pine LP-Needles-1  ASDFRa AREF",
    "conifer: Gray-Pine CA01-PISA-3 needls ASDFRa AREF",
    "conifer: Pinon_Pine ANP92-14A needle   BECKa AREF",
    "broadleaf: Aspen_Leaf-A DW92-2           BECKa AREF",
    "broadleaf: Maple_Leaves DW92-1           BECKa AREF",
    "broadleaf: Oak Oak-Leaf-1 fresh         ASDFRa AREF",
    "broadleaf: Walnut_Leaf SUN (Green)       BECKa AREF",
    "broadleaf: Aspen_Leaf-B DW92-3           BECKa AREF",
    "grass: Lawn_Grass GDS91 green        BECKa AREF",
    "grass: Cheatgrass ANP92-11A          BECKa AREF",
    "grass: Grass_Golden_Dry GDS480      ASDFRa AREF",
    "soil: Marsh sediment DWV3-0511 dry ASDFRa AREF",
    "soil: Sand DWO-3-DEL2a  no vis.oil ASDFRa AREF",
};
const char* const kReferenceTextColumn = kReferenceColumns[4];  // E34

namespace {

void AppendLittleEndian(std::string& bytes, double value)
{
    const auto bits = std::bit_cast<uint64_t>(value);
    for (int b = 0; b < 8; ++b) bytes.push_back(static_cast<char>((bits >> (8 * b)) & 0xFF));
}

std::vector<LibraryPoint> Spectrum(const SpectralLibrary& library, const char* column)
{
    return AscendingChannels(library, LibraryColumn(library, column));
}

}  // namespace

std::string MakeReferenceTable(const SpectralLibrary& library, const SpectralVector& axis)
{
    std::string bytes;
    for (const char* column : kReferenceColumns) {
        const std::vector<LibraryPoint> points = Spectrum(library, column);
        for (const double wavelength : axis) AppendLittleEndian(bytes, InterpolateLinear(points, wavelength));
    }
    return bytes;
}

std::string MakeReferenceText(const SpectralLibrary& library)
{
    const std::vector<LibraryPoint> points = Spectrum(library, kReferenceTextColumn);
    std::string text;
    for (int k = 0; k < kReferenceTextLines; ++k) {
        char number[32];
        const double value = InterpolateLinear(points, (400 + k) / 1000.0);
        const auto end = std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, 6).ptr;
        text.append(number, end).append("\r\n");
    }
    return text;
}

void WriteReferenceFiles(const SpectralLibrary& library, const std::string& folder)
{
    SpectralState state;
    BuildSpectralAxis(state);
    const std::string table = MakeReferenceTable(library, state.Axis);
    const std::string text = MakeReferenceText(library);
    WriteFileAtomically(ProgramPath(folder, kReferenceTableFile), [&](std::ostream& out) { out << table; });
    WriteFileAtomically(ProgramPath(folder, kReferenceTextFile), [&](std::ostream& out) { out << text; });
}

}  // namespace lumera
