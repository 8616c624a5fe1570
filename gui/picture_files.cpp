#include "picture_files.h"

#include "file_errors.h"
#include "imaging/bmp_file.h"

namespace lumera::gui {

std::optional<Bitmap> ReadPicture(const std::string& path, Reporter& messages)
{
    return ReadReportingErrors(messages, [&] { return ReadBmp(path); });
}

bool WritePicture(const std::string& path, const Bitmap& picture, Reporter& messages)
{
    return WriteReportingErrors(messages, [&] { WriteBmp(path, picture); });
}

}  // namespace lumera::gui
