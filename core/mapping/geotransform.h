#pragma once
#include <array>
#include <string>

namespace lumera {

// An affine georeference as GDAL writes it: map x = T[0] + column × T[1] +
// row × T[2], map y = T[3] + column × T[4] + row × T[5], for pixel-corner
// coordinates (column, row) counted from the top-left corner of the picture.
using GeoTransform = std::array<double, 6>;

struct MapPoint {
    double X = 0.0;
    double Y = 0.0;
};

// The georeference of a window whose top-left pixel is (column, row) of the scene.
GeoTransform WindowGeoTransform(const GeoTransform& scene, int column, int row);

MapPoint PixelToMap(const GeoTransform& t, double column, double row);

// The georeference file belonging to a cut-out: its name with ".geo.json".
std::string GeoReferencePath(const std::string& cutoutPath);

// Area of one pixel on the map (the absolute determinant), in squared map units.
double PixelArea(const GeoTransform& t);

// Whether every corner of a picture of width x height pixels, and its area,
// are finite numbers on the map (a huge pixel size overflows them).
bool FitsOnTheMap(const GeoTransform& t, int width, int height);

}  // namespace lumera
