#include "mapping/geotransform.h"

#include <cmath>

namespace lumera {

GeoTransform WindowGeoTransform(const GeoTransform& scene, int column, int row)
{
    const MapPoint corner = PixelToMap(scene, column, row);
    return {corner.X, scene[1], scene[2], corner.Y, scene[4], scene[5]};
}

MapPoint PixelToMap(const GeoTransform& t, double column, double row)
{
    return {t[0] + column * t[1] + row * t[2], t[3] + column * t[4] + row * t[5]};
}

double PixelArea(const GeoTransform& t) { return std::abs(t[1] * t[5] - t[2] * t[4]); }

bool FitsOnTheMap(const GeoTransform& t, int width, int height)
{
    for (const int column : {0, width})
        for (const int row : {0, height}) {
            const MapPoint corner = PixelToMap(t, column, row);
            if (!std::isfinite(corner.X) || !std::isfinite(corner.Y)) return false;
        }
    return std::isfinite(PixelArea(t) * double(width) * double(height));
}

std::string GeoReferencePath(const std::string& cutoutPath) { return cutoutPath + ".geo.json"; }

}  // namespace lumera
