// Outputs replace what was there whole or not at all, even when a run is
// stopped in the middle of putting them in place.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/atomic_file.h"
#include "data/staged_folder.h"
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
        const std::string temporary = dir.File("being-written.tmp");
        WriteText(temporary, "half");
        const pid_t child = fork();
        if (child == 0) {
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            RemoveTemporaryFilesOnInterrupt();
            const TemporaryRecord record(temporary);
            raise(signal);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_FALSE(fs::exists(temporary)) << signal;
    }
}
