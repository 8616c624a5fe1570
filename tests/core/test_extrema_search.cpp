#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "data/file_error.h"
#include "extrema/extrema_file.h"
#include "extrema/extrema_search.h"
#include "refusal.h"
#include "sample_data.h"
#include "temp_dir.h"

using namespace lumera;
using lumera::testing::MakeCube;
using lumera::testing::RandomCube;
using lumera::testing::ReadAll;
using lumera::testing::TempDir;

namespace {

TExtremaList Interior(int width, int height, int reach)
{
    TExtremaList all;
    for (int x = reach; x < width - reach; ++x)
        for (int y = reach; y < height - reach; ++y) all.push_back({x, y});
    return all;
}

MaximaSettings Maxima(ExtremumTest test, bool equality, int required)
{
    MaximaSettings s;
    s.Test = test;
    s.EqualityAllowed = equality;
    (test == ExtremumTest::Directions ? s.Directions : s.Neighbours) = required;
    return s;
}

MinimaSettings Minima(ExtremumTest test, bool equality, int size, int required)
{
    MinimaSettings s;
    s.Test = test;
    s.EqualityAllowed = equality;
    s.Size = size;
    (test == ExtremumTest::Directions ? s.Directions : s.Neighbours) = required;
    return s;
}

constexpr auto kDirections = ExtremumTest::Directions;
constexpr auto kNeighbourhood = ExtremumTest::Neighbourhood;

TExtremaList ReadText(const TempDir& dir, const std::string& text)
{
    std::ofstream(dir.File("e.txt"), std::ios::binary) << text;
    return ReadExtremaFile(dir.File("e.txt"));
}

}  // namespace

TEST(ExtremaSearch, AFlatPlaneYieldsEveryTestedPositionOnlyWhenEqualityIsAllowed)
{
    const TMatice flat(6, 5, 7.0);
    for (const ExtremumTest test : {kDirections, kNeighbourhood}) {
        EXPECT_EQ(FindMaxima(flat, Maxima(test, true, 4)), Interior(6, 5, 1));
        EXPECT_TRUE(FindMaxima(flat, Maxima(test, false, 1)).empty());
        EXPECT_EQ(FindMinima(flat, Minima(test, true, 3, 4)), Interior(6, 5, 1));
        EXPECT_EQ(FindMinima(flat, Minima(test, true, 5, 4)), Interior(6, 5, 2));
        EXPECT_TRUE(FindMinima(flat, Minima(test, false, 5, 1)).empty());
    }
    const TData cube = MakeCube(60, 5, 6, 100);
    EXPECT_EQ(FindMaxima(cube, Maxima(kDirections, true, 4)), Interior(6, 5, 1));
    EXPECT_EQ(FindMinima(cube, Minima(kNeighbourhood, true, 5, 24)), Interior(6, 5, 2));
    MaximaSettings tooMany = Maxima(kDirections, true, 4);
    tooMany.Bands = 61;
    EXPECT_TRUE(FindMaxima(cube, tooMany).empty());
}

TEST(ExtremaSearch, FourDirectionMaximaCountPairsOfLowerNeighbours)
{
    TMatice peak(3, 3), belowOne(3, 3);  // rows of three
    peak.Values = {1, 2, 1, 2, 9, 3, 1, 2, 1};
    belowOne.Values = {1, 10, 1, 2, 9, 3, 1, 2, 1};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(FindMaxima(peak, Maxima(kDirections, false, k)), (TExtremaList{{1, 1}})) << k;
        EXPECT_EQ(FindMaxima(belowOne, Maxima(kDirections, false, k)).size(), k <= 3 ? 1u : 0u) << k;
    }
    EXPECT_EQ(FindMaxima(belowOne, Maxima(kNeighbourhood, false, 7)).size(), 1u);
    EXPECT_TRUE(FindMaxima(belowOne, Maxima(kNeighbourhood, false, 8)).empty());
    EXPECT_TRUE(FindMaxima(peak, Maxima(kNeighbourhood, true, 9)).empty());
}

