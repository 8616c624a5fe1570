#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "data/file_error.h"
#include "data/number_format.h"
#include "recording_reporter.h"
#include "spectral/spectral_vector.h"
#include "spectral/weight_chart.h"
#include "spectral/weight_file.h"
#include "spectral/weight_table.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

SpectralVector Filled(double value) { return SpectralVector(kSpectralBands, value); }

int CountColour(const Bitmap& picture, BgrColour colour)
{
    int count = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const uint8_t* p = picture.ScanLine(y) + 3 * x;
            count += p[0] == colour.Blue && p[1] == colour.Green && p[2] == colour.Red;
        }
    return count;
}

bool IsColour(const Bitmap& picture, int x, int y, BgrColour colour)
{
    const uint8_t* p = picture.ScanLine(y) + 3 * x;
    return p[0] == colour.Blue && p[1] == colour.Green && p[2] == colour.Red;
}

Bitmap WhiteChart()
{
    Bitmap picture(kWeightChartWidth, kWeightChartHeight);
    picture.Fill(255, 255, 255);
    return picture;
}

}  // namespace

TEST(WeightFile, FieldsAreTwentyThreeCharactersWithAFullStopAndFourExponentDigits)
{
    EXPECT_EQ(FormatWeightField(1.0), " 1.00000000000000E+0000");
    EXPECT_EQ(FormatWeightField(-0.25), "-2.50000000000000E-0001");
    EXPECT_EQ(FormatWeightField(0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormatWeightField(-0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormatWeightField(123456.789), " 1.23456789000000E+0005");
    EXPECT_EQ(FormatWeightField(-1e-300), "-1.00000000000000E-0300");
    EXPECT_EQ(FormatWeightField(2.0 / 3.0), " 6.66666666666667E-0001");
}

TEST(WeightFile, OnesAreWrittenAsOneLineAndTheFileRunsColumnByColumnThroughTheBlocks)
{
    TempDir dir;
    WriteWeightFile(dir.File("ones"), Filled(1.0));
    std::string expected;
    for (int i = 0; i < 64; ++i) expected += " 1.00000000000000E+0000";
    EXPECT_EQ(ReadAll(dir.File("ones")), expected);
    EXPECT_EQ(expected.size(), 1472u);

    SpectralVector w(kSpectralBands);
    for (int i = 0; i < kSpectralBands; ++i) w[i] = i + 2;  // the band number
    WriteWeightFile(dir.File("bands"), w);
    const std::string text = ReadAll(dir.File("bands"));
    EXPECT_EQ(text.substr(0, 4 * 23), FormatWeightField(2) + FormatWeightField(18) + FormatWeightField(34) +
                                          FormatWeightField(50));
    EXPECT_EQ(ReadWeightFile(dir.File("bands")), w);
}

TEST(WeightFile, NegativeWeightsRunningOnFromThePreviousFieldReadBackAsWritten)
{
    TempDir dir;
    SpectralVector w(kSpectralBands);
    for (int i = 0; i < kSpectralBands; ++i) w[i] = (i % 3 == 0 ? -1.0 : 1.0) * (i + 1) / 8.0;
    w[5] = 0.0;
    w[7] = -2.5e-7;
    WriteWeightFile(dir.File("w"), w);
    EXPECT_EQ(ReadAll(dir.File("w")).find(' '), 23u * 1);  // fields 0 (band 2) and 1 (band 18) are negative
    EXPECT_EQ(ReadWeightFile(dir.File("w")), w);

    // A line end and anything after the 64 fields are ignored, as after the 64th number.
    std::ofstream(dir.File("w"), std::ios::app) << "\r\n-9 remarks";
    EXPECT_EQ(ReadWeightFile(dir.File("w")), w);

    // Fields of the written form that run on into a 65th character are no such file:
    // read at blanks, two values run together are refused.
    const std::string runOn = ReadAll(dir.File("w")).substr(0, 1472) + "5";
    std::ofstream(dir.File("w"), std::ios::trunc) << runOn;
    EXPECT_THROW(ReadWeightFile(dir.File("w")), FileError);
}

TEST(WeightFile, AFileWithANumberThatCannotBeReadIsRefusedWhole)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 64; ++i) text += i == 40 ? "-1.00000000000000E+00x0" : FormatWeightField(1.5);
    std::ofstream(dir.File("w")) << text;
    try {
        ReadWeightFile(dir.File("w"));
        ADD_FAILURE() << "accepted";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.File("w")), std::string::npos);
    }
}

