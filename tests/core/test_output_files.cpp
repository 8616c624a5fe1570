// Outputs replace what was there whole or not at all, even when a run is
// stopped in the middle of putting them in place.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/staged_folder.h"
#include "data/temporary_files.h"
#include "folder_snapshot.h"

using namespace lumera;
using namespace lumera::testing;
namespace fs = std::filesystem;

namespace {

struct Interrupted {};

// Fills `folder` with a set of results: a.txt and tile/b.txt holding `text`.
void WriteSet(const fs::path& folder, const std::string& text)
{
    fs::create_directories(folder / "tile");
    WriteText(folder / "a.txt", text);
    WriteText(folder / "tile" / "b.txt", text);
}

std::size_t Entries(const fs::path& dir)
{
    return std::size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

}  // namespace

TEST(OutputCommit, AFolderInterruptedAtAnyStepOfItsCommitHoldsTheOldSetOrTheNewOne)
{
    TempDir dir;
    const fs::path out = dir.Path() / "out";
    for (int stop = 1;; ++stop) {
        fs::remove_all(out);
        WriteSet(out, "old");
        WriteText(out / "tile" / "own.txt", "the user's");
        const auto old = Snapshot(out);
        // As a signal would: the handler removes the temporaries, then nothing more runs.
        int steps = 0;
        StagedFolder::AfterEachStep = [&] {
            if (++steps < stop) return;
            RemoveTemporaryFilesNow();
            throw Interrupted{};
        };
        bool finished = false;
        try {
            StagedFolder staged(out.string());
            WriteSet(staged.Path(), "new");
            staged.Commit();
            finished = true;
        } catch (const Interrupted&) {
        }
        StagedFolder::AfterEachStep = nullptr;
        auto fresh = old;
        fresh["a.txt"] = fresh["tile/b.txt"] = "new";
        const auto now = Snapshot(out);
        EXPECT_TRUE(now == old || now == fresh) << "stopped after step " << stop;
        EXPECT_EQ(Snapshot(dir.Path()).size(), old.size() + 1) << "a staging folder left after step " << stop;
        if (finished) {
            EXPECT_EQ(now, fresh);
            break;
        }
    }
}

TEST(OutputCommit, EverySignalATerminalSendsRemovesTheTemporariesBeforeTheProcessEnds)
{
    TempDir dir;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        const std::string temporary = dir.File("being-written.tmp"), staging = dir.File("staging");
        WriteText(temporary, "half");
        fs::create_directories(fs::path(staging) / "tile");
        WriteText(fs::path(staging) / "tile" / "b.txt", "half");
        const pid_t child = fork();
        if (child == 0) {
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            RemoveTemporaryFilesOnInterrupt();
            const TemporaryRecord record(temporary), folder(staging, true);
            raise(signal);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_FALSE(fs::exists(temporary) || fs::exists(staging)) << signal;
    }
}

TEST(AtomicFile, LinksAreFollowedDevicesAndPipesWrittenThroughFoldersRefused)
{
    TempDir dir;
    WriteText(dir.File("real.txt"), "old");
    fs::create_symlink("real.txt", dir.File("link.txt"));
    WriteText(dir.File("link.txt"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.File("link.txt")));
    EXPECT_EQ(ReadAll(dir.File("real.txt")), "new");
    // Links in a circle lead nowhere: the named one is replaced by the file.
    fs::create_symlink("loop2", dir.File("loop1"));
    fs::create_symlink("loop1", dir.File("loop2"));
    WriteText(dir.File("loop1"), "circle");
    EXPECT_EQ(ReadAll(dir.File("loop1")), "circle");
    fs::remove(dir.File("loop1"));
    fs::remove(dir.File("loop2"));

    // A device is written through: a null device of the test's own where one can be made and
    // opened (as root, off a nodev mount), since a fault that replaced the device would
    // otherwise replace the system's.
    TempDir devices;
    std::string null = devices.File("null");
    const int fd = mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? open(null.c_str(), O_WRONLY) : -1;
    if (fd < 0) null = "/dev/null";
    else close(fd);
    WriteText(null, "discarded");
    EXPECT_TRUE(fs::is_character_file(null));

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
    // Forked, not run again from the start: the child writes into this folder.
    GTEST_FLAG_SET(death_test_style, "fast");
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

TEST(StagedFolder, RefusesToReplaceAFolderAndThenMovesNothing)
{
    TempDir dir;
    fs::create_directories(dir.File("out/tile"));
    WriteText(dir.File("out/own.txt"), "the user's");
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
