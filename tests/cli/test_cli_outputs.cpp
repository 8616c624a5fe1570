// Refusals of the batch tool: bad options, damaged inputs of every kind it
// reads, outputs aimed at inputs or at each other, outputs that cannot all be
// written, and inputs that would put something impossible on the map. Each ends with its exit code and a
// message naming the problem, and every file stays as it was.
#include <filesystem>

#include "cli_checks.h"
#include "crown_samples.h"
#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "extrema/extrema_file.h"
#include "folder_snapshot.h"
#include "reference_data.h"
#include "sample_data.h"
#include "scene_files.h"

using namespace lumera;
using namespace lumera::testing;
namespace fs = std::filesystem;

namespace {

// A 10 x 4 scene with pixels of `pixel` metres a side.
void WriteSmallScene(const std::string& path, double pixel = 2)
{
    SceneRecipe recipe = UtmScene(10, 4, [](int band, int x, int y) { return 0.05 * (x + 1) + 0.1 * y + 0.001 * band; });
    recipe.Transform = std::array<double, 6>{500000, pixel, 0, 5500000, 0, -pixel};
    WriteScene(path, recipe);
}

// The inputs of the commands below, earlier outputs, and folders where files belong.
void WriteInputs(const TempDir& dir)
{
    WriteBmp(dir.File("pic.bmp"), PatternPicture(64, 62));
    fs::create_symlink(dir.File("pic.bmp"), dir.File("link.bmp"));
    WriteBmp(dir.File("bg.bmp"), TwoCrowns());
    WriteExtremaFile(dir.File("tops.txt"), {{8, 10}, {30, 10}});
    WriteTreeMatrix(dir.File("trees.dat"), TTreeMatrix(4, 3));
    WriteSmallScene(dir.File("scene.img"));
    WriteSmallScene(dir.File("huge.img"), 1e308);
    WriteAll(dir.File("huge.json"), R"({"geotransform":[0,1e308,0,0,0,-1e308]})");
    InstallReferenceFiles(dir.Path());
    WriteCutout(dir.File("cube.dat"), RandomCube(65, 6, 5, 9));
    WriteCutout(dir.File("thin.dat"), PatternCube(35, 4, 4));
    WriteWords(dir.File("short.dat"), {1, 2, 3, 10});
    WriteBmp(dir.File("narrow.bmp"), PatternPicture(45, 80));
    WriteBmp(dir.File("small.bmp"), Bitmap(64, 61));  // as wide as pic.bmp, a row shorter
    WriteTreeMatrix(dir.File("wide.dat"), TTreeMatrix(6, 5));
    WriteAll(dir.File("bad.flt"), "3\r\n1\r\n1\r\nx\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n");
    WriteAll(dir.File("zeros.txt"), "0 0 0");
    for (const char* damaged : {"noise.dat", "noise.bmp", "noise.txt", "noise.json", "noise.img", "noise.hdr", "noise.tif"})
        WriteAll(dir.File(damaged), std::string(300, '\xA7'));
    for (const char* output : {"t.dat", "o.bmp", "c.dat", "y.shp", "y.dbf"}) WriteAll(dir.File(output), "earlier");
    for (const char* folder : {"d/labels.dat", "c.dat.geo.json", "y.shx", "geo"}) fs::create_directories(dir.File(folder));
}

const std::string kCrowns = "crowns --maxima @tops.txt --background @bg.bmp --equalized @bg.bmp";
const std::string kSpectral = "--program-dir @ ";

}  // namespace

