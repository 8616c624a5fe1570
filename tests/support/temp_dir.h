#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace lumera::testing {

// A fresh folder removed with everything in it when the test ends.
class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("lumera-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Writes raw little-endian 16-bit words, for building cut-out files by hand.
inline void WriteWords(const std::string& path, const std::vector<int>& words)
{
    std::ofstream out(path, std::ios::binary);
    for (int w : words) {
        const auto u = static_cast<uint16_t>(w);
        const char bytes[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        out.write(bytes, 2);
    }
}

inline void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace lumera::testing
