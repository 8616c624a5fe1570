#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <random>
#include <tuple>

#include "crown_samples.h"
#include "data/file_error.h"
#include "mapping/crown_summary.h"
#include "mapping/geo_reference_file.h"
#include "mapping/geotransform.h"
#include "mapping/seam_crowns.h"
#include "mapping/band_resampling.h"
#include "mapping/tile_grid.h"
#include "mapping/value_scaling.h"
#include "mapping/wavelength_units.h"
#include "mapping/world_file.h"
#include "refusal.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

double Resample(const BandWeights& band, const std::vector<double>& values)
{
    double sum = 0.0;
    for (std::size_t k = 0; k < band.Inputs.size(); ++k) sum += band.Weights[k] * values[std::size_t(band.Inputs[k])];
    return sum;
}

}  // namespace

TEST(SpectralResampling, GaussianOfTheOutputWidthAgainstHandComputedBands)
{
    const TBandTable table = InitBandTable();
    // Band 65 (0.9816 µm, width 0.0095) from scene bands at 0.97, 0.98 and 0.99 µm.
    const ResamplingPlan last = PlanResampling({0.97, 0.98, 0.99}, table);
    EXPECT_NEAR(Resample(last.Bands[64], {1000, 2000, 3000}), 2093.30483, 1e-4);
    // Band 1 has no scene centre within one width of 0.3917 µm: not covered, and named.
    EXPECT_EQ(last.Uncovered.front(), 1);
    EXPECT_EQ(last.Uncovered.size(), 62u);  // 0.97 to 0.99 µm lie within one width of bands 63 to 65 only
}

TEST(WavelengthUnits, FilesWithAndWithoutTheUnitLineAndMalformedOnes)
{
    TempDir dir;
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir.File(name)) << text;
        return dir.File(name);
    };
    const WavelengthFile stated = ReadWavelengthFile(write("nm.txt", "Wavelength (nm)\r\n400\r\n\r\n500\r\n"));
    EXPECT_FALSE(stated.UnitGuessed);
    EXPECT_EQ(stated.CentresUm, (std::vector<double>{0.4, 0.5}));
    const WavelengthFile guessed = ReadWavelengthFile(write("bare.txt", "0.45\n0.55\n"));
    EXPECT_TRUE(guessed.UnitGuessed);
    EXPECT_EQ(guessed.CentresUm, (std::vector<double>{0.45, 0.55}));
    for (const char* text : {"", "nm\n", "furlongs\n400\n", "400\nnm\n500\n", "nm\nµm\n400\n", "400\n4OO\n"}) {
        const std::string path = write("bad.txt", text);
        EXPECT_THROW(ReadWavelengthFile(path), FileError) << text;
    }
    lumera::testing::ExpectRefused([&] { ReadWavelengthFile(write("bad.txt", "400\n\n4OO\n")); }, {"bad.txt", "řádek 3"});
    // An endless stream or a list far beyond any sensor is not read to its end.
    std::string huge;
    while (huge.size() <= (std::size_t(1) << 20)) huge += "500.25\n";
    for (const std::string& path : {write("huge.txt", huge), std::string("/dev/zero"), dir.Path().string()})
        EXPECT_THROW(ReadWavelengthFile(path), FileError) << path;
}

TEST(ValueScaling, GuessParseRoundTiesToEvenAndClip)
{
    EXPECT_EQ(GuessCountScale(false, 2.0), 10000.0);  // reflectance, bright surfaces up to twice the panel
    EXPECT_EQ(GuessCountScale(false, 2.5), 1.0);
    EXPECT_EQ(GuessCountScale(true, 1.0), 1.0);
    for (const auto& [value, count, clipped] : {std::tuple{2.5, 2, false}, {3.5, 4, false}, {-0.4, 0, false},
                                                 {-3.0, 0, true}, {40000.0, 32767, true}}) {
        bool wasClipped = !clipped;
        EXPECT_EQ(ToCount(value, wasClipped), count) << value;
        EXPECT_EQ(wasClipped, clipped) << value;
    }
    // A written scale is a positive number with either separator.
    for (const auto& [text, scale] : {std::pair{"10000", 10000.0}, {" 2,5 ", 2.5}, {"1e-3", 0.001}})
        EXPECT_EQ(ParseCountScale(text), scale) << text;
    for (const char* bad : {"", "0", "-0", "-1", "abc", "2,5,1", "inf", "nan", "1e999"})
        EXPECT_EQ(ParseCountScale(bad), std::nullopt) << bad;
}

