#include <gtest/gtest.h>

#include <filesystem>

#include "data/file_error.h"
#include "file_readers.h"

namespace fs = std::filesystem;

// Every input a fuzzer once found a fault with is read again: each reader
// must accept it or refuse it with a clear message, nothing else.
TEST(FuzzRegressions, EveryKeptInputIsReadOrRefusedCleanly)
{
    const fs::path root = fs::path(LUMERA_SOURCE_DIR) / "tests" / "fuzz-regressions";
    int inputs = 0;
    for (const auto& [name, read] : lumera::fuzzing::FileReaders()) {
        if (!fs::is_directory(root / name)) continue;
        for (const auto& entry : fs::directory_iterator(root / name)) {
            if (entry.path().filename() == ".gitkeep") continue;
            ++inputs;
            try {
                read(entry.path().string());
            } catch (const lumera::FileError&) {
            } catch (const std::exception& e) {
                ADD_FAILURE() << entry.path() << ": " << e.what();
            }
        }
    }
    EXPECT_GT(inputs, 0);
}
