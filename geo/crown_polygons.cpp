#include "crown_polygons.h"

#include <map>

#include <gdal_alg.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "data/file_error.h"
#include "gdal_session.h"

namespace lumera {

namespace {

DatasetPtr MatrixRaster(const TTreeMatrix& matrix, const GeoTransform& transform)
{
    GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
    DatasetPtr raster(memory->Create("", matrix.Width, matrix.Height, 2, GDT_Int32, nullptr));
    GeoTransform t = transform;
    raster->SetGeoTransform(t.data());
    std::vector<int32_t> values = matrix.Values, inside(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) inside[i] = values[i] >= 1;
    if (raster->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, matrix.Width, matrix.Height, values.data(), matrix.Width,
                                           matrix.Height, GDT_Int32, 0, 0, nullptr) != CE_None ||
        raster->GetRasterBand(2)->RasterIO(GF_Write, 0, 0, matrix.Width, matrix.Height, inside.data(), matrix.Width,
                                           matrix.Height, GDT_Int32, 0, 0, nullptr) != CE_None)
        throw std::runtime_error("Matici stromů nelze předat GDAL: " + LastGdalError());
    return raster;
}

// The outlines of every tree number, in pieces as polygonize finds them, joined per tree.
std::map<int32_t, OGRGeometryUniquePtr> Outlines(GDALDataset& raster)
{
    GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("Memory");
    DatasetPtr vector(memory->Create("", 0, 0, 0, GDT_Unknown, nullptr));
    OGRLayer* layer = vector->CreateLayer("crowns", nullptr, wkbPolygon, nullptr);
    OGRFieldDefn field("tree", OFTInteger);
    layer->CreateField(&field);
    if (GDALPolygonize(raster.GetRasterBand(1), raster.GetRasterBand(2), layer, 0, nullptr, nullptr, nullptr) !=
        CE_None)
        throw std::runtime_error("Obrysy korun nelze vytvořit: " + LastGdalError());
    std::map<int32_t, OGRGeometryUniquePtr> outlines;
    layer->ResetReading();
    for (OGRFeatureUniquePtr f(layer->GetNextFeature()); f; f.reset(layer->GetNextFeature())) {
        OGRGeometryUniquePtr piece(f->StealGeometry());
        OGRGeometryUniquePtr& outline = outlines[f->GetFieldAsInteger(0)];
        if (!outline) {
            outline = std::move(piece);
            continue;
        }
        if (wkbFlatten(outline->getGeometryType()) == wkbPolygon) {
            auto joined = std::make_unique<OGRMultiPolygon>();
            joined->addGeometryDirectly(outline.release());
            outline.reset(joined.release());
        }
        outline->toMultiPolygon()->addGeometryDirectly(piece.release());
    }
    return outlines;
}

}  // namespace

std::vector<CrownFeature> PolygonizeCrowns(const TTreeMatrix& matrix, const GeoTransform& transform,
                                           double pixelAreaM2, const TExtremaList* maxima)
{
    UseGdal();
    const DatasetPtr raster = MatrixRaster(matrix, transform);
    std::map<int32_t, OGRGeometryUniquePtr> outlines = Outlines(*raster);
    std::vector<CrownFeature> features;
    for (const CrownSummary& crown : SummarizeCrowns(matrix, maxima)) {
        CrownFeature f;
        f.Summary = crown;
        f.Centroid = PixelToMap(transform, crown.CentroidColumn, crown.CentroidRow);
        if (crown.HasTop()) f.Top = PixelToMap(transform, crown.TopColumn + 0.5, crown.TopRow + 0.5);
        f.AreaM2 = double(crown.Pixels) * pixelAreaM2;
        f.Geometry = std::move(outlines[crown.Tree]);
        features.push_back(std::move(f));
    }
    return features;
}

CrownLayer CrownLayerOf(const TTreeMatrix& trees, const GeoReference& reference, const TExtremaList* maxima)
{
    CrownLayer layer;
    layer.Crs = reference.Crs;
    const double pixelArea = PixelAreaSquareMetres(reference);
    layer.WithArea = pixelArea > 0.0;
    layer.WithTops = maxima != nullptr;
    layer.Crowns = PolygonizeCrowns(trees, reference.Transform, pixelArea, maxima);
    return layer;
}

}  // namespace lumera
