#include "mapping/geo_reference_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/number_format.h"

namespace lumera {

void WriteGeoReference(const std::string& path, const GeoReference& reference)
{
    const nlohmann::ordered_json json = {{"geotransform", reference.Transform}, {"crs", reference.Crs}};
    // A scene's coordinate system may name itself in another encoding (a
    // Czech name in Windows-1250); such bytes become U+FFFD, the rest stays.
    const std::string text = json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
    WriteFileAtomically(path, [&](std::ostream& out) { out << text << '\n'; });
}

GeoReference ReadGeoReference(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw FileError("Soubor " + path + " nelze otevřít: je to složka.");
    std::ifstream in(path);
    if (!in) throw FileError("Soubor " + path + " nelze otevřít.");
    const nlohmann::json json = nlohmann::json::parse(in, nullptr, false);
    const auto refuse = [&](const std::string& problem) {
        return FileError("Soubor " + path + " není georeference výřezu: " + problem + ".");
    };
    if (json.is_discarded() || !json.is_object()) throw refuse("není to objekt JSON");
    const auto transform = json.find("geotransform");
    if (transform == json.end() || !transform->is_array() || transform->size() != 6)
        throw refuse("chybí \"geotransform\" se šesti čísly");
    GeoReference reference;
    for (std::size_t i = 0; i < 6; ++i) {
        if (!(*transform)[i].is_number() || !std::isfinite((*transform)[i].get<double>()))
            throw refuse("\"geotransform\" obsahuje něco jiného než číslo");
        reference.Transform[i] = (*transform)[i].get<double>();
    }
    if (PixelArea(reference.Transform) == 0.0) throw refuse("pixely v \"geotransform\" nemají plochu");
    if (const auto crs = json.find("crs"); crs != json.end()) {
        if (!crs->is_string()) throw refuse("\"crs\" není text");
        reference.Crs = crs->get<std::string>();
    }
    return reference;
}

namespace {

bool StartsWith(const std::string& text, std::size_t at, const char* prefix)
{
    return text.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Metres per unit of a projected coordinate system: the factor of its last
// LENGTHUNIT (WKT 2) or UNIT (WKT 1), which is the axes' one; 0 otherwise.
double MetresPerUnit(const std::string& wkt)
{
    const std::size_t start = wkt.find_first_not_of(" \t\r\n");
    if (start == std::string::npos || !(StartsWith(wkt, start, "PROJCS[") || StartsWith(wkt, start, "PROJCRS[")))
        return 0.0;
    std::size_t unit = wkt.rfind("LENGTHUNIT[");
    if (unit == std::string::npos) unit = wkt.rfind("UNIT[");
    if (unit == std::string::npos) return 0.0;
    const std::size_t comma = wkt.find(',', unit);
    if (comma == std::string::npos) return 0.0;
    const char* first = wkt.c_str() + comma + 1;
    char* end = nullptr;
    const double factor = std::strtod(first, &end);
    return end != first && std::isfinite(factor) && factor > 0.0 ? factor : 0.0;
}

}  // namespace

double PixelSizeMetres(const GeoReference& reference)
{
    return std::sqrt(PixelArea(reference.Transform)) * MetresPerUnit(reference.Crs);
}

double CheckedPixelSizeMetres(const GeoReference& reference, const std::string& path, const std::string& kind)
{
    const double size = PixelSizeMetres(reference);
    // A size no sensor has would make the crown radius vanish or outgrow any picture.
    if (size != 0.0 && !(size >= kSmallestPixelMetres && size <= kLargestPixelMetres))
        throw FileError("Soubor " + path + " není " + kind + ": velikost pixelu " + FormatNumber(size, ',') +
                        " m leží mimo " + FormatNumber(kSmallestPixelMetres, ',') + " až " +
                        FormatNumber(kLargestPixelMetres, ',') + " m.");
    return size;
}

double CutoutPixelSizeMetres(const std::string& cutoutPath)
{
    const std::string path = GeoReferencePath(cutoutPath);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return 0.0;
    return CheckedPixelSizeMetres(ReadGeoReference(path), path, "georeference výřezu");
}

}  // namespace lumera
