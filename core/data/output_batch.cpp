#include "data/output_batch.h"

#include <filesystem>

#include "data/file_error.h"
#include "data/staged_folder.h"

namespace lumera {
namespace fs = std::filesystem;

namespace {

thread_local OutputBatch* current = nullptr;

}  // namespace

OutputBatch::OutputBatch() : outer_(current) { current = this; }

OutputBatch::~OutputBatch()
{
    current = outer_;
    std::error_code ignored;
    for (const Output& output : outputs_)
        if (!output.Temporary.empty()) fs::remove(output.Temporary, ignored);
}

OutputBatch* OutputBatch::Current() { return current; }

void OutputBatch::Add(const std::string& temporary, const std::string& target, const std::string& name,
                      std::unique_ptr<TemporaryRecord> record)
{
    outputs_.push_back({temporary, target, name, std::move(record)});
}

void OutputBatch::Commit()
{
    std::error_code ec;
    for (const Output& output : outputs_)
        if (fs::is_directory(output.Target, ec))
            throw FileError("Soubor " + output.Name + " nelze zapsat: je to složka.");
    for (StagedFolder* folder : folders_) folder->Prepare();
    const HeldSignals held;
    for (Output& output : outputs_) {
        fs::rename(output.Temporary, output.Target, ec);
        if (ec) throw FileError("Soubor " + output.Name + " nelze zapsat: " + ec.message() + ".");
        output.Record.reset();
        output.Temporary.clear();
    }
    outputs_.clear();
    for (StagedFolder* folder : folders_) folder->Commit();
    folders_.clear();
    for (const std::string& path : removed_) fs::remove(path, ec);
    removed_.clear();
}

}  // namespace lumera
