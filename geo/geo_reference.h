#pragma once
#include "mapping/geo_reference_file.h"

namespace lumera {

// Area of one pixel in square metres, when the coordinate system is a
// projected one with a linear unit; 0 when it is not (degrees have no fixed
// area) or unknown.
double PixelAreaSquareMetres(const GeoReference& reference);

}  // namespace lumera
