#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "data/file_error.h"
#include "data/number_format.h"
#include "recording_reporter.h"
#include "refusal.h"
#include "sample_data.h"
#include "analysis/reference_files.h"
#include "analysis/reference_library.h"
#include "analysis/weight_chart.h"
#include "analysis/weight_file.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

std::string Lines(int count, const std::string& line)
{
    std::string text;
    for (int i = 0; i < count; ++i) text += line + "\r\n";
    return text;
}

std::string Doubles(const std::vector<double>& values)
{
    std::string out;
    for (const double v : values)
        for (int b = 0; b < 8; ++b) out.push_back(static_cast<char>(std::bit_cast<uint64_t>(v) >> (8 * b)));
    return out;
}

SpectralLibrary Library(const std::string& csv) { return ParseSpectralLibrary(csv, "lib.csv"); }

int CountColour(const Bitmap& picture, BgrColour c)
{
    int count = 0;
    for (std::size_t i = 0; i < picture.Bytes().size(); i += 3)
        count += picture.Bytes()[i] == c.Blue && picture.Bytes()[i + 1] == c.Green && picture.Bytes()[i + 2] == c.Red;
    return count;
}

}  // namespace

TEST(ReferenceText, QuantisedFirstNumbersResampledOntoTheAxisWithThePeakAtOne)
{
    for (const auto& [value, quantised] : {std::pair{0.12346, 1235.0}, {0.12344, 1234.0}, {0.00025, 2.0}, {0.00035, 4.0}})
        EXPECT_EQ(QuantiseReferenceValue(value), quantised) << value;  // ties to even
    TempDir dir;
    WriteAll(dir.File("r.txt"), " 0.5 ignored rest\n1e-1\n" + Lines(599, "+0.25") + "\n  \n");
    const std::vector<double> values = ReadReferenceText(dir.File("r.txt"));
    ASSERT_EQ(values.size(), 601u);
    EXPECT_EQ(std::make_tuple(values[0], values[1], values[600]), std::make_tuple(0.5, 0.1, 0.25));

    RecordingReporter r;
    SpectralState s;
    BuildSpectralAxis(s);
    std::vector<double> line(601);
    for (int k = 0; k < 601; ++k) line[k] = (400 + k) / 10000.0;
    const SpectralVector spectrum = ResampleReference(line, s.Axis, r);
    ASSERT_EQ(spectrum.size(), 64u);
    EXPECT_EQ(spectrum[63], 1.0);
    EXPECT_NEAR(spectrum[0], 400.3 / 981.6, 1e-12);
    EXPECT_TRUE(r.messages.empty());
}

TEST(WeightFile, NumbersRunColumnByColumnThroughTheBlocksAndAShortFileLeavesTheRestZero)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 64; ++i) text.append(" ").append(std::to_string(i)).append(".00000000000000E+0000");
    WriteAll(dir.File("w.txt"), text + " 99 trailing words");
    const SpectralVector w = ReadWeightFile(dir.File("w.txt"));
    EXPECT_EQ(std::make_tuple(w[0], w[16], w[32], w[48], w[1], w[63]), std::make_tuple(0, 1, 2, 3, 4, 63));
    WriteAll(dir.File("short.txt"), "2\n\n -1.5e-1\t4");
    const SpectralVector s = ReadWeightFile(dir.File("short.txt"));
    EXPECT_EQ(std::make_tuple(s[0], s[16], s[32]), std::make_tuple(2.0, -0.15, 4.0));
    EXPECT_EQ(std::count(s.begin(), s.end(), 0.0), 61);
}

TEST(SpectralFiles, MalformedFilesAreRefusedNamingTheFile)
{
    TempDir dir;
    std::vector<double> withNan(960, 1.0);
    withNan[100] = NAN;
    const std::string rows = Lines(300, "0.1");
    const std::tuple<std::string, std::string, std::string> files[] = {  // name, content, a detail of the refusal
        {"long.txt", Lines(602, "0.1"), " 602 "}, {"bad.txt", rows + "x0.1\r\n" + rows, " 301 "},
        {"nan.txt", rows + "nan\r\n" + rows, ""}, {"short.dat", Doubles(std::vector(959, 1.0)), ""},
        {"nan.dat", Doubles(withNan), ""}, {"joined.w", "-1.00000000000000E+0000-2.00000000000000E+0000", ""},
        {"inf.w", "1 inf", ""}, {"missing.txt", "", ""}, {"missing.dat", "", ""}};
    for (const auto& [name, content, detail] : files) {
        if (!content.empty()) WriteAll(dir.File(name), content);
        ExpectRefused(
            [&] {
                if (name.ends_with(".txt")) ReadReferenceText(dir.File(name));
                else if (name.ends_with(".dat")) ReadReferenceTable(dir.File(name));
                else ReadWeightFile(dir.File(name));
            },
            {dir.File(name), detail});
    }
}

