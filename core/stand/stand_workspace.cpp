#include "stand/stand_workspace.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "data/file_error.h"
#include "data/program_paths.h"
#include "analysis/reference_generator.h"
#include "stand/stand_materials.h"

namespace lumera {

namespace {

const char* const kProgramFolders[] = {"data/vyrezy", "data/refsp",   "data/vahfce", "data/filtr",
                                       "data/lokextr", "data/vystup", "obr"};

void CreateProgramFolders(const std::string& dir)
{
    for (const char* folder : kProgramFolders) {
        std::error_code ec;
        std::filesystem::create_directories(ProgramPath(dir, folder), ec);
        if (ec) throw FileError("Složku " + ProgramPath(dir, folder) + " nelze vytvořit: " + ec.message() + ".");
    }
}

}  // namespace

int WriteStandWorkspace(const std::string& dir, const StandOptions& options)
{
    const SpectralLibrary& library = BuiltinSpectralLibrary();
    const SyntheticStand stand = MakeSyntheticStand(options, MaterialsFromLibrary(library, InitBandTable()));
    CreateProgramFolders(dir);
    WriteReferenceFiles(library, ProgramPath(dir, "data/refsp"));
    WriteCutout(ProgramPath(dir, kStandCutout), stand.Cube);
    WriteTreeMatrix(ProgramPath(dir, kStandTruth), stand.Truth);
    std::set<int32_t> trees(stand.Truth.Values.begin(), stand.Truth.Values.end());
    trees.erase(0);
    return static_cast<int>(trees.size());
}

}  // namespace lumera
