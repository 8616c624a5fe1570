#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "data/file_error.h"
#include "recording_reporter.h"
#include "spectral/reference_files.h"
#include "spectral/spectral_library.h"
#include "spectral/weight_file.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string Lines(int count, const std::string& line)
{
    std::string text;
    for (int i = 0; i < count; ++i) text += line + "\r\n";
    return text;
}

void WriteDoubles(const std::string& path, const std::vector<double>& values)
{
    std::ofstream out(path, std::ios::binary);
    for (const double v : values)
        for (int b = 0; b < 8; ++b) out.put(static_cast<char>(std::bit_cast<uint64_t>(v) >> (8 * b)));
}

SpectralLibrary Library(const std::string& csv)
{
    TempDir dir;
    WriteText(dir.File("lib.csv"), csv);
    return ReadSpectralLibrary(dir.File("lib.csv"));
}

}  // namespace

TEST(ReferenceText, FirstNumberOfEachLineQuantisedToFourDecimals)
{
    EXPECT_EQ(QuantiseReferenceValue(0.12346), 1235.0);
    EXPECT_EQ(QuantiseReferenceValue(0.12344), 1234.0);
    EXPECT_EQ(QuantiseReferenceValue(0.00025), 2.0);  // 2.5 -> 2, ties to even
    EXPECT_EQ(QuantiseReferenceValue(0.00035), 4.0);  // 3.5 -> 4
    TempDir dir;
    // Blank lines at the end do not count.
    WriteText(dir.File("r.txt"), " 0.5 ignored rest\n1e-1\t# comment\n" + Lines(599, "+0.25") + "\n  \n");
    const std::vector<double> values = ReadReferenceText(dir.File("r.txt"));
    ASSERT_EQ(values.size(), 601u);
    EXPECT_EQ(values[0], 0.5);
    EXPECT_EQ(values[1], 0.1);
    EXPECT_EQ(values[600], 0.25);
}

TEST(ReferenceText, ResamplingHitsTheAxisAndNormalisesThePeak)
{
    RecordingReporter r;
    SpectralState s;
    BuildSpectralAxis(s);
    // A straight line in wavelength: the spline reproduces it, and the peak at 981.6 nm becomes 1.
    std::vector<double> values(601);
    for (int k = 0; k < 601; ++k) values[k] = (400 + k) / 10000.0;
    const SpectralVector spectrum = ResampleReference(values, s.Axis, r);
    ASSERT_EQ(spectrum.size(), 64u);
    EXPECT_EQ(spectrum[63], 1.0);
    EXPECT_NEAR(spectrum[0], 400.3 / 981.6, 1e-12);
    EXPECT_TRUE(r.messages.empty());
}

TEST(ReferenceTable, ReadsSpectrumBySpectrumInFileOrder)
{
    TempDir dir;
    std::vector<double> values(960);
    for (int i = 0; i < 960; ++i) values[i] = i / 64 + (i % 64) / 100.0;
    values.push_back(123.0);  // bytes after the table are not read
    WriteDoubles(dir.File("t.dat"), values);
    const auto table = ReadReferenceTable(dir.File("t.dat"));
    ASSERT_EQ(table.size(), 15u);
    EXPECT_EQ(table[0][0], 0.0);
    EXPECT_EQ(table[4][1], 4.01);  // "E34", band 3
    EXPECT_EQ(table[14][63], 14.63);
}

TEST(WeightFile, NumbersRunColumnByColumnThroughTheBlocksAndAShortFileLeavesTheRestZero)
{
    // Bands 2, 18, 34, 50, 3, ... 65.
    for (const auto& [i, element] : {std::pair{0, 0}, {1, 16}, {2, 32}, {3, 48}, {4, 1}, {63, 63}})
        EXPECT_EQ(WeightFileElement(i), element) << i;
    TempDir dir;
    std::string text;
    for (int i = 0; i < 64; ++i) text.append(" ").append(std::to_string(i)).append(".00000000000000E+0000");
    WriteText(dir.File("w.txt"), text + " 99 trailing words");
    const SpectralVector w = ReadWeightFile(dir.File("w.txt"));
    for (int i = 0; i < 64; ++i) EXPECT_EQ(w[WeightFileElement(i)], i);
    WriteText(dir.File("short.txt"), "2\n\n -1.5e-1\t4");
    const SpectralVector s = ReadWeightFile(dir.File("short.txt"));
    EXPECT_EQ(s[0], 2);
    EXPECT_EQ(s[16], -0.15);
    EXPECT_EQ(s[32], 4);
    EXPECT_EQ(std::count(s.begin(), s.end(), 0.0), 61);
}

