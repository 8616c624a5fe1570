#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "data/file_error.h"
#include "recording_reporter.h"
#include "spectral/reference_files.h"
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
    for (const double v : values) {
        const auto bits = std::bit_cast<uint64_t>(v);
        for (int b = 0; b < 8; ++b) out.put(static_cast<char>(bits >> (8 * b)));
    }
}

// A program directory with data/refsp/ made.
std::string RefFolder(const TempDir& dir)
{
    std::filesystem::create_directories(dir.Path() / "data" / "refsp");
    return dir.File("data/refsp/");
}

template <typename F>
std::string FileErrorOf(F f)
{
    try {
        f();
    } catch (const FileError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(ReferenceText, ValuesAreQuantisedToFourDecimals)
{
    EXPECT_EQ(QuantiseReferenceValue(0.12346), 1235.0);
    EXPECT_EQ(QuantiseReferenceValue(0.12344), 1234.0);
    EXPECT_EQ(QuantiseReferenceValue(0.00025), 2.0);  // 2.5 -> 2, ties to even
    EXPECT_EQ(QuantiseReferenceValue(0.00035), 4.0);  // 3.5 -> 4
}

TEST(ReferenceText, FirstNumberOfEachLine)
{
    TempDir dir;
    std::string text = " 0.5 ignored rest\n1e-1\t# comment\n";
    text += Lines(599, "+0.25");
    text += "\n  \n";  // blank lines at the end do not count
    WriteText(dir.File("r.txt"), text);
    const std::vector<double> values = ReadReferenceText(dir.File("r.txt"));
    ASSERT_EQ(values.size(), 601u);
    EXPECT_EQ(values[0], 0.5);
    EXPECT_EQ(values[1], 0.1);
    EXPECT_EQ(values[600], 0.25);
}

TEST(ReferenceText, WrongLineCountOrBadLineIsRefusedNamingTheFile)
{
    TempDir dir;
    WriteText(dir.File("short.txt"), Lines(600, "0.1"));
    WriteText(dir.File("long.txt"), Lines(602, "0.1"));
    WriteText(dir.File("bad.txt"), Lines(300, "0.1") + "x0.1\r\n" + Lines(300, "0.1"));
    WriteText(dir.File("nan.txt"), Lines(300, "0.1") + "nan\r\n" + Lines(300, "0.1"));
    for (const char* name : {"short.txt", "long.txt", "bad.txt", "nan.txt", "missing.txt"}) {
        const std::string message = FileErrorOf([&] { ReadReferenceText(dir.File(name)); });
        EXPECT_NE(message.find(dir.File(name)), std::string::npos) << name << ": " << message;
    }
    EXPECT_NE(FileErrorOf([&] { ReadReferenceText(dir.File("long.txt")); }).find("602"), std::string::npos);
    EXPECT_NE(FileErrorOf([&] { ReadReferenceText(dir.File("bad.txt")); }).find("301"), std::string::npos);
}

TEST(ReferenceText, ResamplingHitsTheAxisAndNormalisesThePeak)
{
    RecordingReporter r;
    SpectralState s;
    BuildSpectralAxis(s);
    // A straight line in wavelength: the spline reproduces it, and the peak at
    // 981.6 nm becomes 1.
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

TEST(ReferenceTable, ShortOrNonNumericFileIsRefusedNamingTheFile)
{
    TempDir dir;
    WriteDoubles(dir.File("short.dat"), std::vector<double>(959, 1.0));
    std::vector<double> withNan(960, 1.0);
    withNan[100] = NAN;
    WriteDoubles(dir.File("nan.dat"), withNan);
    for (const char* name : {"short.dat", "nan.dat", "missing.dat"}) {
        const std::string message = FileErrorOf([&] { ReadReferenceTable(dir.File(name)); });
        EXPECT_NE(message.find(dir.File(name)), std::string::npos) << name << ": " << message;
    }
}

TEST(ReferenceLoading, FailedLoadKeepsThePreviousState)
{
    TempDir dir;
    const std::string folder = RefFolder(dir);
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
    EXPECT_TRUE(s.CurrentReference.empty());
    EXPECT_TRUE(s.ReferenceTable.empty());
}
