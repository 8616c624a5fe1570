// One libFuzzer target per file reader: the input becomes a file, the reader
// named by LUMERA_FUZZ_READER reads it. Readers take paths, not memory, so
// the file lives in the temporary folder for the length of one input.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "data/file_error.h"
#include "file_readers.h"

namespace {

const std::string& InputPath()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("lumera-fuzz-" + std::to_string(getpid()))).string();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const auto& read = lumera::fuzzing::FileReaders().at(LUMERA_FUZZ_READER);
    {
        std::ofstream out(InputPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    try {
        read(InputPath());
    } catch (const lumera::FileError&) {
        // a clear refusal is a correct answer
    }
    return 0;
}