// The pixel size in metres needs a projected system and its linear unit.
TEST(GeoReferenceFile, PixelSizeInMetresFromTheUnitOfTheProjection)
{
    const GeoTransform half = {600000, 0.5, 0, 5400000, 0, -0.5};
    const std::pair<const char*, double> cases[] = {
        {R"w(PROJCS["UTM 33N",GEOGCS["WGS 84",UNIT["degree",0.0174532925199433]],PROJECTION["Transverse_Mercator"],UNIT["metre",1,AUTHORITY["EPSG","9001"]],AXIS["Easting",EAST]])w", 0.5},
        {R"w( PROJCS["x",GEOGCS["g",UNIT["degree",0.01745]],UNIT["US survey foot",0.304800609601219]])w", 0.5 * 0.304800609601219},
        {R"w(PROJCRS["UTM",BASEGEOGCRS["WGS 84",ANGLEUNIT["degree",0.0174532925199433]],CS[Cartesian,2],AXIS["(E)",east,LENGTHUNIT["metre",1]],ID["EPSG",32633]])w", 0.5},
        {R"w(GEOGCS["WGS 84",UNIT["degree",0.0174532925199433]])w", 0.0},
        {R"w(PROJCS["no unit"])w", 0.0},
        {R"w(PROJCS["x",UNIT["metre",-1]])w", 0.0},
        {"", 0.0},
    };
    for (const auto& [crs, metres] : cases) EXPECT_DOUBLE_EQ(PixelSizeMetres({half, crs}), metres) << crs;

    TempDir dir;
    EXPECT_EQ(CutoutPixelSizeMetres(dir.File("none.dat")), 0.0);
    std::ofstream(dir.File("bad.dat.geo.json")) << "{";
    EXPECT_THROW(CutoutPixelSizeMetres(dir.File("bad.dat")), FileError);
    std::ofstream(dir.File("huge.dat.geo.json")) << R"({"geotransform":[0,1e300,0,0,0,-1e300],"crs":"PROJCS[\"u\",UNIT[\"metre\",1]]"})";
    EXPECT_THROW(CutoutPixelSizeMetres(dir.File("huge.dat")), FileError);
    // Corners on the map, but an area beyond any number.
    EXPECT_FALSE(FitsOnTheMap({0, 1e153, 0, 0, 0, -1e153}, 400, 400));
    EXPECT_TRUE(FitsOnTheMap({0, 1e153, 0, 0, 0, -1e-153}, 400, 400));
    EXPECT_FALSE(FitsOnTheMap({0, 1e-300, 0, 1.79e308, 0, 1e306}, 400, 400));  // a small area, but rows off the map
    // A window of a rotated scene starts where its corner pixel lies, turned alike.
    EXPECT_EQ(WindowGeoTransform({100, 2, 0.5, 200, 0.25, -2}, 3, 4), (GeoTransform{108, 2, 0.5, 192.75, 0.25, -2}));
}

// A picture exported from a GIS: the world file names the top-left pixel's
// centre; the pixel size needs a projected system from .prj or GDAL's side file.
TEST(WorldFile, APicturesPixelSizeComesFromItsWorldFileAndCoordinateSystem)
{
    TempDir dir;
    const std::string picture = dir.File("a.bmp");
    EXPECT_EQ(PicturePixelSizeMetres(picture), 0.0);
    std::ofstream(dir.File("a.bpw")) << "0.5\n0\n0\n-0.5\n600000.25\n5399999.75\n";
    EXPECT_EQ(ReadWorldFile(dir.File("a.bpw")), (GeoTransform{600000, 0.5, 0, 5400000, 0, -0.5}));
    EXPECT_EQ(PicturePixelSizeMetres(picture), 0.0);  // degrees or feet, who knows
    std::ofstream(dir.File("a.bmp.aux.xml"))
        << R"(<PAMDataset><SRS dataAxisToSRSAxisMapping="1,2">PROJCS[&quot;x&quot;,UNIT[&quot;US survey foot&quot;,0.3048006096]]</SRS></PAMDataset>)";
    EXPECT_DOUBLE_EQ(PicturePixelSizeMetres(picture), 0.5 * 0.3048006096);
    std::ofstream(dir.File("a.prj")) << R"(PROJCS["UTM",GEOGCS["g",UNIT["degree",0.01745]],UNIT["Meter",1.0]])";
    EXPECT_DOUBLE_EQ(PicturePixelSizeMetres(picture), 0.5);
    std::ofstream(dir.File("B.BPW")) << "0.25 0 0 -0.25 0 0";  // named on Windows
    std::ofstream(dir.File("B.PRJ")) << R"(PROJCS["UTM",UNIT["metre",1]])";
    EXPECT_DOUBLE_EQ(PicturePixelSizeMetres(dir.File("B.BMP")), 0.25);

    for (const char* bad : {"0.5 0 0 -0.5 1", "0.5 0 0 -0.5 1 2 3", "0.5 0 0 -0.5 1 x", "0.5 0 1 0 1 2", "1e9 0 0 -1e9 0 0"}) {
        std::ofstream(dir.File("a.bpw")) << bad;
        EXPECT_THROW(PicturePixelSizeMetres(picture), FileError) << bad;
    }
}

