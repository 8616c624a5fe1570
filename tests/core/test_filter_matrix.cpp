#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <tuple>

#include "extrema/brightness.h"
#include "extrema/filter_matrix.h"
#include "temp_dir.h"
#include "refusal.h"

using namespace lumera;
using lumera::testing::ReadAll;
using lumera::testing::TempDir;

namespace {

TFilterCells Cells(int edge, std::vector<std::string> texts) { return TFilterCells{edge, std::move(texts)}; }

// A 3 x 3 matrix with every cell "0" except the given ones.
TFilterCells Sparse3(std::initializer_list<std::pair<int, const char*>> cells)
{
    TFilterCells result = Cells(3, std::vector<std::string>(9, "0"));
    for (const auto& [index, text] : cells) result.Texts[index] = text;
    return result;
}

TMatice RandomMatrix(int width, int height, std::mt19937& rng, int levels)
{
    std::uniform_int_distribution<int> level(0, levels);
    TMatice m(width, height);
    for (double& v : m.Values) v = level(rng) / 3.0;
    return m;
}

}  // namespace

TEST(FilterMatrix, OnesNormalizeAndGaussWriteFifteenDigitTextsWithTheUsersSeparator)
{
    const TFilterCells ones = OnesFilter(3);
    EXPECT_EQ(ones, Cells(3, std::vector<std::string>(9, "1")));
    EXPECT_EQ(NormalizeFilter(ones, '.'), Cells(3, std::vector<std::string>(9, "0.111111111111111")));
    EXPECT_EQ(NormalizeFilter(ones, ','), Cells(3, std::vector<std::string>(9, "0,111111111111111")));
    // Both separators are read; tiny values come out in exponent form.
    const TFilterCells tiny = NormalizeFilter(Sparse3({{0, "1e-5"}, {4, "1,0"}, {8, " +0.0 "}}), ',');
    EXPECT_EQ(tiny.Texts[0], "9,99990000099999E-6");
    EXPECT_EQ(tiny.Texts[4], "0,999990000099999");
    EXPECT_EQ(tiny.Texts[8], "0");

    const TMatice gauss = FilterWeights(GaussFilter(3, ','));
    double sum = 0.0;
    for (double v : gauss.Values) sum += v;
    EXPECT_NEAR(sum, 1.0, 1e-14);
    EXPECT_NEAR(gauss.At(0, 0) / gauss.At(1, 1), std::exp(-1.0), 1e-13);
    EXPECT_NEAR(gauss.At(1, 0) / gauss.At(1, 1), std::exp(-0.5), 1e-13);
}

TEST(FilterMatrix, RefusesZeroSumsNonNumbersAndEvenOrOutOfRangeEdges)
{
    EXPECT_THROW(NormalizeFilter(Sparse3({{0, "1"}, {1, "-1"}}), '.'), std::domain_error);
    EXPECT_THROW(NormalizeFilter(Sparse3({{0, "1e308"}, {1, "1e308"}}), '.'), std::domain_error);
    for (const char* bad : {"abc", "", "1.5.2", "inf", "nan", "1,5e"}) {
        lumera::testing::ExpectRefused<FilterCellError>([&] { NormalizeFilter(Sparse3({{3, bad}}), '.'); },
                                                        {std::string("\"") + bad + "\""});
        EXPECT_THROW(FilterWeights(Sparse3({{3, bad}})), FilterCellError);
    }
    const TMatice quarters = FilterWeights(Sparse3({{1, "0,25"}, {2, "2.5E-1"}}));
    EXPECT_TRUE(quarters.Values[1] == 0.25 && quarters.Values[2] == 0.25);

    for (int edge : {1, 2, 4, 14, 16, 17}) {
        EXPECT_TRUE(EdgeRefusal(edge).has_value()) << edge;
        EXPECT_THROW(OnesFilter(edge), std::invalid_argument);
        EXPECT_THROW(GaussFilter(edge, '.'), std::invalid_argument);
    }
    EXPECT_FALSE(FilterRefusal(OnesFilter(15)).has_value());
    EXPECT_TRUE(FilterRefusal(Cells(4, std::vector<std::string>(16, "1"))).has_value());
    EXPECT_TRUE(FilterRefusal(Cells(3, std::vector<std::string>(8, "1"))).has_value());
}

