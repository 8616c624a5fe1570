#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "data/cutout_file.h"
#include "cli_runner.h"
#include "process_setup.h"
#include "sample_data.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

TEST(ProcessSetup, ACutOutShortenedWhileMappedEndsWithAMessageNotABusError)
{
    TempDir dir;
    const std::string path = dir.File("c.dat");
    WriteCutout(path, RandomCube(65, 60, 70, 1));
    EXPECT_EXIT(
        {
            cli::FailCleanlyWhenAMappedFileShrinks();
            const TData cube = MapCutout(path);
            std::filesystem::resize_file(path, 6);
            long sum = 0;
            for (const int16_t value : cube.Values) sum += value;
            std::printf("%ld\n", sum);
        },
        ::testing::ExitedWithCode(1), "zkrátil");
}

// Only the map commands start lumera-cli-map, and GDAL with it: lumera-cli
// alone runs its own commands and names the program a map command needs.
TEST(ProcessSetup, OnlyTheMapCommandsNeedTheMapProgram)
{
    TempDir dir;
    const std::string alone = dir.File("lumera-cli");
    std::filesystem::copy_file(LUMERA_CLI_PATH, alone);
    EXPECT_EQ(std::system((Quote(alone) + " synth --size 8,8 -o " + Quote(dir.File("s")) + " >/dev/null 2>&1").c_str()), 0);
    // The command is found also as the last word.
    const int status = std::system((Quote(alone) + " tiles 2>" + Quote(dir.File("err"))).c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_NE(ReadAll(dir.File("err")).find("lumera-cli-map"), std::string::npos);
}
