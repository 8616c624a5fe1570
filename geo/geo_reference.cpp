#include "geo_reference.h"

#include <cmath>

#include <ogr_spatialref.h>

#include "data/file_error.h"

namespace lumera {

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
