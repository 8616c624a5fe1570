#pragma once
#include <memory>
#include <string>
#include <vector>

#include "data/temporary_files.h"

namespace lumera {

class StagedFolder;

// The outputs of one command, which replace what was there together or not
// at all. While a batch lives, WriteFileAtomically on its thread leaves each
// complete file under its temporary name and hands it to the batch; Commit
// checks that every target can be replaced, then renames all of them into
// place and switches the staged folders added, with the terminal's signals
// held back so that an interruption comes after the last step, not between
// two. A batch not committed removes its temporaries, so an output that fails
// leaves the ones written before it unseen.
class OutputBatch {
public:
    OutputBatch();
    ~OutputBatch();
    OutputBatch(const OutputBatch&) = delete;
    OutputBatch& operator=(const OutputBatch&) = delete;

    // The batch living on this thread, if any.
    static OutputBatch* Current();

    // A complete temporary file that becomes `target` on Commit; `name` is
    // the file as the user gave it, for messages.
    void Add(const std::string& temporary, const std::string& target, const std::string& name,
             std::unique_ptr<TemporaryRecord> record);
    // A file the new outputs replace by leaving it out, removed on Commit.
    void Remove(const std::string& path) { removed_.push_back(path); }
    // A folder switched on Commit, after the files.
    void Add(StagedFolder& folder) { folders_.push_back(&folder); }

    // Throws FileError naming a target that is a folder before anything is replaced.
    void Commit();

private:
    struct Output {
        std::string Temporary, Target, Name;
        std::unique_ptr<TemporaryRecord> Record;
    };
    std::vector<Output> outputs_;
    std::vector<std::string> removed_;
    std::vector<StagedFolder*> folders_;
    OutputBatch* outer_;
};

}  // namespace lumera
