#include "cli_checks.h"
#include "reference_data.h"

using namespace lumera::testing;

TEST(CliRefdata, ReproducesTheShippedReferenceFilesOrExitsOneWritingNothing)
{
    TempDir dir;
    const std::string folder = " -o " + Quote(dir.Path().string());
    ExpectFailure("refdata --library " + Quote(dir.File("none.csv")) + folder, 1, "none.csv");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    const std::string library = std::string(LUMERA_SOURCE_DIR) + "/data/usgs/usgs_splib07_av95.csv";
    EXPECT_EQ(ExpectSuccess("refdata --library " + Quote(library) + folder), "{\"spectra\":15,\"text_lines\":601}\n");
    for (const char* name : {"AllRefSp.dat", "RefSpE34.txt"})
        EXPECT_TRUE(ReadAll(dir.File(name)) == ReadAll((ShippedReferenceFolder() / name).string())) << name;
}
