#include <gtest/gtest.h>

#include <filesystem>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/staged_folder.h"
#include "folder_snapshot.h"

using namespace lumera;
using namespace lumera::testing;
namespace fs = std::filesystem;

namespace {

std::size_t Entries(const fs::path& dir)
{
    return std::size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

}  // namespace

TEST(StagedFolder, AppearsWholeOnCommitAndNotAtAllWithout)
{
    TempDir dir;
    {
        StagedFolder staged(dir.File("out/"));
        fs::create_directory(fs::path(staged.Path()) / "tile");
        WriteText(fs::path(staged.Path()) / "tile" / "a.txt", "a");
        EXPECT_FALSE(fs::exists(dir.File("out")));
        staged.Commit();
    }
    EXPECT_EQ(ReadAll(dir.File("out/tile/a.txt")), "a");
    {
        StagedFolder abandoned(dir.File("never"));
        WriteText(fs::path(abandoned.Path()) / "b.txt", "b");
    }
    EXPECT_EQ(Entries(dir.Path()), 1u);  // neither "never" nor a staging folder
}

TEST(StagedFolder, ReplacesFilesOfTheSameNameKeepsOthersAndRefusesToReplaceAFolder)
{
    TempDir dir;
    fs::create_directories(dir.File("out/tile"));
    WriteText(dir.File("out/tile/a.txt"), "old a");
    WriteText(dir.File("out/own.txt"), "the user's");
    {
        StagedFolder staged(dir.File("out"));
        fs::create_directory(fs::path(staged.Path()) / "tile");
        WriteText(fs::path(staged.Path()) / "tile" / "a.txt", "new a");
        staged.Commit();
    }
    EXPECT_EQ(ReadAll(dir.File("out/tile/a.txt")), "new a");
    EXPECT_EQ(ReadAll(dir.File("out/own.txt")), "the user's");

    fs::create_directory(dir.File("out/b.txt"));
    {
        StagedFolder staged(dir.File("out"));
        WriteText(fs::path(staged.Path()) / "a.txt", "x");  // not moved either: all is checked first
        WriteText(fs::path(staged.Path()) / "b.txt", "x");
        EXPECT_THROW(staged.Commit(), FileError);
    }
    EXPECT_EQ(Entries(dir.File("out")), 3u);  // tile, own.txt, the folder b.txt
    EXPECT_EQ(Entries(dir.Path()), 1u);
    EXPECT_THROW(StagedFolder(dir.File("out/own.txt")), FileError);
}
