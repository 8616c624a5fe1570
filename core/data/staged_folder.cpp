#include "data/staged_folder.h"

#include <cerrno>
#include <fcntl.h>

#if defined(__linux__)
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include "data/atomic_file.h"
#include "data/file_error.h"

namespace lumera {
namespace fs = std::filesystem;

namespace {

// The folder itself, wherever "a/b/", "." or a link to a folder name it, so
// that the staging folder can lie beside it.
fs::path TargetFolder(const std::string& folder)
{
    std::error_code ec;
    fs::path path = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    if (ec) path = fs::absolute(folder).lexically_normal();
    return path.has_filename() ? path : path.parent_path();
}

void TakeStep()
{
    if (StagedFolder::AfterEachStep) StagedFolder::AfterEachStep();
}

// Exchanges two folders in one step; false where the system cannot.
bool Exchange(const fs::path& a, const fs::path& b)
{
#if defined(__linux__) && defined(SYS_renameat2)
    constexpr unsigned kExchange = 2;  // RENAME_EXCHANGE
    if (syscall(SYS_renameat2, AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), kExchange) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        throw std::system_error(errno, std::generic_category());
#endif
    return false;
}

}  // namespace

StagedFolder::StagedFolder(const std::string& folder) : name_(folder), target_(TargetFolder(folder))
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

// Links what the target holds under `relative` and the staged set lacks into
// the staging folder, sub-folders entered; the target itself is not touched.
void StagedFolder::CarryOver(const fs::path& relative)
{
    for (const auto& entry : fs::directory_iterator(target_ / relative)) {
        const fs::path name = relative / entry.path().filename();
        if (dropped_.contains(name)) continue;
        const fs::path staged = staging_ / name;
        const bool folder = entry.is_directory() && !entry.is_symlink();
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(staged, ec);
        if (fs::exists(status) && fs::is_directory(status) != folder)
            throw FileError("Soubor " + (fs::path(name_) / name).string() + " nelze zapsat: " +
                            (folder ? "je to složka." : "je to soubor."));
        if (folder) {
            if (!fs::exists(status)) fs::create_directory(staged, entry.path());
            CarryOver(name);
        } else if (!fs::exists(status)) {
            fs::create_hard_link(entry.path(), staged, ec);
            // A file system without hard links gets a copy.
            if (ec) fs::copy(entry.path(), staged, fs::copy_options::copy_symlinks);
        }
    }
}

void StagedFolder::Prepare()
{
    std::error_code ec;
    if (prepared_ || !fs::exists(target_, ec)) return;
    try {
        CarryOver({});
    } catch (const std::system_error& e) {
        throw FileError("Složku " + name_ + " nelze zapsat: " + e.code().message() + ".");
    }
    fs::permissions(staging_, fs::status(target_, ec).permissions(), ec);
    prepared_ = true;
    TakeStep();
}

void StagedFolder::Commit()
{
    Prepare();
    try {
        if (!prepared_) {
            fs::rename(staging_, target_);
        } else if (!Exchange(staging_, target_)) {
            // No exchange here: the old folder steps aside under a hidden
            // name, which an interruption leaves in place rather than remove.
            const fs::path old = TemporaryPathBeside(target_.string());
            fs::rename(target_, old);
            fs::rename(staging_, target_);
            fs::rename(old, staging_);
        }
    } catch (const std::system_error& e) {
        throw FileError("Složku " + name_ + " nelze zapsat: " + e.code().message() + ".");
    }
    // The staging folder now holds the old set, if any, and goes with it.
    TakeStep();
}

}  // namespace lumera
