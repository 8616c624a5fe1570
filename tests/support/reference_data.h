#pragma once
#include <filesystem>
#include <string>

namespace lumera::testing {

// The reference spectrum files the workspace ships.
inline std::filesystem::path ShippedReferenceFolder()
{
    return std::filesystem::path(LUMERA_SOURCE_DIR) / "workspace" / "data" / "refsp";
}

// Copies the shipped reference files into programDir/data/refsp/.
inline void InstallReferenceFiles(const std::filesystem::path& programDir)
{
    const auto target = programDir / "data" / "refsp";
    std::filesystem::create_directories(target);
    for (const char* name : {"AllRefSp.dat", "RefSpE34.txt"})
        std::filesystem::copy_file(ShippedReferenceFolder() / name, target / name,
                                   std::filesystem::copy_options::overwrite_existing);
}

}  // namespace lumera::testing
