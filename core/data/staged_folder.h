#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "data/temporary_files.h"

namespace lumera {

// Fills a folder completely or not at all. The files go into a hidden
// staging folder beside the target (written there as usual); Commit moves
// them into the target, made when missing, each replacing a file of the same
// name, and leaves other files of the target alone. A staging folder not
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

    // Moves everything staged into the target. Checks first that no staged
    // file would replace a folder (FileError naming it, the target unchanged).
    void Commit();

private:
    std::string name_;  // as the user gave it, for messages
    std::filesystem::path target_, staging_;
    std::unique_ptr<TemporaryRecord> interrupted_;  // removes the staging folder if the process is interrupted
};

}  // namespace lumera
