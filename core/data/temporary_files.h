#pragma once
#include <string>

namespace lumera {

// Notes a temporary file, or a staging folder with what it holds, for removal
// if the process is interrupted while the record lives.
class TemporaryRecord {
public:
    explicit TemporaryRecord(const std::string& path, bool folder = false);
    ~TemporaryRecord();
    TemporaryRecord(const TemporaryRecord&) = delete;
    TemporaryRecord& operator=(const TemporaryRecord&) = delete;

private:
    struct TemporarySlot* slot_ = nullptr;
};

// Makes SIGINT and SIGTERM remove the temporary files and folders being
// written before the process ends, so an interrupted write leaves nothing behind.
void RemoveTemporaryFilesOnInterrupt();

// Removes the temporary files and folders being written right now; safe in a
// signal handler.
void RemoveTemporaryFilesNow();

}  // namespace lumera
