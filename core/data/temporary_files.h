#pragma once
#include <csignal>
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

// Makes the signals that end a run from a terminal or a session (SIGINT,
// SIGTERM, SIGHUP, SIGQUIT) remove the temporary files and folders being
// written before the process ends, so an interrupted write leaves nothing behind.
void RemoveTemporaryFilesOnInterrupt();

// Removes the temporary files and folders being written right now; safe in a
// signal handler.
void RemoveTemporaryFilesNow();

// Holds those signals back on this thread while it lives, so that a group of
// renames is not cut in two; a signal that came meanwhile arrives after.
class HeldSignals {
public:
    HeldSignals();
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t previous_;
};

}  // namespace lumera
