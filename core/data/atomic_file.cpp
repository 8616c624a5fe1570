#include "data/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "data/file_error.h"

namespace lumera {
namespace fs = std::filesystem;

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
    const fs::path target(path);
    const fs::path temp = TemporaryPathBeside(path);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) throw FileError("Soubor " + path + " nelze zapsat: složku nelze otevřít pro zápis.");
        try {
            write(out);
        } catch (...) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            throw;
        }
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            throw FileError("Soubor " + path + " nelze zapsat: zápis selhal.");
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw FileError("Soubor " + path + " nelze zapsat: " + ec.message() + ".");
    }
}

}  // namespace lumera
