#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "cli_checks.h"
#include "crown_files.h"
#include "crown_samples.h"
#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "extrema/extrema_file.h"
#include "scene_files.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// A scene of the given size whose every band holds the same values.
SceneRecipe SmallScene(int width = 3, int height = 2)
{
    return UtmScene(width, height, [](int, int x, int y) { return 0.1 * (x + 1) + 0.3 * y; });
}

}  // namespace

// A mutated header once made the import write the cut-out and then fail on its
// georeference: the coordinate system's name was no UTF-8 text.
TEST(CliImport, EnviWindowToCutOutWithGeoreferenceBesideItsSystemNamedInAnyEncoding)
{
    TempDir dir;
    WriteScene(dir.File("scene.img"), SmallScene());
    std::string header = ReadAll(dir.File("scene.hdr"));
    const std::size_t name = header.find("WGS_1984_UTM_Zone_33N");
    ASSERT_NE(name, std::string::npos) << header;
    WriteAll(dir.File("scene.hdr"), header.replace(name, 8, "K\xF8ov\xE1k"));  // Windows-1250
    const std::string out = ExpectSuccess(Expand(dir, "import @scene.img --window 1,0,2,2 -o @cut.dat"));
    EXPECT_EQ(out, "{\"bands\":65,\"rows\":2,\"columns\":2,\"scale\":10000.0,\"clipped\":0,\"nodata_pixels\":0,"
                   "\"filled_bands\":[],\"georeferenced\":true}\n");
    EXPECT_EQ(ReadCutout(dir.File("cut.dat")).At(64, 1, 1), 6000);
    const auto geo = nlohmann::json::parse(ReadAll(dir.File("cut.dat.geo.json")));
    EXPECT_EQ(geo["geotransform"][0].get<double>(), 500002.0);
    EXPECT_NE(geo["crs"].get<std::string>().find("K\uFFFDov\uFFFDk_UTM_Zone_33N"), std::string::npos) << geo;
}