TEST(ExtremaSearch, RowWiseSearchesEqualThePerPixelDefinitionsOnRandomPlanes)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> side(1, 14), bands(1, 6), levels(1, 6), pick(0, 100);
    for (int trial = 0; trial < 400; ++trial) {
        const int width = side(rng), height = side(rng), top = trial % 3 ? levels(rng) : 3000;
        const TData cube = RandomCube(bands(rng), height, width, unsigned(trial), trial % 2 ? -top : 0, top);
        TMatice plane(width, height);
        std::uniform_int_distribution<int> level(0, top);
        for (double& v : plane.Values) v = level(rng) / 3.0;
        for (const ExtremumTest test : {kDirections, kNeighbourhood})
            for (const bool equality : {false, true}) {
                MaximaSettings max = Maxima(test, equality, 1 + pick(rng) % (test == kDirections ? 4 : 9));
                max.Bands = 1 + pick(rng) % cube.NBands;
                ASSERT_EQ(FindMaxima(cube, max), FindExtremaPerPixel(cube, max.Bands, MaximaRule(max))) << trial;
                ASSERT_EQ(FindMaxima(plane, max), FindExtremaPerPixel(plane, MaximaRule(max))) << trial;
                for (const int size : {3, 5}) {
                    MinimaSettings min = Minima(test, equality, size, 1 + pick(rng) % (test == kDirections ? 4 : 25));
                    min.Bands = 1 + pick(rng) % cube.NBands;
                    ASSERT_EQ(FindMinima(cube, min), FindExtremaPerPixel(cube, min.Bands, MinimaRule(min))) << trial;
                    ASSERT_EQ(FindMinima(plane, min), FindExtremaPerPixel(plane, MinimaRule(min))) << trial;
                }
            }
    }
}

TEST(ExtremaFile, WritesCrLfLinesInListOrderAndReadsAcrossBlanksSkippingCommentsAndFillingMissingPoints)
{
    TempDir dir;
    const TExtremaList points{{5, 1}, {2, 7}, {2, 3}};
    WriteExtremaFile(dir.File("max.txt"), points);
    EXPECT_EQ(ReadAll(dir.File("max.txt")), "3\r\n5 1\r\n2 7\r\n2 3\r\n");
    EXPECT_EQ(ReadExtremaFile(dir.File("max.txt")), points);

    WriteExtremaFile(dir.File("none.txt"), {});
    EXPECT_EQ(ReadAll(dir.File("none.txt")), "0\r\n");
    EXPECT_TRUE(ReadExtremaFile(dir.File("none.txt")).empty());

    EXPECT_EQ(ReadText(dir, "2\n4\t9\n\t6 8\n"), (TExtremaList{{4, 9}, {6, 8}}));
    EXPECT_EQ(ReadText(dir, "  2 points\r\n4\r\n9 tail 77\r\n6\r\n\r\n8"), (TExtremaList{{4, 9}, {6, 8}}));
    EXPECT_EQ(ReadText(dir, "3\r\n1 2\r\n3"), (TExtremaList{{1, 2}, {3, 0}, {0, 0}}));
    EXPECT_EQ(ReadText(dir, "+2\r\n-1 +4\r\n"), (TExtremaList{{-1, 4}, {0, 0}}));
    EXPECT_TRUE(ReadText(dir, "").empty() && ReadText(dir, " \r\n").empty());
}

TEST(ExtremaFile, RefusesNegativeOrImpossibleCountsAndNonNumbersNamingTheFile)
{
    TempDir dir;
    for (const auto& [text, mention] : {std::pair{"-1\r\n", "-1"},
                                        {"2000000000\r\n1 2\r\n", "2000000000"},
                                        {"99999999999\r\n", "99999999999"},
                                        {"2\r\n1 x2\r\n", "x2"},
                                        {"2\r\n1 2\r\n3 4.5\r\n", "\"4.5\" na řádku 3"}})
        lumera::testing::ExpectRefused([&] { ReadText(dir, text); }, {dir.File("e.txt"), mention});
    EXPECT_THROW(ReadExtremaFile(dir.File("missing.txt")), FileError);
}
