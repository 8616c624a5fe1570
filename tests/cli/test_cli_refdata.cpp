#include "cli_checks.h"
#include "reference_data.h"

using namespace lumera::testing;

// The shipped reference files are the generator's output from the shipped
// library table, byte for byte.
TEST(CliRefdata, ReproducesTheShippedReferenceFilesOrExitsOneWritingNothing)
{
    TempDir dir;
    const std::string folder = " -o " + Quote(dir.Path().string());
    ExpectFailure("refdata --library " + Quote(dir.File("none.csv")) + folder, 1, "none.csv");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    const std::string library = std::string(LUMERA_SOURCE_DIR) + "/data/usgs/usgs_splib07_av95.csv";
    EXPECT_EQ(ExpectSuccess("refdata --library " + Quote(library) + folder), "{\"spectra\":15,\"text_lines\":601}\n");
    for (const char* name : {"AllRefSp.dat", "RefSpE34.txt"}) {
        const std::string made = ReadAll(dir.File(name));
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == ReadAll((ShippedReferenceFolder() / name).string())) << name;
    }
}
