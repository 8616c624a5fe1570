#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "data/temporary_files.h"

namespace lumera {

// Fills a folder completely or not at all. The files go into a hidden
// staging folder beside the target (written there as usual); Commit switches
// the target to the staged set at once: the files of other names in the
// target (and in its sub-folders) are first linked into the staging folder,
// then the two folders exchange places in one step, so at every moment the
// target holds either the old set or the new one. A staging folder not
// committed is removed with what it holds, so a failure before Commit leaves
// nothing behind but the folders the target lies in, made for the staging one;
// so does an interrupted process (see RemoveTemporaryFilesOnInterrupt).
class StagedFolder {
public:
    // Makes the staging folder; throws FileError naming the folder when the
    // target is a file or the staging folder cannot be made.
    explicit StagedFolder(const std::string& folder);
    ~StagedFolder();
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    // The staging folder to write into.
    std::string Path() const { return staging_.string(); }

    // A file of the target (relative to it) that the new set replaces by
    // leaving it out: it is not carried over on Commit.
    void Drop(const std::string& relative) { dropped_.insert(relative); }

    // Links the files of other names into the staging folder, checking that
    // no staged file would replace a folder nor a staged folder a file
    // (FileError naming it, the target unchanged). Commit does it when not
    // done before.
    void Prepare();

    // Switches the target to the staged set.
    void Commit();

    // Called after each step of a Commit that changes the disk, so that a
    // test can interrupt a commit at every point in turn.
    inline static std::function<void()> AfterEachStep;

private:
    void CarryOver(const std::filesystem::path& relative);

    std::string name_;  // as the user gave it, for messages
    std::filesystem::path target_, staging_;
    std::set<std::filesystem::path> dropped_;
    bool prepared_ = false;
    std::unique_ptr<TemporaryRecord> interrupted_;  // removes the staging folder if the process is interrupted
};

}  // namespace lumera
