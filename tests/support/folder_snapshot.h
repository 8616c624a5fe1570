#pragma once
#include <filesystem>
#include <map>
#include <string>

#include "temp_dir.h"

namespace lumera::testing {

// Every file and folder under `root` with its content ("/" for a folder).
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& root)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        entries[std::filesystem::relative(entry.path(), root).string()] =
            entry.is_directory() ? "/" : ReadAll(entry.path().string());
    return entries;
}

}  // namespace lumera::testing
