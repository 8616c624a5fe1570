#include <gtest/gtest.h>

#include <tuple>

#include "data/cube.h"
#include "data/cutout_file.h"
#include "data/number_format.h"
#include "data/program_paths.h"
#include "sample_data.h"
#include "temp_dir.h"
#include "refusal.h"

using namespace lumera;
using namespace lumera::testing;

TEST(BandTable, AscendingCentresAndTheirPlotPositionsWithTiesToEven)
{
    const TBandTable table = InitBandTable();
    ASSERT_EQ(table.size(), 65u);
    for (std::size_t i = 1; i < table.size(); ++i) EXPECT_GT(table[i].Center, table[i - 1].Center);
    TData cube = MakeCube(65, 1, 2);
    SetBands(cube, 0, 0, 1, 1, 1234);
    SetBands(cube, 1, 0, 1, 1, 25);  // 25 x 400 / 4000 = 2.5
    SetBands(cube, 1, 0, 2, 2, 35);  // 3.5
    const TSpectrumSequence points = SampleSpectrum(cube, table, 1, 1, 545, 400);
    ASSERT_EQ(points.size(), 65u);
    EXPECT_EQ(std::make_tuple(points[0].X, points[64].X, points[0].Y, points[1].Y), std::make_tuple(4, 541, 123, 0));
    const TSpectrumSequence ties = SampleSpectrum(cube, table, 2, 1, 545, 400);
    EXPECT_EQ(std::make_pair(ties[0].Y, ties[1].Y), std::make_pair(2, 4));
}

TEST(FormatNumberAndProgramPath, ShortestGeneralFormDecimalCommaExponentsAndEitherSeparatorBelowProgramDir)
{
    for (const auto& [value, separator, text] :
         {std::tuple{-1234.0, '.', "-1234"}, {0.1 + 0.2, '.', "0.3"}, {1.0 / 3.0, '.', "0.333333333333333"}, {-0.0, '.', "0"},
          {0.98635, ',', "0,98635"}, {1.5e-5, ',', "1,5E-5"}, {1e20, '.', "1E20"}, {123456789012345.0, '.', "123456789012345"}})
        EXPECT_EQ(FormatNumber(value, separator), text);

    EXPECT_EQ(ProgramPath("/home/u/lumera", "\\data\\vyrezy\\"), "/home/u/lumera/data/vyrezy/");
    EXPECT_EQ(ProgramPath("/home/u/lumera/", "/data/refsp/AllRefSp.dat"), "/home/u/lumera/data/refsp/AllRefSp.dat");
    EXPECT_EQ(ProgramPath("/", "\\obr\\"), "/obr/");
    EXPECT_EQ(ProgramPath("./", "obr"), "./obr");
}

TEST(CutoutFile, ValuesLandBandByRowByColumnSignedAndBadFilesAreRefusedNamingTheFile)
{
    TempDir dir;
    WriteWords(dir.File("a.dat"), {2, 2, 3, 10, 20, 30, 40, 50, 60, 0xFFFF, 0x8000, 7, 0x7FFF, 1, 2, 99, 98});
    const TData cube = ReadCutout(dir.File("a.dat"));
    EXPECT_EQ(std::tie(cube.NBands, cube.NRows, cube.NColumns), std::make_tuple(2, 2, 3));
    EXPECT_EQ(cube.Values, (CubeValues{10, 20, 30, 40, 50, 60, -1, -32768, 7, 32767, 1, 2}));
    EXPECT_EQ(std::make_pair(int(cube.At(0, 1, 0)), int(cube.At(1, 0, 1))), std::make_pair(40, -32768));
    // Written back, the file is the same less the bytes after the values.
    WriteCutout(dir.File("b.dat"), cube);
    EXPECT_EQ(ReadAll(dir.File("b.dat")), ReadAll(dir.File("a.dat")).substr(0, 30));

    const std::pair<std::vector<int>, std::string> files[] = {  // words of the file (none: missing), a detail of the refusal
        {{}, ""}, {{1, 2}, "6"}, {{0, 2, 3}, "0"}, {{66, 1, 1}, "66"}, {{1, 0, 3}, "0"}, {{1, 0x8000, 3}, "-32768"},
        {{1, 2, 0}, "0"}, {{1, 2, 3, 10, 20, 30, 40, 50}, "16 bajtů, očekáváno 18"},
        {{65, 1000, 1000, 1, 2, 3}, "130000006"},  // a large header in a small file, refused before allocating
        {{65, 1001, 2, 1, 2, 3}, "1001"},          // beyond the largest cut-out
    };
    for (std::size_t i = 0; i < std::size(files); ++i) {
        const std::string name = "bad" + std::to_string(i) + ".dat";
        if (!files[i].first.empty()) WriteWords(dir.File(name), files[i].first);
        for (auto read : {ReadCutout, MapCutout}) ExpectRefused([&] { read(dir.File(name)); }, {name, files[i].second});
    }
}

// Up to the largest cut-out, a block of large pages when loaded.
TEST(CutoutFile, MappedOrLoadedCubesReadBackExactlyAndAWriteMakesItsOwnCopyLeavingTheFile)
{
    TempDir dir;
    for (const auto& [bands, rows, columns] :
         {std::tuple{1, 1, 1}, {65, 3, 2}, {7, 13, 11}, {65, 400, 400}, {65, 97, 101}}) {
        const TData cube = RandomCube(bands, rows, columns, unsigned(rows), -32768, 32767);
        WriteCutout(dir.File("c.dat"), cube);
        for (const TData& read : {MapCutout(dir.File("c.dat")), ReadCutout(dir.File("c.dat"))}) {
            EXPECT_EQ(std::tie(read.NBands, read.NRows, read.NColumns), std::tie(bands, rows, columns));
            EXPECT_TRUE(read.Values == cube.Values) << bands << " x " << rows << " x " << columns;
        }
    }
    const std::string bytes = ReadAll(dir.File("c.dat"));
    const TData mapped = MapCutout(dir.File("c.dat"));
    ASSERT_TRUE(mapped.Values.Mapped());  // a regular file on a system that maps files
    TData copy = mapped;
    copy.Values[5] = int16_t(copy.Values[5] ^ 1);
    EXPECT_FALSE(copy.Values.Mapped());
    EXPECT_NE(copy.Values[5], mapped.Values[5]);
    EXPECT_EQ(ReadAll(dir.File("c.dat")), bytes);
    copy.Values.assign(3, 9);
    EXPECT_EQ(copy.Values, (CubeValues{9, 9, 9}));
}
