#include "data/atomic_file.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <system_error>
#include <unistd.h>

#include "data/file_error.h"
#include "data/output_batch.h"
#include "data/temporary_files.h"

namespace lumera {
namespace fs = std::filesystem;

namespace {

// The file a write to `path` must replace: a symbolic link is followed to
// its target (however many links deep), so the link itself stays.
fs::path FollowLinks(fs::path path)
{
    std::error_code ec;
    for (int depth = 0; depth < 40 && fs::is_symlink(path, ec); ++depth) {
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// Devices and pipes cannot be replaced by renaming; they are written through.
void WriteThrough(const std::string& path, const fs::path& target, const std::function<void(std::ostream&)>& write)
{
    std::ofstream out(target, std::ios::binary);
    if (!out) throw FileError("Soubor " + path + " nelze zapsat: nelze jej otevřít.");
    write(out);
    out.flush();
    if (!out) throw FileError("Soubor " + path + " nelze zapsat: zápis selhal.");
}

void Discard(std::ofstream& out, const fs::path& temp)
{
    out.close();
    std::error_code ignored;
    fs::remove(temp, ignored);
}

}  // namespace

std::string TemporaryPathBeside(const std::string& target)
{
    std::random_device rd;
    char tag[32];
    std::snprintf(tag, sizeof tag, ".%08x%08x.tmp", rd(), rd());
    const fs::path path(target);
    std::string name(1, '.');
    name.append(path.filename().string()).append(tag);
    return (path.parent_path() / name).string();
}

void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write)
{
    const fs::path target = FollowLinks(fs::path(path));
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        if (fs::is_directory(status)) throw FileError("Soubor " + path + " nelze zapsat: je to složka.");
        WriteThrough(path, target, write);
        return;
    }
    const fs::path temp = TemporaryPathBeside(target.string());
    auto record = std::make_unique<TemporaryRecord>(temp.string());
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw FileError("Soubor " + path + " nelze zapsat: složku nelze otevřít pro zápis.");
    try {
        write(out);
    } catch (...) {
        Discard(out, temp);
        throw;
    }
    out.flush();
    if (!out) {
        Discard(out, temp);
        throw FileError("Soubor " + path + " nelze zapsat: zápis selhal.");
    }
    out.close();
    if (OutputBatch* batch = OutputBatch::Current()) {
        batch->Add(temp.string(), target.string(), path, std::move(record));
        return;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw FileError("Soubor " + path + " nelze zapsat: " + ec.message() + ".");
    }
}

}  // namespace lumera