TEST(NumberText, TheUsersDecimalSeparatorOnlyAndFiniteNumbersOnly)
{
    double v = 0;
    EXPECT_TRUE(ParseNumber(" 0,5 ", ',', v) && v == 0.5);
    EXPECT_TRUE(ParseNumber("+2E-1", ',', v) && v == 0.2);
    EXPECT_TRUE(ParseNumber("-3", '.', v) && v == -3);
    for (const char* bad : {"0.5", "", " ", "1,5x", "inf", "nan", "1e999", "+-1", "1 2", "0,5,"})
        EXPECT_FALSE(ParseNumber(bad, ',', v)) << bad;
    EXPECT_FALSE(ParseNumber("0,5", '.', v));
}

TEST(WeightTable, BlocksOfLabelCentreAndWeightAndTheFirstNonNumberIsNamed)
{
    const auto grid = NewWeightGrid(InitBandTable(), ',');
    ASSERT_EQ(grid.size(), 12u);
    ASSERT_EQ(grid[0].size(), 16u);
    const std::vector<std::string> column0 = {"band2",  "400,3", "1", "band18", "542,2", "1",
                                              "band34", "689,9", "1", "band50", "840", "1"};
    for (int row = 0; row < 12; ++row) EXPECT_EQ(grid[row][0], column0[row]) << row;
    EXPECT_EQ(grid[9][15], "band65");
    EXPECT_EQ(WeightCell(17).Row, 5);
    EXPECT_EQ(WeightCell(17).Column, 1);

    std::vector<std::string> texts(kSpectralBands, "0,5");
    const ParsedWeights ok = ParseWeights(texts, ',');
    EXPECT_FALSE(ok.Bad);
    EXPECT_EQ(ok.Weights, Filled(0.5));
    texts[3] = "1.5";
    texts[9] = "abc";
    const ParsedWeights bad = ParseWeights(texts, ',');
    EXPECT_EQ(bad.Bad, "1.5");
    EXPECT_TRUE(bad.Weights.empty());
    EXPECT_EQ(NotANumberMessage("1.5"), "\"1.5\" není platné číslo.");
}

TEST(WeightTable, OperationsOnTheTableAndTheMemory)
{
    RecordingReporter r;
    SpectralVector squared = ApplyWeightOperation(Filled(0.5), WeightOperation::Power, Filled(1.0), r);
    EXPECT_EQ(squared, Filled(0.25));
    ASSERT_TRUE(TryNormalisePeak(squared));
    EXPECT_EQ(squared, Filled(1.0));

    SpectralVector zeros = ApplyWeightOperation(Filled(1.0), WeightOperation::OneMinus, Filled(1.0), r);
    EXPECT_EQ(zeros, Filled(0.0));
    EXPECT_FALSE(TryNormalisePeak(zeros));

    SpectralVector x(kSpectralBands);
    for (int i = 0; i < kSpectralBands; ++i) x[i] = i - 10.5;
    EXPECT_EQ(ApplyWeightOperation(x, WeightOperation::ProductWithMemory, Filled(1.0), r), x);
    EXPECT_EQ(ApplyWeightOperation(x, WeightOperation::ProductWithMemory, Filled(2.0), r)[3], -15.0);
    EXPECT_EQ(ApplyWeightOperation(x, WeightOperation::SumWithMemory, Filled(2.0), r)[3], -5.5);
    EXPECT_EQ(ApplyWeightOperation(x, WeightOperation::None, Filled(2.0), r), x);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_TRUE(UsesMemory(WeightOperation::SumWithMemory) && !UsesMemory(WeightOperation::OneMinus));
}