TEST(TileGrid, CoresCoverEveryPixelExactlyOnceAndWindowsStayInside)
{
    std::mt19937 random(5);
    for (int trial = 0; trial < 300; ++trial) {
        const int width = 1 + int(random() % 1300), height = 1 + int(random() % 900);
        const int size = 1 + int(random() % 400), overlap = int(random() % size);
        const std::vector<Tile> tiles = TileGrid(width, height, size, overlap);
        std::vector<int> owners(std::size_t(width) * height, 0);
        for (const Tile& t : tiles) {
            ASSERT_TRUE(t.Window.X >= 0 && t.Window.X + t.Window.Width <= width && t.Window.Y + t.Window.Height <= height);
            ASSERT_EQ(t.Window.Width, std::min(size, width));
            for (int y = t.Core.Y; y < t.Core.Y + t.Core.Height; ++y)
                for (int x = t.Core.X; x < t.Core.X + t.Core.Width; ++x) {
                    ASSERT_TRUE(t.Window.Contains(x, y));
                    ++owners[std::size_t(y) * width + x];
                }
        }
        ASSERT_EQ(std::count(owners.begin(), owners.end(), 1), long(owners.size()))
            << width << "x" << height << " size " << size << " overlap " << overlap;
    }
}

TEST(CrownSummary, PixelsCentroidsBoundsAndOwnership)
{
    const TTreeMatrix m = Trees("11.#/1.22/..25");
    const std::vector<CrownSummary> crowns = SummarizeCrowns(m);
    ASSERT_EQ(crowns.size(), 3u);
    EXPECT_EQ(crowns[0].Pixels, 3);
    EXPECT_DOUBLE_EQ(crowns[0].CentroidColumn, (0.5 + 1.5 + 0.5) / 3);
    EXPECT_DOUBLE_EQ(crowns[1].CentroidRow, (1.5 + 1.5 + 2.5) / 3);
    EXPECT_EQ(std::make_pair(crowns[1].Bounds.X, crowns[1].Bounds.Width), std::make_pair(2, 2));
    EXPECT_EQ(crowns[2].Tree, 5);

    // Tree k's top is the k-th maximum; it decides where a crown belongs. A
    // list too short or a point outside the matrix leaves the top unknown.
    const TExtremaList maxima = {{9, 9}, {3, 1}, {0, 0}, {3, 2}};
    const std::vector<CrownSummary> topped = SummarizeCrowns(m, &maxima);
    EXPECT_TRUE(!topped[0].HasTop() && !topped[2].HasTop());
    EXPECT_EQ(std::make_pair(topped[1].TopColumn, topped[1].TopRow), std::make_pair(3, 1));
    // The tile is the right part of an 8-pixel-wide scene; its core holds the
    // centroid (scene column 6), not the top (column 7). Only its left edge
    // lies inside the scene.
    const Tile tile{0, 1, {4, 0, 4, 3}, {4, 0, 3, 3}};
    EXPECT_TRUE(TopInCore(tile, crowns[1]));
    EXPECT_FALSE(TopInCore(tile, topped[1]));
    EXPECT_EQ(TopScenePixel(tile, topped[1], 8), 1 * 8 + 7);
    EXPECT_TRUE(TouchesInnerEdge(tile, crowns[0], 8, 3));
    EXPECT_FALSE(TouchesInnerEdge(tile, crowns[1], 8, 3));
}

TEST(SeamCrowns, AWholeVersionHoldsTheCutTopAndHasItsTopInTheCutCrown)
{
    // Scene pixels of a 10-wide scene; cut crowns 0 and 1 share their top
    // area with whole crown 1 only; whole crown 0 holds the top of cut crown
    // 0 but grew from a top outside it.
    const std::vector<SeamCrown> cut = {{12, {11, 12, 13}}, {14, {12, 13, 14}}};
    const std::vector<SeamCrown> whole = {{30, {12, 30}}, {13, {12, 13, 14, 15}}};
    const std::vector<std::optional<std::size_t>> versions = WholeVersionsOfCutCrowns(cut, whole);
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(versions[0], std::optional<std::size_t>(1));
    EXPECT_FALSE(versions[1].has_value());  // taken by the first

    const TTreeMatrix trees = Trees("12/21");
    const auto pixels = TreePixelsInScene(trees, {3, 1, 2, 2}, 10, {2, 5});
    EXPECT_EQ(pixels[0], (std::vector<int64_t>{14, 23}));
    EXPECT_TRUE(pixels[1].empty());
}
