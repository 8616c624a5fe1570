#include "geo_reference.h"

#include <ogr_spatialref.h>

namespace lumera {

double PixelAreaSquareMetres(const GeoReference& reference)
{
    OGRSpatialReference crs;
    if (reference.Crs.empty() || crs.importFromWkt(reference.Crs.c_str()) != OGRERR_NONE || !crs.IsProjected())
        return 0.0;
    const double metresPerUnit = crs.GetLinearUnits();
    return PixelArea(reference.Transform) * metresPerUnit * metresPerUnit;
}

}  // namespace lumera
