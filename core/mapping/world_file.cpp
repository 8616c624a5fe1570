#include "mapping/world_file.h"

#include <filesystem>
#include <sstream>
#include <vector>

#include "data/file_error.h"
#include "data/number_format.h"
#include "data/small_file.h"
#include "mapping/geo_reference_file.h"

namespace lumera {

namespace {

// Six numbers of at most a few dozen digits each, with their line breaks.
constexpr std::size_t kMaxWorldFileBytes = 1024;
// A coordinate system is a few kB of WKT; GDAL's side file may also hold
// statistics and metadata.
constexpr std::size_t kMaxSideFileBytes = 1 << 20;

bool IsFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Where a world file of the picture may be: the extension's first and last
// letters and "w" (.bpw, as ESRI names it), the extension and "w" (.bmpw),
// or .wld (GDAL), each also in capitals (files from Windows); "" when there
// is none.
std::string FindWorldFile(const std::string& picturePath)
{
    const std::filesystem::path picture(picturePath);
    const std::string extension = picture.extension().string();  // ".bmp"
    const std::string stem = std::filesystem::path(picture).replace_extension().string();
    for (const bool capitals : {false, true}) {
        const std::string w = capitals ? "W" : "w";
        std::vector<std::string> candidates;
        if (extension.size() >= 3) candidates.push_back(stem + extension.substr(0, 2) + extension.back() + w);
        if (extension.size() >= 2) candidates.push_back(picturePath + w);
        candidates.push_back(stem + (capitals ? ".WLD" : ".wld"));
        for (const std::string& path : candidates)
            if (IsFile(path)) return path;
    }
    return "";
}

// XML's five predefined entities replaced by their characters.
std::string XmlText(const std::string& text)
{
    static const std::pair<const char*, char> entities[] = {
        {"&quot;", '"'}, {"&apos;", '\''}, {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, character] : entities)
            if (text.compare(i, std::char_traits<char>::length(entity), entity) == 0) {
                out += character;
                i += std::char_traits<char>::length(entity);
                replaced = true;
                break;
            }
        if (!replaced) out += text[i++];
    }
    return out;
}

// The picture's coordinate system as WKT: PICTURE.prj (or .PRJ), else the
// SRS element of PICTURE.bmp.aux.xml; "" when neither says.
std::string PictureCrs(const std::string& picturePath)
{
    for (const char* suffix : {".prj", ".PRJ"}) {
        const std::string prj = std::filesystem::path(picturePath).replace_extension(suffix).string();
        if (IsFile(prj)) return ReadSmallFile(prj, kMaxSideFileBytes);
    }
    const std::string aux = picturePath + ".aux.xml";
    if (!IsFile(aux)) return "";
    const std::string xml = ReadSmallFile(aux, kMaxSideFileBytes);
    const std::size_t element = xml.find("<SRS");
    const std::size_t start = element == std::string::npos ? element : xml.find('>', element);
    const std::size_t end = start == std::string::npos ? start : xml.find("</SRS>", start);
    if (end == std::string::npos) return "";
    return XmlText(xml.substr(start + 1, end - start - 1));
}

}  // namespace

GeoTransform ReadWorldFile(const std::string& path)
{
    std::istringstream text(ReadSmallFile(path, kMaxWorldFileBytes));
    const auto refuse = [&](const std::string& problem) {
        return FileError("Soubor " + path + " není world file obrázku: " + problem + ".");
    };
    double v[6];
    std::string word;
    for (double& value : v)
        if (!(text >> word) || !ParseNumber(word, '.', value)) throw refuse("nemá šest čísel");
    if (text >> word) throw refuse("má víc než šest čísel");
    // The file names the centre of the top-left pixel; a transform starts at its corner.
    const GeoTransform transform = {v[4] - 0.5 * (v[0] + v[2]), v[0], v[2], v[5] - 0.5 * (v[1] + v[3]), v[1], v[3]};
    if (PixelArea(transform) == 0.0) throw refuse("pixely nemají plochu");
    return transform;
}

double PicturePixelSizeMetres(const std::string& picturePath)
{
    const std::string worldFile = FindWorldFile(picturePath);
    if (worldFile.empty()) return 0.0;
    return CheckedPixelSizeMetres({ReadWorldFile(worldFile), PictureCrs(picturePath)}, worldFile, "world file obrázku");
}

}  // namespace lumera
