#pragma once
#include <string>

#include "mapping/geotransform.h"

namespace lumera {

// Where a cut-out or a tree matrix lies on the map: the affine transform of
// its pixels and the coordinate system as WKT ("" when the scene had none).
struct GeoReference {
    GeoTransform Transform{};
    std::string Crs;
};

// {"geotransform":[6 numbers],"crs":"WKT"}, written atomically.
void WriteGeoReference(const std::string& path, const GeoReference& reference);
// Reads a georeference file; throws FileError naming the file when it is not one.
GeoReference ReadGeoReference(const std::string& path);
// Reads the georeference of a picture of width x height pixels; refuses
// one under which its corners or its area in square metres are not finite.
GeoReference ReadGeoReference(const std::string& path, int width, int height);

// Area of one pixel in square metres, when the coordinate system is a
// projected one with a linear unit; 0 when it is not (degrees have no fixed
// area) or unknown.
double PixelAreaSquareMetres(const GeoReference& reference);

}  // namespace lumera
