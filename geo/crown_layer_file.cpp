#include <filesystem>
#include <memory>
#include <optional>

#include <cpl_conv.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <ogr_spatialref.h>

#include "crown_polygons.h"
#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/output_batch.h"
#include "data/temporary_files.h"
#include "gdal_session.h"

namespace lumera {
namespace fs = std::filesystem;

namespace {

const char* DriverFor(const std::string& path)
{
    const std::string extension = fs::path(path).extension().string();
    if (extension == ".gpkg") return "GPKG";
    if (extension == ".geojson") return "GeoJSON";
    if (extension == ".shp") return "ESRI Shapefile";
    throw FileError("Soubor " + path + ": koruny lze zapsat jen jako .gpkg, .geojson nebo .shp.");
}

void AddField(OGRLayer& layer, const char* name, OGRFieldType type)
{
    OGRFieldDefn field(name, type);
    if (layer.CreateField(&field) != OGRERR_NONE) throw std::runtime_error(LastGdalError());
}

void WriteLayer(GDALDataset& dataset, const CrownLayer& crowns)
{
    OGRSpatialReference crs;
    crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const bool withCrs = !crowns.Crs.empty() && crs.importFromWkt(crowns.Crs.c_str()) == OGRERR_NONE;
    OGRLayer* layer = dataset.CreateLayer("crowns", withCrs ? &crs : nullptr, wkbMultiPolygon, nullptr);
    if (!layer) throw std::runtime_error(LastGdalError());
    AddField(*layer, "tree", OFTInteger);
    AddField(*layer, "pixels", OFTInteger64);
    if (crowns.WithArea) AddField(*layer, "area_m2", OFTReal);
    if (crowns.WithTops) {
        AddField(*layer, "top_x", OFTReal);
        AddField(*layer, "top_y", OFTReal);
    }
    AddField(*layer, "centroid_x", OFTReal);
    AddField(*layer, "centroid_y", OFTReal);
    for (const std::string& name : crowns.FigureNames) AddField(*layer, name.c_str(), OFTReal);
    if (crowns.WithTiles) {
        AddField(*layer, "tile", OFTString);
        AddField(*layer, "tile_tree", OFTInteger);
    }
    // One transaction for all the crowns: a GeoPackage would otherwise make
    // one per crown. Formats without transactions write as they go.
    const bool inTransaction = dataset.StartTransaction() == OGRERR_NONE;
    for (std::size_t i = 0; i < crowns.Crowns.size(); ++i) {
        const CrownFeature& crown = crowns.Crowns[i];
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("tree", crowns.WithTiles ? static_cast<int>(i + 1) : crown.Summary.Tree);
        feature.SetField("pixels", static_cast<GIntBig>(crown.Summary.Pixels));
        if (crowns.WithArea) feature.SetField("area_m2", crown.AreaM2);
        if (crowns.WithTops && crown.Summary.HasTop()) {
            feature.SetField("top_x", crown.Top.X);
            feature.SetField("top_y", crown.Top.Y);
        }
        feature.SetField("centroid_x", crown.Centroid.X);
        feature.SetField("centroid_y", crown.Centroid.Y);
        for (std::size_t f = 0; f < crowns.FigureNames.size(); ++f)
            feature.SetField(crowns.FigureNames[f].c_str(), crown.Figures.at(f));
        if (crowns.WithTiles) {
            feature.SetField("tile", crown.Tile.c_str());
            feature.SetField("tile_tree", crown.Summary.Tree);
        }
        feature.SetGeometryDirectly(OGRGeometryFactory::forceToMultiPolygon(crown.Geometry->clone()));
        if (layer->CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error(LastGdalError());
    }
    if (inTransaction && dataset.CommitTransaction() != OGRERR_NONE) throw std::runtime_error(LastGdalError());
}

}  // namespace

void WriteCrownLayer(const std::string& path, const CrownLayer& layer)
{
    UseGdal();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(DriverFor(path));
    const fs::path target(path);
    const fs::path folder = TemporaryPathBeside(path);
    const TemporaryRecord interrupted(folder.string(), true);
    std::error_code ec;
    fs::create_directory(folder, ec);
    if (ec) throw FileError("Soubor " + path + " nelze zapsat: " + ec.message() + ".");
    // A shapefile is several files, which replace the old ones together.
    std::optional<OutputBatch> own;
    if (!OutputBatch::Current()) own.emplace();
    try {
        {
            // The file is renamed into place only when complete, so SQLite
            // need not wait for the disk after every step of a GeoPackage.
            CPLConfigOptionSetter noSync("OGR_SQLITE_SYNCHRONOUS", "OFF", true);
            DatasetPtr dataset(driver->Create((folder / target.filename()).string().c_str(), 0, 0, 0, GDT_Unknown,
                                              nullptr));
            if (!dataset) throw std::runtime_error(LastGdalError());
            WriteLayer(*dataset, layer);
            dataset->FlushCache();
        }
        for (const auto& entry : fs::directory_iterator(folder)) {
            const fs::path destination = target.parent_path() / entry.path().filename();
            const std::string temporary = TemporaryPathBeside(destination.string());
            auto record = std::make_unique<TemporaryRecord>(temporary);
            fs::rename(entry.path(), temporary);
            OutputBatch::Current()->Add(temporary, destination.string(), destination.string(), std::move(record));
        }
    } catch (const std::exception& e) {
        fs::remove_all(folder, ec);
        throw FileError("Soubor " + path + " nelze zapsat: " + e.what());
    }
    fs::remove_all(folder, ec);
    if (own) own->Commit();
}

}  // namespace lumera
