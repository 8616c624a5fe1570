#pragma once
#include "mapping/geo_reference_file.h"

namespace lumera {

// Reads the georeference of a picture of width x height pixels; refuses
// one under which its corners or its area in square metres are not finite.
GeoReference ReadGeoReference(const std::string& path, int width, int height);

// Area of one pixel in square metres, when the coordinate system is a
// projected one with a linear unit; 0 when it is not (degrees have no fixed
// area) or unknown.
double PixelAreaSquareMetres(const GeoReference& reference);

}  // namespace lumera