TEST(WeightTable, StoringPeakNormalisesAndSetsTheFlagButAllZerosChangeNothing)
{
    SpectralState state;
    InitCustomFunctions(state);
    SpectralVector weights = Filled(1.0);
    weights[0] = 2.0;
    weights[1] = 4.0;
    EXPECT_TRUE(StoreCustomFunction(state, WeightEditorMode::CounterWeight, weights));
    EXPECT_EQ(std::vector(state.CustomCounterWeight.begin(), state.CustomCounterWeight.begin() + 3),
              std::vector({0.5, 1.0, 0.25}));
    EXPECT_EQ(state.CustomWeight, Filled(1.0));
    EXPECT_TRUE(state.CustomFunctionSet);

    SpectralState fresh;
    InitCustomFunctions(fresh);
    EXPECT_FALSE(StoreCustomFunction(fresh, WeightEditorMode::Weight, Filled(0.0)));
    EXPECT_EQ(fresh.CustomWeight, Filled(1.0));
    EXPECT_FALSE(fresh.CustomFunctionSet);
}

TEST(WeightChart, BarsStandOnTheBottomEdgeScaledToTheLargestWeight)
{
    Bitmap picture = WhiteChart();
    SpectralVector w = Filled(1.0);
    w[2] = 2.0;
    w[3] = -1.0;
    w[4] = 0.0;
    ASSERT_TRUE(DrawWeightBars(picture, w, 3, kTableBarColour));
    // Band 2 is the tallest: 239 pixels from row 10; band 0 half of it, round(119.5) = 120.
    EXPECT_TRUE(IsColour(picture, 23, 10, kTableBarColour) && IsColour(picture, 25, 249, kTableBarColour));
    EXPECT_FALSE(IsColour(picture, 23, 9, kTableBarColour) || IsColour(picture, 26, 100, kTableBarColour));
    EXPECT_TRUE(IsColour(picture, 3, 129, kTableBarColour) && !IsColour(picture, 3, 128, kTableBarColour));
    EXPECT_EQ(CountColour(picture, kTableBarColour), 3 * (240 + 61 * 121 + 1));  // zero: one row; negative: none

    const Bitmap before = picture;
    EXPECT_FALSE(DrawWeightBars(picture, Filled(0.0), 5, kFunctionBarColour));
    EXPECT_FALSE(DrawWeightBars(picture, Filled(-2.0), 5, kFunctionBarColour));
    EXPECT_FALSE(DrawReferenceLine(picture, Filled(-1.0)));
    EXPECT_EQ(picture, before);
    SpectralVector tiny = Filled(-1e300);
    tiny[0] = 1e-300;  // negative bars far below the picture must not overflow
    EXPECT_TRUE(DrawWeightBars(picture, tiny, 5, kFunctionBarColour));
    EXPECT_EQ(CountColour(picture, kFunctionBarColour), 3 * 240);
    EXPECT_TRUE(IsColour(picture, 5, 10, kFunctionBarColour));
}

TEST(WeightChart, TheReferenceLineIsTwoPixelsWideAndClearingKeepsTheTopRowAndLeftColumn)
{
    Bitmap picture = WhiteChart();
    ASSERT_TRUE(DrawReferenceLine(picture, Filled(0.5)));  // the peak: 248 pixels up, row 1
    for (const int x : {5, 100, 635, 636}) EXPECT_TRUE(IsColour(picture, x, 1, kReferenceLineColour) &&
                                                        IsColour(picture, x, 2, kReferenceLineColour)) << x;
    EXPECT_EQ(CountColour(picture, kReferenceLineColour), 2 * (635 - 5 + 2));

    picture.Fill(0, 0, 0);
    ClearWeightChart(picture);
    EXPECT_EQ(CountColour(picture, kWhite), 639 * 249);
    EXPECT_TRUE(IsColour(picture, 0, 100, kBlack) && IsColour(picture, 100, 0, kBlack));
}
