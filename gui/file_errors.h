#pragma once
#include <optional>
#include <utility>

#include "data/file_error.h"
#include "data/reporter.h"

namespace lumera::gui {

// Runs a file read for a window: its result, or nothing after the file's
// problem was shown to the user.
template <class Read>
auto ReadReportingErrors(Reporter& messages, Read read) -> std::optional<decltype(read())>
{
    try {
        return read();
    } catch (const FileError& e) {
        messages.Error(e.what());
        return std::nullopt;
    }
}

// Runs a file write for a window; true when written, false after the file's
// problem was shown to the user.
template <class Write>
bool WriteReportingErrors(Reporter& messages, Write write)
{
    try {
        write();
        return true;
    } catch (const FileError& e) {
        messages.Error(e.what());
        return false;
    }
}

}  // namespace lumera::gui