// What the import guessed is said on standard error.
TEST(CliImport, GuessedUnitsAreSaid)
{
    TempDir dir;
    SceneRecipe recipe = SmallScene();
    recipe.Centres = Centres(0.38, 0.005, 130);
    recipe.Unit = "";
    WriteScene(dir.File("scene.img"), recipe);
    const CliResult r = RunCli(Expand(dir, "import @scene.img -o @cut.dat"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("podle velikosti hodnot jde o mikrometry"), std::string::npos) << r.err;
}

TEST(CliPolygons, TreeMatrixToGeoreferencedGeoPackage)
{
    TempDir dir;
    WriteTreeMatrix(dir.File("trees.dat"), Trees("112/322"));
    WriteScene(dir.File("scene.img"), SmallScene());
    ExpectSuccess(Expand(dir, "import @scene.img -o @cut.dat"));
    WriteExtremaFile(dir.File("maxima.txt"), {{0, 0}, {2, 1}, {0, 1}});
    EXPECT_EQ(ExpectSuccess(Expand(dir, "polygons @trees.dat --geo @cut.dat.geo.json --tops @maxima.txt -o @crowns.gpkg")),
              "{\"crowns\":3,\"georeferenced\":true,\"area\":true,\"tops\":true}\n");
    EXPECT_EQ(ExpectSuccess(Expand(dir, "polygons @trees.dat -o @plain.gpkg")),  // pixels have no area in m²
              "{\"crowns\":3,\"georeferenced\":false,\"area\":false,\"tops\":false}\n");
    const ReadLayer layer = ReadCrownFile(dir.File("crowns.gpkg"));
    ASSERT_EQ(layer.Crowns.size(), 3u);
    // area_m2 of 3 pixels of 2 x 2 m, then the centre of the top's pixel (2, 1), then the centroid
    const std::vector<double>& reals = layer.Crowns[1].Reals;
    ASSERT_EQ(reals.size(), 5u);
    EXPECT_EQ(std::vector<double>(reals.begin(), reals.begin() + 3), (std::vector<double>{12.0, 500005.0, 5499997.0}));
}

TEST(CliPipelineOnTheMap, AGeoreferencedCutOutAlsoGetsItsCrownsOnTheMap)
{
    TempDir dir;
    // 220 trees per 400 x 400 pixels: 4.95 here.
    EXPECT_EQ(ExpectSuccess(Expand(dir, "synth -o @ --size 60,60 --seed 3")), "{\"columns\":60,\"rows\":60,\"trees\":5}\n");
    std::ofstream(dir.File("data/vyrezy/stand.dat.geo.json")) << R"({"geotransform":[600000,0.5,0,5400000,0,-0.5],"crs":""})";
    const auto summary =
        nlohmann::json::parse(ExpectSuccess(Expand(dir, "pipeline @data/vyrezy/stand.dat -o @out --program-dir @")));
    const ReadLayer layer = ReadCrownFile(dir.File("out/crowns.gpkg"));
    ASSERT_EQ(layer.Crowns.size(), summary["trees"].get<std::size_t>());
    for (const ReadCrown& crown : layer.Crowns) {
        EXPECT_DOUBLE_EQ(crown.Area, 0.25 * double(crown.Pixels));
    }
}

TEST(CliTiles, TilesThenMergeOfTheirTreeMatrices)
{
    TempDir dir;
    WriteScene(dir.File("scene.img"), SmallScene(10, 4));
    EXPECT_EQ(ExpectSuccess(Expand(dir, "tiles @scene.img --size 6 --overlap 4 -o @tiles")),
              "{\"tiles\":3,\"scale\":10000.0,\"clipped\":0}\n");
    // Windows from columns 0, 2 and 4; cores from 0, 4 and 6. One crown on
    // scene columns 3 and 4: whole in the first two tiles, cut off in the third.
    TTreeMatrix left(6, 4), middle(6, 4), right(6, 4);
    left.At(3, 1) = left.At(4, 1) = 1;
    middle.At(1, 1) = middle.At(2, 1) = 7;
    right.At(0, 1) = 2;
    WriteTreeMatrix(dir.File("tiles/r00_c00/trees.dat"), left);
    WriteTreeMatrix(dir.File("tiles/r00_c01/trees.dat"), middle);
    WriteTreeMatrix(dir.File("tiles/r00_c02/trees.dat"), right);
    // With the tiles' maxima the crown's top (scene column 3) decides: the
    // first tile's core holds it, not the middle one's, which holds its
    // centroid (the scene tests merge by centroids).
    WriteExtremaFile(dir.File("tiles/r00_c00/maxima.txt"), {{3, 1}});
    TExtremaList middleTops(6, {0, 0});  // the crown is tree 7 there
    middleTops.push_back({1, 1});
    WriteExtremaFile(dir.File("tiles/r00_c01/maxima.txt"), middleTops);
    EXPECT_EQ(ExpectSuccess(Expand(dir, "merge @tiles -o @tops.geojson")), "{\"found\":3,\"crowns\":1}\n");
    const ReadLayer byTop = ReadCrownFile(dir.File("tops.geojson"));
    ASSERT_EQ(byTop.Crowns.size(), 1u);
    EXPECT_EQ(byTop.Crowns[0].Envelope.MinX, 500006.0);
    EXPECT_EQ(byTop.Crowns[0].Reals[1], 500007.0);  // top_x: the centre of scene column 3
    EXPECT_EQ(byTop.Crowns[0].Texts.at("tile"), "r00_c00");

    SceneRecipe unplaced = SmallScene(10, 4);  // tiled again into the same folder
    unplaced.Transform.reset();
    unplaced.Epsg = 0;
    WriteScene(dir.File("unplaced.img"), unplaced);
    ExpectSuccess(Expand(dir, "tiles @unplaced.img --size 6 --overlap 4 -o @tiles"));
    for (const std::string tile : {"r00_c00", "r00_c01", "r00_c02"})  // none keeps the earlier scene's place
        EXPECT_FALSE(std::filesystem::exists(dir.File("tiles/" + tile + "/cut.dat.geo.json"))) << tile;
}

TEST(CliTiles, ASceneUnreadablePastItsFirstTileLeavesTheFolderAsItWas)
{
    TempDir dir;
    SceneRecipe recipe = SmallScene(6, 12);
    recipe.Driver = "GTiff";
    WriteScene(dir.File("scene.tif"), recipe);
    // By default a tile is as large as a cut-out may be: here the whole scene.
    ExpectSuccess(Expand(dir, "tiles @scene.tif --scale 5000 -o @whole"));
    EXPECT_EQ(ReadAll(dir.File("whole/tiles.csv")).find("r01_c00"), std::string::npos);
    std::filesystem::remove_all(dir.File("whole"));
    ExpectSuccess(Expand(dir, "tiles @scene.tif --scale 5000 --size 6 -o @tiles"));
    const auto earlier = ReadAll(dir.File("tiles/r00_c00/cut.dat")), list = ReadAll(dir.File("tiles/tiles.csv"));
    EXPECT_NE(list.find("r01_c00,0,6,6,6,0,6,6,6"), std::string::npos) << "tiles overlap unasked";
    // The rows of the second tile cut off: the first tile still reads.
    std::string bytes = ReadAll(dir.File("scene.tif"));
    bytes.resize(bytes.size() * 3 / 4);
    std::ofstream(dir.File("cut.tif"), std::ios::binary) << bytes;
    ExpectFailure(Expand(dir, "tiles @cut.tif --size 6 -o @tiles"), 1, "cut.tif");
    EXPECT_TRUE(ReadAll(dir.File("tiles/r00_c00/cut.dat")) == earlier) << "the first tile replaced";
    EXPECT_EQ(ReadAll(dir.File("tiles/tiles.csv")), list);
    ExpectFailure(Expand(dir, "tiles @cut.tif --size 6 -o @fresh"), 1, "cut.tif");
    EXPECT_FALSE(std::filesystem::exists(dir.File("fresh")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);  // no staging folder left
}
