#include <gtest/gtest.h>

#include <fstream>

#include "data/file_error.h"
#include "extrema/extrema_file.h"
#include "temp_dir.h"

using namespace lumera;
using lumera::testing::ReadAll;
using lumera::testing::TempDir;

namespace {

TExtremaList ReadText(const TempDir& dir, const std::string& text)
{
    std::ofstream(dir.File("e.txt"), std::ios::binary) << text;
    return ReadExtremaFile(dir.File("e.txt"));
}

}  // namespace

TEST(ExtremaFile, WritesCrLfLinesInListOrderAndReadsThemBack)
{
    TempDir dir;
    const TExtremaList points{{5, 1}, {2, 7}, {2, 3}};
    WriteExtremaFile(dir.File("max.txt"), points);
    EXPECT_EQ(ReadAll(dir.File("max.txt")), "3\r\n5 1\r\n2 7\r\n2 3\r\n");
    EXPECT_EQ(ReadExtremaFile(dir.File("max.txt")), points);

    WriteExtremaFile(dir.File("none.txt"), {});
    EXPECT_EQ(ReadAll(dir.File("none.txt")), "0\r\n");
    EXPECT_TRUE(ReadExtremaFile(dir.File("none.txt")).empty());
}

TEST(ExtremaFile, ReadsAcrossBlanksAndLineEndsIgnoresCommentsAndFillsMissingPointsWithZero)
{
    TempDir dir;
    EXPECT_EQ(ReadText(dir, "2\n4\t9\n\t6 8\n"), (TExtremaList{{4, 9}, {6, 8}}));
    EXPECT_EQ(ReadText(dir, "  2 points\r\n4\r\n9 tail 77\r\n6\r\n\r\n8"), (TExtremaList{{4, 9}, {6, 8}}));
    EXPECT_EQ(ReadText(dir, "3\r\n1 2\r\n3"), (TExtremaList{{1, 2}, {3, 0}, {0, 0}}));
    EXPECT_EQ(ReadText(dir, "+2\r\n-1 +4\r\n"), (TExtremaList{{-1, 4}, {0, 0}}));
    EXPECT_TRUE(ReadText(dir, "").empty());
    EXPECT_TRUE(ReadText(dir, " \r\n").empty());
}

TEST(ExtremaFile, RefusesNegativeOrImpossibleCountsAndNonNumbersNamingTheFile)
{
    TempDir dir;
    for (const auto& [text, mention] : {std::pair{"-1\r\n", "-1"},
                                        {"2000000000\r\n1 2\r\n", "2000000000"},
                                        {"99999999999\r\n", "99999999999"},
                                        {"2\r\n1 x2\r\n", "x2"},
                                        {"2\r\n1 2\r\n3 4.5\r\n", "4.5"}}) {
        try {
            ReadText(dir, text);
            ADD_FAILURE() << text;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(dir.File("e.txt")), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(mention), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(ReadExtremaFile(dir.File("missing.txt")), FileError);
}
