#include "extrema_list_files.h"

#include "data/file_error.h"
#include "extrema/extrema_file.h"

namespace lumera::gui {

std::optional<TExtremaList> ReadExtremaList(const std::string& path, Reporter& messages)
{
    try {
        return ReadExtremaFile(path);
    } catch (const FileError& e) {
        messages.Error(e.what());
        return std::nullopt;
    }
}

bool WriteExtremaList(const std::string& path, const TExtremaList& points, Reporter& messages)
{
    try {
        WriteExtremaFile(path, points);
        return true;
    } catch (const FileError& e) {
        messages.Error(e.what());
        return false;
    }
}

}  // namespace lumera::gui
