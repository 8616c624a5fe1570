#include "data/staged_folder.h"

#include <vector>

#include "data/atomic_file.h"
#include "data/file_error.h"

namespace lumera {
namespace fs = std::filesystem;

namespace {

// "a/b/" names the folder b, as "a/b" does.
fs::path WithoutTrailingSeparator(fs::path path)
{
    return path.has_filename() ? path : path.parent_path();
}

}  // namespace

StagedFolder::StagedFolder(const std::string& folder)
    : name_(folder), target_(WithoutTrailingSeparator(folder))
{
    std::error_code ec;
    if (fs::exists(target_, ec) && !fs::is_directory(target_, ec))
        throw FileError("Složku " + name_ + " nelze vytvořit: je to soubor.");
    staging_ = TemporaryPathBeside(target_.string());
    interrupted_ = std::make_unique<TemporaryRecord>(staging_.string(), true);
    fs::create_directories(staging_, ec);
    if (ec) throw FileError("Složku " + name_ + " nelze vytvořit: " + ec.message() + ".");
}

StagedFolder::~StagedFolder()
{
    std::error_code ignored;
    fs::remove_all(staging_, ignored);
}

void StagedFolder::Commit()
{
    std::error_code ec;
    if (!fs::exists(target_, ec)) {
        fs::rename(staging_, target_, ec);
        if (ec) throw FileError("Složku " + name_ + " nelze vytvořit: " + ec.message() + ".");
        return;
    }
    std::vector<fs::path> staged;
    for (const auto& entry : fs::recursive_directory_iterator(staging_)) {
        const fs::path relative = entry.path().lexically_relative(staging_);
        const fs::path destination = target_ / relative;
        if (fs::exists(destination, ec) && entry.is_directory() != fs::is_directory(destination, ec))
            throw FileError("Soubor " + (fs::path(name_) / relative).string() + " nelze zapsat: " +
                            (entry.is_directory() ? "je to soubor." : "je to složka."));
        staged.push_back(relative);
    }
    for (const fs::path& relative : staged) {
        const fs::path from = staging_ / relative, to = target_ / relative;
        if (fs::is_directory(from)) fs::create_directory(to, ec);
        else fs::rename(from, to, ec);
        if (ec)
            throw FileError("Soubor " + (fs::path(name_) / relative).string() + " nelze zapsat: " + ec.message() + ".");
    }
}

}  // namespace lumera
