#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>

#include "data/atomic_file.h"
#include "data/staged_folder.h"
#include "data/temporary_files.h"
#include "data/file_error.h"
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

TEST(AtomicFile, LinksAreFollowedDevicesAndPipesWrittenThroughFoldersRefused)
{
    TempDir dir;
    WriteText(dir.File("real.txt"), "old");
    fs::create_symlink("real.txt", dir.File("link.txt"));
    WriteText(dir.File("link.txt"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.File("link.txt")));
    EXPECT_EQ(ReadAll(dir.File("real.txt")), "new");

    WriteText("/dev/null", "discarded");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadAll(dir.File("pipe")); });
    WriteText(dir.File("pipe"), "through the pipe");
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe")));

    fs::create_directory(dir.File("folder"));
    EXPECT_THROW(WriteText(dir.File("folder"), "x"), FileError);
    EXPECT_EQ(Entries(dir.Path()), 4u);  // no temporary file left beside them
}

TEST(AtomicFileDeathTest, AnInterruptedWriteLeavesNoTemporaryFile)
{
    TempDir dir;
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            RemoveTemporaryFilesOnInterrupt();
            WriteFileAtomically(dir.File("out.bmp"), [](std::ostream& out) {
                out << "half a picture" << std::flush;
                std::raise(SIGINT);
            });
        },
        ::testing::KilledBySignal(SIGINT), "");
    EXPECT_EQ(Entries(dir.Path()), 0u);

    // A folder being filled through its staging folder: the staging folder
    // goes with all it holds, files and a folder of files; the target stays.
    fs::create_directory(dir.File("tiles"));
    WriteText(dir.File("tiles/kept.txt"), "kept");
    EXPECT_EXIT(
        {
            RemoveTemporaryFilesOnInterrupt();
            StagedFolder staged(dir.File("tiles"));
            for (int i = 0; i < 300; ++i) WriteText(staged.Path() + "/t" + std::to_string(i) + ".dat", "x");
            fs::create_directory(staged.Path() + "/r00_c00");
            WriteText(staged.Path() + "/r00_c00/cut.dat", "x");
            std::raise(SIGTERM);
        },
        ::testing::KilledBySignal(SIGTERM), "");
    EXPECT_EQ(Entries(dir.Path()), 1u);
    EXPECT_EQ(Entries(dir.Path() / "tiles"), 1u);
}
