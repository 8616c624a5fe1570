#include "geo_reference.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>
#include <ogr_spatialref.h>

#include "data/atomic_file.h"
#include "data/file_error.h"

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

GeoReference ReadGeoReference(const std::string& path, int width, int height)
{
    const GeoReference reference = ReadGeoReference(path);
    if (!FitsOnTheMap(reference.Transform, width, height) ||
        !std::isfinite(PixelAreaSquareMetres(reference) * double(width) * double(height)))
        throw FileError("Soubor " + path + " není georeference výřezu: souřadnice rohů nebo plocha matice " +
                        std::to_string(width) + " x " + std::to_string(height) + " pixelů nejsou konečná čísla.");
    return reference;
}

double PixelAreaSquareMetres(const GeoReference& reference)
{
    OGRSpatialReference crs;
    if (reference.Crs.empty() || crs.importFromWkt(reference.Crs.c_str()) != OGRERR_NONE || !crs.IsProjected())
        return 0.0;
    const double metresPerUnit = crs.GetLinearUnits();
    return PixelArea(reference.Transform) * metresPerUnit * metresPerUnit;
}

}  // namespace lumera
