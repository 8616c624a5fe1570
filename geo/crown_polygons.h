#pragma once
#include <string>
#include <vector>

#include <ogr_geometry.h>

#include "crowns/tree_matrix.h"
#include "geo_reference.h"
#include "mapping/crown_summary.h"
#include "mapping/geotransform.h"

namespace lumera {

// The transform that keeps pixel-corner coordinates: x = column, y = row.
constexpr GeoTransform kPixelTransform = {0.0, 1.0, 0.0, 0.0, 0.0, 1.0};

// One crown as a feature of a map layer.
struct CrownFeature {
    CrownSummary Summary;  // in the tree matrix's own pixels
    MapPoint Centroid;     // the summary's centroid through the transform
    MapPoint Top;          // the centre of the top's pixel through the transform, when known
    double AreaM2 = 0.0;   // 0 when the area in square metres is not known
    std::string Tile;      // the tile it came from, in a merged layer
    std::vector<double> Figures;    // the layer's FigureNames, in order
    OGRGeometryUniquePtr Geometry;  // a polygon, or a multipolygon for a crown in pieces
};

// One feature per tree number ≥ 1, ascending, outlined along the pixel edges
// by GDAL's polygonize (pixels joined through their sides) and carried through
// the transform. `pixelAreaM2` is the area of one pixel in square metres, or 0
// when it is not known. With the maxima the trees grew from, each crown knows
// its top (see SummarizeCrowns).
std::vector<CrownFeature> PolygonizeCrowns(const TTreeMatrix& matrix, const GeoTransform& transform,
                                           double pixelAreaM2, const TExtremaList* maxima = nullptr);

// A layer of crowns to write: the features and what the file should say about them.
struct CrownLayer {
    std::string Crs;         // WKT, "" for pixel coordinates or an unknown system
    bool WithArea = false;   // an "area_m2" field
    bool WithTiles = false;  // "tile" and "tile_tree" fields
    std::vector<CrownFeature> Crowns;
    bool WithTops = false;  // "top_x" and "top_y" fields, empty for a crown whose top is not known
    std::vector<std::string> FigureNames{};  // further real fields, each crown's Figures
};

// A tree matrix's crowns as a layer in the reference's coordinate system
// (pixel coordinates under kPixelTransform and no system), with their areas
// where the system's unit gives a pixel's area in square metres, and with
// their tops when the maxima the trees grew from are given.
CrownLayer CrownLayerOf(const TTreeMatrix& trees, const GeoReference& reference,
                        const TExtremaList* maxima = nullptr);

// Writes the layer as a GeoPackage (.gpkg), GeoJSON (.geojson) or shapefile
// (.shp), chosen by the extension, completely or not at all. Fields: "tree",
// "pixels", "area_m2" (when known), "top_x", "top_y" (when known), "centroid_x",
// "centroid_y", the layer's FigureNames, and for a merged layer "tile" and
// "tile_tree" (the crown's number in its tile).
// Throws FileError naming the file.
void WriteCrownLayer(const std::string& path, const CrownLayer& layer);

}  // namespace lumera
