#include "picture_files.h"

#include "data/file_error.h"
#include "imaging/bmp_file.h"

namespace lumera::gui {

std::optional<Bitmap> ReadPicture(const std::string& path, Reporter& messages)
{
    try {
        return ReadBmp(path);
    } catch (const FileError& e) {
        messages.Error(e.what());
        return std::nullopt;
    }
}

bool WritePicture(const std::string& path, const Bitmap& picture, Reporter& messages)
{
    try {
        WriteBmp(path, picture);
        return true;
    } catch (const FileError& e) {
        messages.Error(e.what());
        return false;
    }
}

}  // namespace lumera::gui
