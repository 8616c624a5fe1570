#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "data/file_error.h"
#include "spectral/weight_file.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

}  // namespace

TEST(WeightFile, NumbersRunColumnByColumnThroughTheBlocks)
{
    EXPECT_EQ(WeightFileElement(0), 0);    // band 2
    EXPECT_EQ(WeightFileElement(1), 16);   // band 18
    EXPECT_EQ(WeightFileElement(2), 32);   // band 34
    EXPECT_EQ(WeightFileElement(3), 48);   // band 50
    EXPECT_EQ(WeightFileElement(4), 1);    // band 3
    EXPECT_EQ(WeightFileElement(63), 63);  // band 65
    TempDir dir;
    std::string text;
    for (int i = 0; i < 64; ++i) text += " " + std::to_string(i) + ".00000000000000E+0000";
    WriteText(dir.File("w.txt"), text + " 99 trailing words");
    const SpectralVector w = ReadWeightFile(dir.File("w.txt"));
    for (int i = 0; i < 64; ++i) EXPECT_EQ(w[WeightFileElement(i)], i);
}

TEST(WeightFile, ShortFileLeavesTheRestZero)
{
    TempDir dir;
    WriteText(dir.File("w.txt"), "2\n\n -1.5e-1\t4");
    const SpectralVector w = ReadWeightFile(dir.File("w.txt"));
    EXPECT_EQ(w[0], 2);
    EXPECT_EQ(w[16], -0.15);
    EXPECT_EQ(w[32], 4);
    EXPECT_EQ(std::count(w.begin(), w.end(), 0.0), 61);
}

TEST(WeightFile, UnreadableNumbersAreRefusedNamingTheFile)
{
    TempDir dir;
    WriteText(dir.File("joined.txt"), "-1.00000000000000E+0000-2.00000000000000E+0000");
    WriteText(dir.File("comma.txt"), "1,5 2");
    WriteText(dir.File("inf.txt"), "1 inf");
    for (const char* name : {"joined.txt", "comma.txt", "inf.txt", "missing.txt"}) {
        try {
            ReadWeightFile(dir.File(name));
            ADD_FAILURE() << name;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(dir.File(name)), std::string::npos) << e.what();
        }
    }
}
