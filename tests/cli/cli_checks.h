#pragma once
#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"
#include "imaging/bmp_file.h"

namespace lumera::testing {

inline std::string ExpectSuccess(const std::string& arguments)
{
    const CliResult r = RunCli(arguments);
    EXPECT_EQ(r.exitCode, 0) << arguments << "\n" << r.err;
    EXPECT_EQ(r.err, "") << arguments;
    return r.out;
}

// Nothing on standard output, a message naming `mention` on standard error.
inline void ExpectFailure(const std::string& arguments, int exitCode = 1, const std::string& mention = "")
{
    const CliResult r = RunCli(arguments);
    EXPECT_EQ(r.exitCode, exitCode) << arguments;
    EXPECT_EQ(r.out, "") << arguments;
    EXPECT_NE(r.err, "") << arguments;
    EXPECT_NE(r.err.find(mention), std::string::npos) << arguments << "\n" << r.err;
}

inline std::string SavedBytes(const Bitmap& picture)
{
    TempDir dir;
    WriteBmp(dir.File("saved.bmp"), picture);
    return ReadAll(dir.File("saved.bmp"));
}

}  // namespace lumera::testing
