#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "crown_files.h"
#include "crown_samples.h"
#include "crown_polygons.h"
#include "data/file_error.h"
#include "geo_reference.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

std::string Wkt(int epsg)
{
    OGRSpatialReference crs;
    crs.importFromEPSG(epsg);
    char* wkt = nullptr;
    crs.exportToWkt(&wkt);
    std::string text = wkt;
    CPLFree(wkt);
    return text;
}

}  // namespace

TEST(CrownPolygons, ThreeByTwoMatrixInPixelCoordinates)
{
    TempDir dir;
    WriteCrownLayer(dir.File("crowns.geojson"),
                    {"", false, false, PolygonizeCrowns(Trees("112/322"), kPixelTransform, 0.0)});
    const ReadLayer layer = ReadCrownFile(dir.File("crowns.geojson"));
    ASSERT_EQ(layer.Crowns.size(), 3u);
    const ReadCrown& two = layer.Crowns[1];
    EXPECT_EQ(two.Tree, 2);
    EXPECT_EQ(two.Pixels, 3);
    EXPECT_EQ(two.Area, 3.0);
    EXPECT_EQ(std::make_tuple(two.Envelope.MinX, two.Envelope.MaxX, two.Envelope.MinY, two.Envelope.MaxY),
              std::make_tuple(1.0, 3.0, 0.0, 2.0));
    EXPECT_EQ(two.Fields, (std::vector<std::string>{"tree", "pixels", "centroid_x", "centroid_y"}));
    EXPECT_DOUBLE_EQ(two.Reals[0], (2.5 + 1.5 + 2.5) / 3);
}

TEST(CrownPolygons, GeoreferencedLandOnTheMapWithAreasInSquareMetres)
{
    TempDir dir;
    const GeoReference reference{{500000, 0.5, 0, 5500000, 0, -0.5}, Wkt(32633)};
    EXPECT_EQ(PixelAreaSquareMetres(reference), 0.25);
    for (const char* name : {"crowns.gpkg", "crowns.shp"}) {
        WriteCrownLayer(dir.File(name), CrownLayerOf(Trees("112/322"), reference));
        const ReadLayer layer = ReadCrownFile(dir.File(name));
        ASSERT_EQ(layer.Crowns.size(), 3u) << name;
        EXPECT_EQ(layer.Epsg, 32633) << name;
        const ReadCrown& one = layer.Crowns[0];
        EXPECT_EQ(std::make_tuple(one.Envelope.MinX, one.Envelope.MaxX, one.Envelope.MinY, one.Envelope.MaxY),
                  std::make_tuple(500000.0, 500001.0, 5499999.5, 5500000.0));
        EXPECT_EQ(one.Area, 0.5);
        EXPECT_EQ(one.Reals, (std::vector<double>{0.5, 500000.5, 5499999.75}));  // area_m2, centroid
    }
    // Nothing but the crowns files is left beside them.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 5);  // .gpkg .shp .shx .dbf .prj
}

TEST(CrownPolygons, ACrownInPiecesIsOneMultipolygonAndBadTargetsAreRefused)
{
    TempDir dir;
    WriteCrownLayer(dir.File("c.geojson"), {"", false, false, PolygonizeCrowns(Trees("4#4"), kPixelTransform, 0.0)});
    const ReadLayer layer = ReadCrownFile(dir.File("c.geojson"));
    EXPECT_EQ(layer.Crowns.at(0).Parts, 2);
    EXPECT_EQ(layer.Crowns.at(0).Pixels, 2);

    EXPECT_THROW(WriteCrownLayer(dir.File("c.txt"), {}), FileError);
    EXPECT_THROW(WriteCrownLayer(dir.File("missing/c.gpkg"), {}), FileError);
    // Degrees have no fixed area; a georeference file that is not one is refused.
    EXPECT_EQ(PixelAreaSquareMetres({{14, 0.001, 0, 50, 0, -0.001}, Wkt(4326)}), 0.0);
    for (const char* text : {R"({"geotransform":[1,2,3]})", R"({"geotransform":[1,2,0,"x",0,-2]})"}) {
        std::ofstream(dir.File("bad.geo.json")) << text;
        EXPECT_THROW(ReadGeoReference(dir.File("bad.geo.json")), FileError) << text;
    }
    // Each pixel's area in square metres is finite, the matrix's is not (in square kilometres it is).
    std::ofstream(dir.File("huge.geo.json"))
        << R"({"geotransform":[0,1e151,0,0,0,-1e151],"crs":"PROJCS[\"k\",GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],UNIT[\"degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],UNIT[\"kilometre\",1000]]"})";
    for (const auto& [width, height] : {std::pair{2, 2}, {1, 2}})
        EXPECT_THROW(ReadGeoReference(dir.File("huge.geo.json"), width, height), FileError) << width << "x" << height;
}
