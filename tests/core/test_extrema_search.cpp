#include <gtest/gtest.h>

#include <random>

#include "extrema/brightness.h"
#include "extrema/extrema_search.h"
#include "extrema/picture_search.h"
#include "sample_data.h"

using namespace lumera;
using lumera::testing::MakeCube;
using lumera::testing::PatternPicture;
using lumera::testing::RandomCube;

namespace {

TMatice Plane(const std::vector<std::vector<double>>& rows)
{
    TMatice m(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < m.Height; ++y)
        for (int x = 0; x < m.Width; ++x) m.At(x, y) = rows[y][x];
    return m;
}

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

}  // namespace

TEST(ExtremaSearch, DefaultsAreTheWindowsControls)
{
    const MaximaSettings max;
    EXPECT_EQ(std::tuple(max.Test, max.EqualityAllowed, max.Directions, max.Neighbours, max.Bands),
              std::tuple(kDirections, false, 4, 7, 60));
    const MinimaSettings min;
    EXPECT_EQ(std::tuple(min.Test, min.EqualityAllowed, min.Size, min.Directions, min.Neighbours, min.Bands),
              std::tuple(kDirections, false, 5, 1, 4, 60));
}

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
    const TMatice peak = Plane({{1, 2, 1}, {2, 9, 3}, {1, 2, 1}});
    const TMatice belowOne = Plane({{1, 10, 1}, {2, 9, 3}, {1, 2, 1}});
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(FindMaxima(peak, Maxima(kDirections, false, k)), (TExtremaList{{1, 1}})) << k;
        EXPECT_EQ(FindMaxima(belowOne, Maxima(kDirections, false, k)).size(), k <= 3 ? 1u : 0u) << k;
    }
    EXPECT_EQ(FindMaxima(belowOne, Maxima(kNeighbourhood, false, 7)).size(), 1u);
    EXPECT_TRUE(FindMaxima(belowOne, Maxima(kNeighbourhood, false, 8)).empty());
    EXPECT_TRUE(FindMaxima(peak, Maxima(kNeighbourhood, true, 9)).empty());
}

TEST(ExtremaSearch, ValleysAndRisingProfilesMakeTheMinimaGrid)
{
    // A vertical valley one pixel wide in column 2.
    TMatice valley(5, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 5; ++x) valley.At(x, y) = std::abs(x - 2) * 2.0;
    TExtremaList column;
    for (int y = 1; y <= 4; ++y) column.push_back({2, y});
    for (const bool equality : {false, true}) {
        EXPECT_EQ(FindMinima(valley, Minima(kDirections, equality, 3, 3)), column);
        EXPECT_EQ(FindMinima(valley, Minima(kDirections, equality, 3, 4)), equality ? column : TExtremaList{});
    }

    // 5 x 5, horizontal direction only: 5 3 1 3 5 passes, 5 3 1 3 2 does not.
    TMatice rising(5, 5, 0.0), falling(5, 5, 0.0);
    const double across[5] = {5, 3, 1, 3, 5}, fallsAtEnd[5] = {5, 3, 1, 3, 2};
    for (int x = 0; x < 5; ++x) rising.At(x, 2) = across[x], falling.At(x, 2) = fallsAtEnd[x];
    EXPECT_EQ(FindMinima(rising, Minima(kDirections, false, 5, 1)), (TExtremaList{{2, 2}}));
    EXPECT_TRUE(FindMinima(falling, Minima(kDirections, false, 5, 1)).empty());
    EXPECT_EQ(FindMinima(falling, Minima(kDirections, false, 3, 1)), (TExtremaList{{2, 2}}));

    // The 5 x 5 count compares all 24 cells with the centre.
    TMatice pit(5, 5, 4.0);
    pit.At(2, 2) = 1.0;
    EXPECT_EQ(FindMinima(pit, Minima(kNeighbourhood, false, 5, 24)), (TExtremaList{{2, 2}}));
    EXPECT_TRUE(FindMinima(pit, Minima(kNeighbourhood, false, 3, 9)).empty());
}

TEST(ExtremaSearch, SmallPlanesYieldNothingAndPointsComeByColumnThenRow)
{
    EXPECT_TRUE(FindMaxima(TMatice(2, 9, 1.0), Maxima(kDirections, true, 1)).empty());
    EXPECT_TRUE(FindMaxima(TMatice(9, 2, 1.0), Maxima(kDirections, true, 1)).empty());
    EXPECT_TRUE(FindMinima(TMatice(4, 9, 1.0), Minima(kDirections, true, 5, 1)).empty());
    EXPECT_TRUE(FindMaxima(TData{}, MaximaSettings{}).empty());
    EXPECT_EQ(FindMinima(TMatice(3, 3, 1.0), Minima(kDirections, true, 3, 1)), (TExtremaList{{1, 1}}));

    const TMatice twoPeaks =
        Plane({{0, 0, 0, 0, 0}, {0, 0, 0, 5, 0}, {0, 0, 0, 0, 0}, {0, 5, 0, 0, 0}, {0, 0, 0, 0, 0}});
    EXPECT_EQ(FindMaxima(twoPeaks, Maxima(kDirections, false, 4)), (TExtremaList{{1, 3}, {3, 1}}));
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

TEST(PictureSearch, FiltersTheBrightnessOnlyWhenAskedAndStopsOnACellThatIsNoNumber)
{
    const Bitmap picture = PatternPicture(24, 18);
    TFilterCells unset{7, std::vector<std::string>(49)};
    EXPECT_EQ(FindMaxima(picture, std::nullopt, MaximaSettings{}),
              FindMaxima(BrightnessMatrix(picture), MaximaSettings{}));
    EXPECT_THROW(FindMaxima(picture, unset, MaximaSettings{}), FilterCellError);
    EXPECT_THROW(FindMinima(picture, unset, MinimaSettings{}), FilterCellError);
    const TFilterCells gauss = GaussFilter(5, ',');
    EXPECT_EQ(FindMinima(picture, gauss, MinimaSettings{}),
              FindMinima(FilteredBrightness(picture, gauss), MinimaSettings{}));
}
