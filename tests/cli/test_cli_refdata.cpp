#include <gtest/gtest.h>

#include "cli_runner.h"
#include "reference_data.h"

using namespace lumera::testing;

// The shipped reference files are the generator's output from the shipped
// library table, byte for byte.
TEST(CliRefdata, ReproducesTheShippedReferenceFiles)
{
    TempDir dir;
    const std::string library = std::string(LUMERA_SOURCE_DIR) + "/data/usgs/usgs_splib07_av95.csv";
    const CliResult r = RunCli("refdata --library " + Quote(library) + " -o " + Quote(dir.Path().string()));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"spectra\":15,\"text_lines\":601}\n");
    for (const char* name : {"AllRefSp.dat", "RefSpE34.txt"}) {
        const std::string made = ReadAll(dir.File(name));
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == ReadAll((ShippedReferenceFolder() / name).string())) << name;
    }
}

TEST(CliRefdata, UnreadableLibraryExitsOne)
{
    TempDir dir;
    const CliResult r = RunCli("refdata --library " + Quote(dir.File("none.csv")) + " -o " + Quote(dir.Path().string()));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("none.csv"), std::string::npos);
}
