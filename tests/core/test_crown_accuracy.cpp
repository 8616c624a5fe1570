#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <stdexcept>
#include <tuple>

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
        for (int x = 0; x < m.Width; ++x) m.At(x, y) = rows[y][x] == '.' ? 0 : rows[y][x] == '#' ? -1 : rows[y][x] - '0';
    return m;
}

}  // namespace

TEST(TreeMatrixFile, LayoutAndRefusals)
{
    TempDir dir;
    TTreeMatrix m = Matrix({"111", "11#"});
    WriteTreeMatrix(dir.File("t.dat"), m);
    const std::string bytes = lumera::testing::ReadAll(dir.File("t.dat"));
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(0, 12), std::string("\3\0\0\0\2\0\0\0\1\0\0\0", 12));
    EXPECT_EQ(bytes.substr(28), "\xff\xff\xff\xff");
    EXPECT_EQ(ReadTreeMatrix(dir.File("t.dat")).Values, m.Values);

    std::ofstream(dir.File("short.dat"), std::ios::binary) << bytes.substr(0, 30);
    std::ofstream(dir.File("zero.dat"), std::ios::binary) << std::string(8, '\0');
    // Larger than any picture, though the (sparse) files are as long as they promise.
    for (const auto& [name, width, height] : {std::tuple{"wide.dat", 8193, 1}, {"many.dat", 4097, 4097}}) {
        std::ofstream(dir.File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(std::array<int32_t, 2>{width, height}.data()), 8);
        std::filesystem::resize_file(dir.File(name), 8 + 4 * uintmax_t(width) * height);
    }
    for (const char* name : {"short.dat", "zero.dat", "missing.dat", "wide.dat", "many.dat"})
        try {
            ReadTreeMatrix(dir.File(name));
            ADD_FAILURE() << name;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
}

TEST(EvaluateCrowns, PerfectSplitAndMergedCrowns)
{
    const CrownAccuracy perfect = EvaluateCrowns(Matrix({"55.77", "..999"}), Matrix({"11.22", "#.333"}));
    EXPECT_EQ(perfect.Matched, 3);
    EXPECT_EQ(perfect.F1, 1.0);
    EXPECT_EQ(perfect.MeanIoU, 1.0);

    // A true tree of 8 pixels split 6 + 2: IoU 0.75 and 0.25, only the larger half matches.
    const CrownAccuracy split = EvaluateCrowns(Matrix({"1112", "1112"}), Matrix({"1111", "1111"}));
    EXPECT_EQ(split.Found, 2);
    EXPECT_EQ(split.Matched, 1);
    EXPECT_EQ(split.Precision, 0.5);
    EXPECT_EQ(split.Recall, 1.0);
    EXPECT_DOUBLE_EQ(split.F1, 2.0 / 3.0);
    EXPECT_EQ(split.MeanIoU, 0.75);

    // Two true trees of 4 and 2 pixels merged into one found tree match at most once.
    const CrownAccuracy merged = EvaluateCrowns(Matrix({"1111", "11.."}), Matrix({"1122", "11.."}));
    EXPECT_EQ(merged.Matched, 1);
    EXPECT_EQ(merged.Recall, 0.5);
    EXPECT_DOUBLE_EQ(merged.MeanIoU, 4.0 / 6.0);
}

TEST(EvaluateCrowns, EmptyInputsScoreZeroAndSizesMustAgree)
{
    const TTreeMatrix empty = Matrix({"...", "#.."});
    const CrownAccuracy none = EvaluateCrowns(empty, empty);
    EXPECT_EQ(none.Found, 0);
    EXPECT_EQ(none.Precision, 0.0);
    EXPECT_EQ(none.F1, 0.0);
    EXPECT_EQ(EvaluateCrowns(empty, Matrix({"11.", "..."})).Recall, 0.0);
    EXPECT_THROW(EvaluateCrowns(TTreeMatrix(3, 2), TTreeMatrix(2, 3)), std::invalid_argument);
}