TEST(CliContract, RefusalsExitWithTheirCodeNameTheProblemAndChangeNothing)
{
    const struct {
        std::string arguments, mention;
        int exitCode = 1;
    } cases[] = {
        // options and inputs the commands cannot use
        {"frobnicate", ""},
        {"info @short.dat", "short.dat"},
        {"bandmap @cube.dat --band 66 -o @b.bmp", "1 až 65"},
        {"spectrum @cube.dat --column 6 --row 1", "Sloupec 6"},
        {"detail @narrow.bmp --at 30,30 -o @d.bmp", "61 x 61"},
        {"truecolor @thin.dat -o @b.bmp", "36", 2},
        {"equalize @narrow.bmp -o @b.bmp", "46x46", 2},  // the default window, 45
        {"equalize @missing.bmp -o @b.bmp", "missing.bmp"},
        {"refdata --library @none.csv -o @", "none.csv"},
        {"crown-spectra @cube.dat @wide.dat -o @w.csv", "6 x 5, výřez 5 x 6", 2},
        {kSpectral + "ndvi @cube.dat --red 34,33 -o @b.bmp", "Nesmyslný rozsah u RED a NIR.", 2},
        {kSpectral + "ndvi @cube.dat --red 0,33 -o @b.bmp", ""},
        {kSpectral + "needle @cube.dat --weight-file @zeros.txt -o @b.bmp", "zeros.txt"},
        {kSpectral + "mask @cube.dat --needle-bounds 90,80 --ndvi-bounds 91,90 -o @b.bmp", "Nesmyslný rozsah u procent.", 2},
        {kSpectral + "mask @cube.dat --ndvi-share 33 -o @b.bmp", ""},
        {"needle @cube.dat -o @b.bmp", "AllRefSp.dat"},
        {kSpectral + "needle @cube.dat --program-dir @ -o @b.bmp", "--program-dir"},
        {"filter @pic.bmp --filter gauss:4 -o @b.bmp", "gauss:4"},
        {"filter @pic.bmp --filter @bad.flt -o @b.bmp", "bad.flt"},
        {"maxima -o @m.txt", "--cube"},
        {"maxima --picture @pic.bmp --bands 3 -o @m.txt", "--bands"},
        {"maxima --cube @cube.dat --no-filter -o @m.txt", "--no-filter"},
        {"minima --picture @pic.bmp --size 4 -o @m.txt", "--size"},
        {"minima --picture @pic.bmp -o @none/m.txt", "m.txt"},
        {"delineate --picture @pic.bmp --mask @small.bmp -o @t.dat", "small.bmp"},
        {"delineate --cube @thin.dat -o @t.dat", "43", 2},
        {"delineate --picture @pic.bmp --crown-radius 0.4 -o @t.dat", "--crown-radius"},
        {"crowns --maxima @none.txt --background @bg.bmp --equalized @bg.bmp -o @t.dat", "none.txt"},
        {kCrowns + " --filter @bad.flt -o @t.dat", "bad.flt"},
        {kCrowns + " --moves ten -o @t.dat", ""},
        // a dump folder that cannot be made once failed after the tree matrix was written
        {kCrowns + " --dump @o.bmp -o @t2.dat", "o.bmp"},
        {"import @scene.img --window 9,0,2,2 -o @i.dat", "neleží celé uvnitř", 2},
        {"import @nothing.img -o @i.dat", "nothing.img"},
        {"import @scene.img --scale -5 -o @i.dat", "Měřítko \"-5\" není kladné"},
        {"tiles @scene.img --size 5 --overlap 5 -o @tt", "", 2},
        {"tiles @scene.img --size 401 -o @tt", "401", 2},
        {"pipeline @cube.dat @cube.dat -o @p", "cube"},
        // a damaged file of every kind read, with earlier outputs there
        {kSpectral + "pipeline @noise.dat --window 5 -o @p", "noise.dat"},
        {"delineate --picture @noise.bmp -o @t.dat", "noise.bmp"},
        {"filter @pic.bmp --filter @noise.txt -o @o.bmp", "noise.txt"},
        {"crowns --maxima @noise.txt --background @bg.bmp --equalized @bg.bmp -o @t.dat", "noise.txt"},
        {"polygons @noise.dat -o @y.shp", "noise.dat"},
        {"polygons @trees.dat --geo @noise.json -o @y.shp", "noise.json"},
        {"import @noise.img -o @c.dat", "noise"},
        {"tiles @noise.tif --size 6 -o @tt", "noise.tif"},
        // an output that is an input, or another output
        {"import @scene.img -o @scene.img", "scene.img"},
        {"maxima --picture @link.bmp -o @pic.bmp", "link.bmp"},
        {kCrowns + " -o @tops.txt", "tops.txt"},
        {kCrowns + " --network @t.dat -o @t.dat", "t.dat"},
        {kCrowns + " --dump @e -o @e/labels.dat", "labels.dat"},
        {"polygons @y.dbf -o @y.shp", "y.dbf"},
        // a later output that cannot be written
        {kCrowns + " --network @no/such/n.bmp -o @t.dat", "n.bmp"},
        {kCrowns + " --overlay @o.bmp --dump @d -o @t.dat", "labels.dat"},
        {"delineate --picture @pic.bmp --overlay @no/such/o.bmp -o @t.dat", "o.bmp"},
        {"import @scene.img -o @c.dat", "c.dat.geo.json"},
        {"polygons @trees.dat -o @y.shp", "y.shx"},
        // a georeference beyond the numbers, a folder for a georeference
        {"import @huge.img -o @c.dat", "huge.img"},
        {"polygons @trees.dat --geo @huge.json -o @y.shp", "huge.json"},
        {"polygons @trees.dat --geo @geo -o @y.shp", "geo nelze otevřít: je to složka."},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteInputs(dir);
        const auto before = Snapshot(dir.Path());
        ExpectFailure(Expand(dir, c.arguments), c.exitCode, c.mention);
        EXPECT_TRUE(Snapshot(dir.Path()) == before) << c.arguments;
    }
}

