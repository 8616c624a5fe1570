#include <gtest/gtest.h>

#include <fstream>

#include "data/file_error.h"
#include "data/number_format.h"
#include "spectral/weight_chart.h"
#include "spectral/weight_file.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

int CountColour(const Bitmap& picture, BgrColour c)
{
    int count = 0;
    for (std::size_t i = 0; i < picture.Bytes().size(); i += 3)
        count += picture.Bytes()[i] == c.Blue && picture.Bytes()[i + 1] == c.Green && picture.Bytes()[i + 2] == c.Red;
    return count;
}

bool IsColour(const Bitmap& picture, int x, int y, BgrColour c)
{
    const uint8_t* p = picture.ScanLine(y) + 3 * x;
    return p[0] == c.Blue && p[1] == c.Green && p[2] == c.Red;
}

}  // namespace

TEST(WeightFile, WrittenAsOneLineOfTwentyThreeCharacterFieldsColumnByColumnThroughTheBlocks)
{
    EXPECT_EQ(FormatWeightField(-0.25), "-2.50000000000000E-0001");
    EXPECT_EQ(FormatWeightField(-0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormatWeightField(-1e-300), "-1.00000000000000E-0300");
    EXPECT_EQ(FormatWeightField(2.0 / 3.0), " 6.66666666666667E-0001");
    TempDir dir;
    WriteWeightFile(dir.File("ones"), SpectralVector(kSpectralBands, 1.0));
    std::string ones;
    for (int i = 0; i < 64; ++i) ones += " 1.00000000000000E+0000";
    EXPECT_EQ(ReadAll(dir.File("ones")), ones);  // 1,472 characters, no line end

    SpectralVector bands(kSpectralBands);
    for (int i = 0; i < kSpectralBands; ++i) bands[i] = i + 2;
    WriteWeightFile(dir.File("bands"), bands);
    EXPECT_EQ(ReadAll(dir.File("bands")).substr(0, 92),
              FormatWeightField(2) + FormatWeightField(18) + FormatWeightField(34) + FormatWeightField(50));
    EXPECT_EQ(ReadWeightFile(dir.File("bands")), bands);
}

TEST(WeightFile, NegativeWeightsReadBackAndANumberThatCannotBeReadRefusesTheFile)
{
    TempDir dir;
    SpectralVector w(kSpectralBands);
    for (int i = 0; i < kSpectralBands; ++i) w[i] = (i % 3 == 0 ? -1.0 : 1.0) * (i + 1) / 8.0;
    w[7] = -2.5e-7;
    WriteWeightFile(dir.File("w"), w);
    const std::string written = ReadAll(dir.File("w"));
    EXPECT_EQ(written.find(' '), 23u);  // bands 2 and 18 run together
    EXPECT_EQ(ReadWeightFile(dir.File("w")), w);
    std::ofstream(dir.File("w"), std::ios::app) << "\r\n-9 remarks";  // ignored as after the 64th number
    EXPECT_EQ(ReadWeightFile(dir.File("w")), w);

    // Not 64 written fields: read at blanks, where values run together are refused.
    const std::string broken[] = {written + "5", written.substr(0, 40 * 23) + "-1.00000000000000E+00x0" +
                                                     written.substr(41 * 23)};
    for (const std::string& text : broken) {
        std::ofstream(dir.File("bad"), std::ios::trunc) << text;
        try {
            ReadWeightFile(dir.File("bad"));
            ADD_FAILURE() << "accepted";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(dir.File("bad")), std::string::npos);
        }
    }
}

TEST(NumberText, TheUsersDecimalSeparatorOnlyAndFiniteNumbersOnly)
{
    double v = 0;
    EXPECT_TRUE(ParseNumber(" 0,5 ", ',', v) && v == 0.5);
    EXPECT_TRUE(ParseNumber("+2E-1", ',', v) && v == 0.2);
    for (const char* bad : {"0.5", "", " ", "1,5x", "inf", "nan", "1e999", "+-1", "1 2"})
        EXPECT_FALSE(ParseNumber(bad, ',', v)) << bad;
    EXPECT_FALSE(ParseNumber("0,5", '.', v));
}

TEST(WeightChart, BarsAndTheReferenceLineScaleToTheLargestValueAndNeedAPositiveOne)
{
    Bitmap picture(kWeightChartWidth, kWeightChartHeight);
    picture.Fill(255, 255, 255);
    SpectralVector w(kSpectralBands, 1.0);
    w[2] = 2.0;
    w[3] = -1.0;
    w[4] = 0.0;
    ASSERT_TRUE(DrawWeightBars(picture, w, 3, kTableBarColour));
    // Band 2 stands 239 pixels high from row 10, the ones round(119.5) = 120, 0 one row, -1 nothing.
    EXPECT_TRUE(IsColour(picture, 23, 10, kTableBarColour) && !IsColour(picture, 23, 9, kTableBarColour));
    EXPECT_TRUE(IsColour(picture, 3, 129, kTableBarColour) && !IsColour(picture, 3, 128, kTableBarColour));
    EXPECT_EQ(CountColour(picture, kTableBarColour), 3 * (240 + 61 * 121 + 1));

    const Bitmap before = picture;
    EXPECT_FALSE(DrawWeightBars(picture, SpectralVector(kSpectralBands, 0.0), 5, kFunctionBarColour));
    EXPECT_FALSE(DrawReferenceLine(picture, SpectralVector(kSpectralBands, -1.0)));
    EXPECT_EQ(picture, before);
    SpectralVector far(kSpectralBands, -1e300);
    far[0] = 1e-300;  // bars far below the picture must not overflow the row
    EXPECT_TRUE(DrawWeightBars(picture, far, 5, kFunctionBarColour));
    EXPECT_EQ(CountColour(picture, kFunctionBarColour), 3 * 240);

    // A subnormal peak, whose scale overflows: the same bars as for a peak of 1.
    picture.Fill(255, 255, 255);
    SpectralVector tiny(kSpectralBands, 0.0);
    tiny[0] = 1e-320;
    tiny[1] = 5e-321;
    EXPECT_TRUE(DrawWeightBars(picture, tiny, 5, kFunctionBarColour));
    EXPECT_TRUE(IsColour(picture, 5, 10, kFunctionBarColour) && !IsColour(picture, 5, 9, kFunctionBarColour));
    EXPECT_TRUE(IsColour(picture, 15, 129, kFunctionBarColour) && !IsColour(picture, 15, 128, kFunctionBarColour));
    EXPECT_EQ(CountColour(picture, kFunctionBarColour), 3 * (240 + 121 + 62));
    picture.Fill(255, 255, 255);
    ASSERT_TRUE(DrawReferenceLine(picture, tiny));
    EXPECT_TRUE(IsColour(picture, 5, 2, kReferenceLineColour) && IsColour(picture, 636, 249, kReferenceLineColour));

    picture.Fill(255, 255, 255);
    ASSERT_TRUE(DrawReferenceLine(picture, SpectralVector(kSpectralBands, 0.5)));  // peak at row 1
    EXPECT_TRUE(IsColour(picture, 636, 1, kReferenceLineColour) && IsColour(picture, 5, 2, kReferenceLineColour));
    EXPECT_EQ(CountColour(picture, kReferenceLineColour), 2 * (635 - 5 + 2));

    picture.Fill(0, 0, 0);
    ClearWeightChart(picture);
    EXPECT_EQ(CountColour(picture, kWhite), 639 * 249);
    EXPECT_TRUE(IsColour(picture, 0, 100, kBlack) && IsColour(picture, 100, 0, kBlack));
}
