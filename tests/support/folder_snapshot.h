#pragma once
#include <filesystem>
#include <map>
#include <string>

#include "data/atomic_file.h"
#include "temp_dir.h"

namespace lumera::testing {

// A file written as the program writes its outputs (staged, then renamed in).
inline void WriteText(const std::filesystem::path& path, const std::string& text)
{
    WriteFileAtomically(path.string(), [&](std::ostream& out) { out << text; });
}

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
