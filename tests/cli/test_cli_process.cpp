#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "data/cutout_file.h"
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
