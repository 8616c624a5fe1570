#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "crowns/crown_accuracy.h"
#include "data/file_error.h"
#include "temp_dir.h"

using namespace lumera;
using lumera::testing::TempDir;

namespace {

// A matrix from rows of text: '.' no tree, '#' barrier, digits tree numbers.
TTreeMatrix Matrix(const std::vector<std::string>& rows)
{
    TTreeMatrix m(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
    for (int y = 0; y < m.Height; ++y)
        for (int x = 0; x < m.Width; ++x) {
            const char c = rows[y][x];
            m.At(x, y) = c == '.' ? 0 : c == '#' ? -1 : c - '0';
        }
    return m;
}

}  // namespace

TEST(TreeMatrixFile, ThreeByTwoFileLayout)
{
    TempDir dir;
    TTreeMatrix m(3, 2);
    std::fill(m.Values.begin(), m.Values.end(), 1);
    m.At(2, 1) = -1;
    WriteTreeMatrix(dir.File("t.dat"), m);
    const std::string bytes = lumera::testing::ReadAll(dir.File("t.dat"));
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\3\0\0\0\2\0\0\0", 8));
    EXPECT_EQ(bytes.substr(28, 4), std::string("\xff\xff\xff\xff", 4));
    const TTreeMatrix back = ReadTreeMatrix(dir.File("t.dat"));
    EXPECT_EQ(back.Values, m.Values);
}

TEST(TreeMatrixFile, WrongLengthOrSizesRefused)
{
    TempDir dir;
    WriteTreeMatrix(dir.File("t.dat"), TTreeMatrix(3, 2));
    std::string bytes = lumera::testing::ReadAll(dir.File("t.dat"));
    std::ofstream(dir.File("short.dat"), std::ios::binary) << bytes.substr(0, 30);
    bytes[0] = '\0';
    std::ofstream(dir.File("zero.dat"), std::ios::binary) << bytes;
    for (const char* name : {"short.dat", "zero.dat", "missing.dat"})
        try {
            ReadTreeMatrix(dir.File(name));
            ADD_FAILURE() << name;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
}

TEST(EvaluateCrowns, PerfectMatchScoresOne)
{
    const TTreeMatrix truth = Matrix({"11.22", "11.22", "#.333"});
    TTreeMatrix renumbered = Matrix({"55.77", "55.77", "..999"});
    const CrownAccuracy a = EvaluateCrowns(renumbered, truth);
    EXPECT_EQ(a.Found, 3);
    EXPECT_EQ(a.True, 3);
    EXPECT_EQ(a.Matched, 3);
    EXPECT_EQ(a.Precision, 1.0);
    EXPECT_EQ(a.Recall, 1.0);
    EXPECT_EQ(a.F1, 1.0);
    EXPECT_EQ(a.MeanIoU, 1.0);
}

TEST(EvaluateCrowns, SplitCrownMatchesOnlyItsLargerHalf)
{
    // True tree of 8 pixels split 6 + 2: IoU 0.75 and 0.25.
    const TTreeMatrix truth = Matrix({"1111", "1111"});
    const TTreeMatrix found = Matrix({"1112", "1112"});
    const CrownAccuracy a = EvaluateCrowns(found, truth);
    EXPECT_EQ(a.Found, 2);
    EXPECT_EQ(a.Matched, 1);
    EXPECT_EQ(a.Precision, 0.5);
    EXPECT_EQ(a.Recall, 1.0);
    EXPECT_DOUBLE_EQ(a.F1, 2.0 / 3.0);
    EXPECT_EQ(a.MeanIoU, 0.75);
}

TEST(EvaluateCrowns, MergedCrownsMatchAtMostOnce)
{
    // Two true trees of 4 and 2 pixels merged into one found tree: IoU 4/6 and 2/6.
    const TTreeMatrix truth = Matrix({"1122", "11.."});
    const TTreeMatrix found = Matrix({"1111", "11.."});
    const CrownAccuracy a = EvaluateCrowns(found, truth);
    EXPECT_EQ(a.Matched, 1);
    EXPECT_EQ(a.Recall, 0.5);
    EXPECT_DOUBLE_EQ(a.MeanIoU, 4.0 / 6.0);
}

TEST(EvaluateCrowns, EmptyInputsScoreZeroNotNaN)
{
    const TTreeMatrix empty = Matrix({"...", "#.."});
    const CrownAccuracy none = EvaluateCrowns(empty, empty);
    EXPECT_EQ(none.Found, 0);
    EXPECT_EQ(none.Precision, 0.0);
    EXPECT_EQ(none.F1, 0.0);
    const CrownAccuracy missed = EvaluateCrowns(empty, Matrix({"11.", "..."}));
    EXPECT_EQ(missed.True, 1);
    EXPECT_EQ(missed.Recall, 0.0);
}

TEST(EvaluateCrowns, DifferentSizesRefused)
{
    EXPECT_THROW(EvaluateCrowns(TTreeMatrix(3, 2), TTreeMatrix(2, 3)), std::invalid_argument);
}