TEST(SpectralFiles, MalformedFilesAreRefusedNamingTheFile)
{
    TempDir dir;
    WriteText(dir.File("short.txt"), Lines(600, "0.1"));
    WriteText(dir.File("long.txt"), Lines(602, "0.1"));
    WriteText(dir.File("bad.txt"), Lines(300, "0.1") + "x0.1\r\n" + Lines(300, "0.1"));
    WriteText(dir.File("nan.txt"), Lines(300, "0.1") + "nan\r\n" + Lines(300, "0.1"));
    WriteDoubles(dir.File("short.dat"), std::vector<double>(959, 1.0));
    std::vector<double> withNan(960, 1.0);
    withNan[100] = NAN;
    WriteDoubles(dir.File("nan.dat"), withNan);
    WriteText(dir.File("joined.w"), "-1.00000000000000E+0000-2.00000000000000E+0000");  // weight files
    WriteText(dir.File("comma.w"), "1,5 2");
    WriteText(dir.File("inf.w"), "1 inf");
    const auto refusal = [&](const std::string& name) -> std::string {
        try {
            if (name.ends_with(".txt")) ReadReferenceText(dir.File(name));
            else if (name.ends_with(".dat")) ReadReferenceTable(dir.File(name));
            else ReadWeightFile(dir.File(name));
        } catch (const FileError& e) {
            return e.what();
        }
        return "accepted";
    };
    for (const char* name : {"short.txt", "long.txt", "bad.txt", "nan.txt", "missing.txt", "short.dat", "nan.dat",
                             "missing.dat", "joined.w", "comma.w", "inf.w", "missing.w"})
        EXPECT_NE(refusal(name).find(dir.File(name)), std::string::npos) << name << ": " << refusal(name);
    EXPECT_NE(refusal("long.txt").find(" 602 "), std::string::npos);  // lines counted
    EXPECT_NE(refusal("bad.txt").find(" 301 "), std::string::npos);   // the bad line named
}

TEST(ReferenceLoading, FailedLoadKeepsThePreviousState)
{
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "data" / "refsp");
    const std::string folder = dir.File("data/refsp/");
    RecordingReporter r;
    SpectralState s;
    BuildSpectralAxis(s);
    s.ReferenceFileName = kReferenceTextFile;
    WriteText(folder + kReferenceTextFile, Lines(601, "0.3"));
    WriteDoubles(folder + kReferenceTableFile, std::vector<double>(960, 0.5));
    LoadCurrentReference(s, dir.Path().string(), r);
    LoadReferenceTable(s, dir.Path().string());
    EXPECT_EQ(s.CurrentReference, SpectralVector(64, 1.0));
    EXPECT_EQ(s.ReferenceTable[3], SpectralVector(64, 0.5));

    WriteText(folder + kReferenceTextFile, Lines(10, "0.3"));
    WriteDoubles(folder + kReferenceTableFile, std::vector<double>(10, 0.5));
    EXPECT_THROW(LoadCurrentReference(s, dir.Path().string(), r), FileError);
    EXPECT_THROW(LoadReferenceTable(s, dir.Path().string()), FileError);
    EXPECT_EQ(s.CurrentReference, SpectralVector(64, 1.0));
    EXPECT_EQ(s.ReferenceTable.size(), 15u);
    ReleaseReferences(s);
    EXPECT_TRUE(s.CurrentReference.empty() && s.ReferenceTable.empty());
}

TEST(SpectralLibrary, ReadsQuotedNamesAndMissingValues)
{
    const SpectralLibrary lib =
        Library("wavelength_um,fwhm_um,\"a: x, y\",\"b: z\"\r\n0.4,0.01,0.1,\r\n0.5,0.01,0.3,0.7\r\n");
    ASSERT_EQ(lib.Names, std::vector<std::string>({"a: x, y", "b: z"}));
    EXPECT_EQ(lib.Wavelengths, std::vector<double>({0.4, 0.5}));
    EXPECT_TRUE(std::isnan(lib.Columns[1][0]));
    EXPECT_EQ(LibraryColumn(lib, "b: z"), 1);
    EXPECT_THROW(LibraryColumn(lib, "c"), std::invalid_argument);
    const auto b = AscendingChannels(lib, 1);  // missing values are left out of the channels
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].Wavelength, 0.5);
    EXPECT_THROW(Library("x,y\n1,2\n"), FileError);
    EXPECT_THROW(Library("wavelength_um,fwhm_um,s\n0.4,0,abc\n"), FileError);
    EXPECT_THROW(Library("wavelength_um,fwhm_um,s\n0.4,0\n"), FileError);
}

TEST(SpectralLibrary, LaterDetectorCountsInTheOverlap)
{
    const SpectralLibrary lib =
        Library("wavelength_um,fwhm_um,s\n0.60,0,1\n0.65,0,2\n0.70,0,3\n0.66,0,20\n0.69,0,30\n0.72,0,40\n");
    const auto points = AscendingChannels(lib, 0);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[1].Value, 2);   // 0.65 is below the new detector's start
    EXPECT_EQ(points[2].Value, 20);  // 0.70 of the first detector is dropped
    EXPECT_EQ(InterpolateLinear(points, 0.625), 1.5);
    EXPECT_EQ(InterpolateLinear(points, 0.72), 40);
    EXPECT_THROW(InterpolateLinear(points, 0.73), std::out_of_range);
}