TEST(FilterMatrix, FileReproducesEveryCellTextAndRefusesBadSizesNamingTheFile)
{
    TempDir dir;
    TFilterCells cells = GaussFilter(3, ',');
    cells.Texts[1] = "abc";
    cells.Texts[2] = "";
    cells.Texts[5] = " 1,5 ";
    WriteFilterFile(dir.File("f"), cells);
    const std::string bytes = ReadAll(dir.File("f"));
    EXPECT_EQ(bytes.find("3\r\n" + cells.Texts[0] + "\r\nabc\r\n\r\n" + cells.Texts[3] + "\r\n"), 0u);
    EXPECT_EQ(ReadFilterFile(dir.File("f")), cells);

    std::ofstream(dir.File("lf"), std::ios::binary) << " \n3 edge\n1\n2\n3\n4\n5\n6\n7\n8\n9";
    EXPECT_EQ(ReadFilterFile(dir.File("lf")), Cells(3, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}));

    for (const auto& [text, mention] : {std::pair{"17\r\n", "17"},
                                        {"4\r\n", "4"},
                                        {"x\r\n1\r\n", "celé číslo"},
                                        {"3.5\r\n", "celé číslo"},
                                        {"99999999999\r\n", "celé číslo"},
                                        {"", "celé číslo"},
                                        {"3\r\n1\r\n1\r\n", "9"}}) {
        std::ofstream(dir.File("bad"), std::ios::binary) << text;
        lumera::testing::ExpectRefused([&] { ReadFilterFile(dir.File("bad")); }, {dir.File("bad"), mention});
    }
}

TEST(FilterMatrix, FiltersTheInteriorTransposedWithWeightsAsTheyStand)
{
    // All ones, not normalised: the interior of a flat picture grows n x n
    // times, the frame of width n / 2 keeps its value.
    TMatice flat(10, 10, 2.0);
    ApplyFilter(flat, FilterWeights(OnesFilter(7)));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool interior = x >= 3 && x <= 6 && y >= 3 && y <= 6;
            EXPECT_EQ(flat.At(x, y), interior ? 98.0 : 2.0) << x << "," << y;
        }

    // The weight in grid row 0, column 2 takes the pixel one row below and
    // one column to the left.
    std::mt19937 rng(3);
    const TMatice source = RandomMatrix(6, 5, rng, 600);
    TMatice shifted = source;
    ApplyFilter(shifted, FilterWeights(Sparse3({{2, "1"}})));
    EXPECT_EQ(std::make_tuple(shifted.At(2, 2), shifted.At(4, 3), shifted.At(0, 0)),
              std::make_tuple(source.At(1, 3), source.At(3, 4), source.At(0, 0)));
    // Weights without a centre are refused, square or not.
    EXPECT_THROW(ApplyFilter(shifted, TMatice(2, 2, 1.0)), std::invalid_argument);
    EXPECT_THROW(ApplyFilter(shifted, TMatice(1, 3, 1.0)), std::invalid_argument);
}

TEST(FilterMatrix, RowWiseFilterEqualsThePerPixelDefinitionBitForBit)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> side(1, 40), edge(1, 7), weight(-50, 200);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 2 * edge(rng) + 1;
        TMatice weights(n, n);
        for (double& w : weights.Values) w = weight(rng) / 997.0;
        TMatice fast = RandomMatrix(side(rng), side(rng), rng, trial % 2 ? 4 : 765);
        TMatice plain = fast;
        ApplyFilter(fast, weights);
        ApplyFilterPerPixel(plain, weights);
        ASSERT_EQ(fast, plain) << trial;
    }
}

TEST(Brightness, MeanOfTheThreeBytesAndTheFilteredPictureRoundsAndLimits)
{
    Bitmap picture(2, 1);
    uint8_t* px = picture.ScanLine(0);
    px[0] = 1, px[1] = 2, px[2] = 4, px[3] = 255, px[4] = 255, px[5] = 254;
    const TMatice m = BrightnessMatrix(picture);
    EXPECT_EQ(m.Values, (std::vector<double>{7 / 3.0, 764 / 3.0}));

    TMatice values(6, 1);
    values.Values = {-3.0, 2.5, 3.5, 254.5, 300.0, 0.51};
    const Bitmap grey = FilteredPicture(values);
    std::vector<int> levels;
    for (int x = 0; x < 6; ++x) {
        const uint8_t* g = grey.ScanLine(0) + 3 * x;
        EXPECT_TRUE(g[0] == g[1] && g[1] == g[2]);
        levels.push_back(g[0]);
    }
    EXPECT_EQ(levels, (std::vector<int>{0, 2, 4, 254, 255, 1}));
}