TEST(CliContract, MergeRefusesATileListThatIsNotAPartitionOfTheSceneOrAMissingTreeMatrix)
{
    TempDir dir;
    WriteSmallScene(dir.File("scene.img"));
    ExpectSuccess(Expand(dir, "tiles @scene.img --size 6 --overlap 4 -o @tiles"));
    for (const char* tile : {"r00_c00", "r00_c01", "r00_c02"})
        WriteTreeMatrix(dir.File(std::string("tiles/") + tile + "/trees.dat"), TTreeMatrix(6, 4));
    const std::string first = "tile,x,y,width,height,core_x,core_y,core_width,core_height\nr00_c00,0,0,6,4,0,0,4,4\n";
    const std::string last = "r00_c02,4,0,6,4,6,0,4,4\n";
    for (const std::string& list : {
             first + "r00_c01,2,0,6,4,4,0,2,4\n" + last + "r00_c00,0,0,6,4,0,0,4,4\n",  // a tile twice
             first + "r00_c01,2,0,6,4,4,0,2,5\n" + last,                                 // a core beyond its tile
             first + "r00_c01,2,0,6,3,4,0,2,4\n" + last,                                 // a tile short of its core
             first + "r00_c01,2,0,3,4,4,0,2,4\n" + last,                                 // a tile narrower than its core
             first + "r00_c01,2,0,6,4,3,0,3,4\n" + last,                                 // overlapping cores
             first + "r00_c01,2,0,6,4,5,0,1,4\n" + last,                                 // a gap
             first + "../up,2,0,6,4,4,0,2,4\n" + last,                                   // outside the folder
         }) {
        WriteAll(dir.File("tiles/tiles.csv"), list);
        ExpectFailure(Expand(dir, "merge @tiles -o @m.geojson"), 1, "tiles.csv");
    }
    WriteAll(dir.File("tiles/tiles.csv"), first + "r00_c01,2,0,6,4,4,0,2,4\n" + last);
    fs::remove(dir.File("tiles/r00_c01/trees.dat"));
    ExpectFailure(Expand(dir, "merge @tiles -o @m.geojson"), 1, "trees.dat");
}

TEST(CliContract, PipelineNamesTheFilesTheUserGaveNotItsStagingFolder)
{
    TempDir dir;
    InstallReferenceFiles(dir.Path());
    WriteCutout(dir.File("cut.dat"), RandomCube(65, 9, 11, 3));
    fs::create_directory(dir.File("cut.dat.geo.json"));
    const CliResult r = RunCli(Expand(dir, "--program-dir @ pipeline @cut.dat --window 5 -o @out"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Soubor " + dir.File("cut.dat.geo.json") + " nelze otevřít: je to složka.\n");
}

// SQLite counts the writes to a file in its header: one a transaction. A
// GeoPackage written a transaction per crown took 38 s for 160,000 crowns.
TEST(CliPolygons, ManyCrownsGoIntoAGeoPackageInAFewTransactions)
{
    TempDir dir;
    TTreeMatrix trees(50, 40);
    for (std::size_t i = 0; i < trees.Values.size(); ++i) trees.Values[i] = int32_t(i + 1);
    WriteTreeMatrix(dir.File("trees.dat"), trees);
    ExpectSuccess(Expand(dir, "polygons @trees.dat -o @c.gpkg"));
    const std::string header = ReadAll(dir.File("c.gpkg")).substr(24, 4);
    unsigned writes = 0;
    for (char byte : header) writes = writes << 8 | (unsigned char)byte;
    EXPECT_LT(writes, 100u);
}