TEST(ReferenceLoading, TableReadSpectrumBySpectrumAndAFailedLoadKeepsThePreviousState)
{
    TempDir dir;
    const std::string folder = dir.File("data/refsp/"), program = dir.Path().string();
    std::filesystem::create_directories(folder);
    std::vector<double> table(961, 123.0);  // the last is after the table and not read
    for (int i = 0; i < 960; ++i) table[i] = i / 64 + (i % 64) / 100.0;
    WriteAll(folder + kReferenceTableFile, Doubles(table));
    WriteAll(folder + kReferenceTextFile, Lines(601, "0.3"));
    RecordingReporter r;
    SpectralState s;
    BuildSpectralAxis(s);
    s.ReferenceFileName = kReferenceTextFile;
    LoadCurrentReference(s, program, r);
    LoadReferenceTable(s, program);
    ASSERT_EQ(s.ReferenceTable.size(), 15u);
    EXPECT_EQ(std::make_pair(s.ReferenceTable[4][1], s.ReferenceTable[14][63]), std::make_pair(4.01, 14.63));

    const auto loaded = s.ReferenceTable;
    WriteAll(folder + kReferenceTextFile, Lines(10, "0.3"));
    WriteAll(folder + kReferenceTableFile, "short");
    EXPECT_THROW(LoadCurrentReference(s, program, r), FileError);
    EXPECT_THROW(LoadReferenceTable(s, program), FileError);
    EXPECT_EQ(s.CurrentReference, SpectralVector(64, 1.0));
    EXPECT_EQ(s.ReferenceTable, loaded);
}

TEST(SpectralLibrary, QuotedNamesMissingValuesAndTheLaterDetectorInTheOverlap)
{
    const SpectralLibrary lib = Library("wavelength_um,fwhm_um,\"a: x, y\",b\r\n0.60,0,1,\r\n0.65,0,2,0\r\n0.70,0,3,0\r\n"
                                        "0.66,0,20,0\r\n0.69,0,30,0\r\n0.72,0,40,0\r\n");
    EXPECT_EQ(lib.Names, (std::vector<std::string>{"a: x, y", "b"}));
    EXPECT_EQ(AscendingChannels(lib, 1).size(), 4u);  // the missing value is left out
    // 0.65 is below the new detector's start and stays; 0.70 of the first detector is dropped.
    const auto points = AscendingChannels(lib, 0);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(std::make_pair(points[1].Value, points[2].Value), std::make_pair(2.0, 20.0));
    EXPECT_EQ(std::make_pair(InterpolateLinear(points, 0.625), InterpolateLinear(points, 0.72)), std::make_pair(1.5, 40.0));
    EXPECT_THROW(InterpolateLinear(points, 0.73), std::out_of_range);
    for (const char* rows : {"0.4,0,abc", "0.4,0", "0.4,0,0.5x", "0.4x,0,1", "0.4,0,inf", "nan,0,1"})
        EXPECT_THROW(Library(std::string("wavelength_um,fwhm_um,s\n") + rows + "\n"), FileError) << rows;
    EXPECT_THROW(Library("x,y\n1,2\n"), FileError);
}

TEST(WeightFile, WrittenAsOneLineOfTwentyThreeCharacterFieldsNegativesRunTogetherAndReadBack)
{
    for (const auto& [value, text] : {std::pair{-0.25, "-2.50000000000000E-0001"}, {-0.0, " 0.00000000000000E+0000"},
                                      {-1e-300, "-1.00000000000000E-0300"}, {2.0 / 3.0, " 6.66666666666667E-0001"}})
        EXPECT_EQ(FormatWeightField(value), text);
    TempDir dir;
    WriteWeightFile(dir.File("ones"), SpectralVector(kSpectralBands, 1.0));
    std::string ones;
    for (int i = 0; i < 64; ++i) ones += " 1.00000000000000E+0000";
    EXPECT_EQ(ReadAll(dir.File("ones")), ones);  // 1,472 characters, no line end

    SpectralVector w(kSpectralBands);
    for (int i = 0; i < kSpectralBands; ++i) w[i] = (i % 3 == 0 ? -1.0 : 1.0) * (i + 1) / 8.0;
    w[7] = -2.5e-7;
    WriteWeightFile(dir.File("w"), w);
    const std::string written = ReadAll(dir.File("w"));
    EXPECT_EQ(written.find(' '), 23u);  // bands 2 and 18 run together
    std::ofstream(dir.File("w"), std::ios::app) << "\r\n-9 remarks";  // ignored as after the 64th number
    EXPECT_EQ(ReadWeightFile(dir.File("w")), w);

    // Not 64 written fields: read at blanks, where values run together are refused.
    const std::string broken[] = {written + "5", written.substr(0, 40 * 23) + "-1.00000000000000E+00x0" +
                                                     written.substr(41 * 23)};
    for (const std::string& text : broken) {
        std::ofstream(dir.File("bad"), std::ios::trunc) << text;
        ExpectRefused([&] { ReadWeightFile(dir.File("bad")); }, {dir.File("bad")});
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
    w[2] = 2.0, w[3] = -1.0, w[4] = 0.0;
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
    ASSERT_TRUE(DrawReferenceLine(picture, SpectralVector(kSpectralBands, 0.5)));  // peak at row 1
    EXPECT_TRUE(IsColour(picture, 636, 1, kReferenceLineColour) && IsColour(picture, 5, 2, kReferenceLineColour));
    EXPECT_EQ(CountColour(picture, kReferenceLineColour), 2 * (635 - 5 + 2));

}
