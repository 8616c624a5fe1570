#include "data/small_file.h"

#include <algorithm>
#include <fstream>

#include "data/file_error.h"

namespace lumera {

namespace {

std::string Read(const std::string& path, std::size_t limit, bool longerAllowed)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw FileError("Soubor " + path + " nelze otevřít.");
    const std::streamoff length = in.tellg();
    if (length < 0) throw FileError("Soubor " + path + " nelze přečíst.");
    if (std::size_t(length) > limit && !longerAllowed)
        throw FileError("Soubor " + path + " je příliš velký (" + std::to_string(length) + " bajtů).");
    std::string bytes(std::min(std::size_t(length), limit), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), std::streamsize(bytes.size()))) throw FileError("Soubor " + path + " nelze přečíst.");
    return bytes;
}

}  // namespace

std::string ReadSmallFile(const std::string& path, std::size_t limit) { return Read(path, limit, false); }

std::string ReadFileStart(const std::string& path, std::size_t count) { return Read(path, count, true); }

}  // namespace lumera
