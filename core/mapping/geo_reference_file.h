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

// The side of a pixel in metres (the square root of its area) when the
// coordinate system is a projected one whose linear unit the WKT states; 0
// when it is not or has none.
double PixelSizeMetres(const GeoReference& reference);

// The pixel sizes a cut-out's georeference may give, in metres.
constexpr double kSmallestPixelMetres = 1e-4;
constexpr double kLargestPixelMetres = 1e4;

// The pixel size in metres of a georeference read from `path`; FileError
// naming the file, as not a `kind`, when it lies outside the sizes above.
double CheckedPixelSizeMetres(const GeoReference& reference, const std::string& path, const std::string& kind);

// The pixel size in metres of a cut-out from its georeference file beside
// it (CUT.dat.geo.json); 0 when it has none or its pixels have no size in
// metres. Throws FileError naming the file when the file is not a
// georeference or its pixel size lies outside the sizes above.
double CutoutPixelSizeMetres(const std::string& cutoutPath);

}  // namespace lumera
