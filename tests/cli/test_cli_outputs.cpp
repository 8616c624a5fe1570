// Outputs aimed at inputs or at each other, outputs that cannot all be
// written, and inputs that would put something impossible on the map: each
// is refused with a message naming the files, and every file stays as it was.
#include <filesystem>

#include "cli_checks.h"
#include "crown_samples.h"
#include "crowns/tree_matrix.h"
#include "extrema/extrema_file.h"
#include "data/cutout_file.h"
#include "folder_snapshot.h"
#include "reference_data.h"
#include "sample_data.h"
#include "scene_files.h"

using namespace lumera;
using namespace lumera::testing;
namespace fs = std::filesystem;

namespace {

const std::string kEarlier = "an earlier result";

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A 10 x 4 reflectance scene of 130 bands from 380 nm; `pixel` metres a side.
void WriteSmallScene(const std::string& path, double pixel = 2)
{
    SceneRecipe recipe;
    recipe.Width = 10;
    recipe.Height = 4;
    recipe.Centres = Centres(380, 5, 130);
    recipe.Value = [](int band, int x, int y) { return 0.05 * (x + 1) + 0.1 * y + 0.001 * band; };
    recipe.Transform = std::array<double, 6>{500000, pixel, 0, 5500000, 0, -pixel};
    recipe.Epsg = 32633;
    WriteScene(path, recipe);
}

// The inputs of the commands below, and outputs of earlier runs.
void WriteInputs(const TempDir& dir)
{
    WriteBmp(dir.File("pic.bmp"), PatternPicture(64, 62));
    fs::create_symlink(dir.File("pic.bmp"), dir.File("link.bmp"));
    WriteBmp(dir.File("bg.bmp"), TwoCrowns());
    WriteExtremaFile(dir.File("tops.txt"), {{8, 10}, {30, 10}});
    TTreeMatrix trees(4, 3);
    trees.Values = {1, 1, 2, 2, 1, 0, 2, 2, 0, 0, 3, 3};
    WriteTreeMatrix(dir.File("trees.dat"), trees);
    WriteSmallScene(dir.File("scene.img"));
    for (const char* output : {"t.dat", "o.bmp", "c.dat", "y.shp", "y.dbf"}) WriteText(dir.File(output), kEarlier);
}

struct Case {
    std::string arguments;  // paths relative to the test folder, marked @
    std::string mention;    // what the message names besides the output
};

std::string Expand(const TempDir& dir, const std::string& arguments)
{
    std::string expanded;
    for (std::size_t at = 0; at < arguments.size(); ++at)
        if (arguments[at] == '@') expanded += dir.Path().string() + "/";
        else expanded += arguments[at];
    return expanded;
}

// Runs each case on a fresh set of files: exit 1, a message naming
// `mention`, nothing printed and every file as it was.
void ExpectRefusedWithNothingChanged(const std::vector<Case>& cases, const std::function<void(const TempDir&)>& prepare)
{
    for (const Case& c : cases) {
        TempDir dir;
        WriteInputs(dir);
        prepare(dir);
        const auto before = Snapshot(dir.Path());
        ExpectFailure(Expand(dir, c.arguments), 1, c.mention);
        EXPECT_TRUE(Snapshot(dir.Path()) == before) << c.arguments;
    }
}

const std::string kCrowns = "crowns --maxima @tops.txt --background @bg.bmp --equalized @bg.bmp";

}  // namespace

TEST(CliContract, AnOutputAimedAtAnInputOrAnotherOutputIsRefusedBeforeAnythingIsWritten)
{
    ExpectRefusedWithNothingChanged(
        {
            {"import @scene.img -o @scene.img", "scene.img"},
            {"import @scene.img -o @scene.hdr", "scene.hdr"},
            {"maxima --picture @pic.bmp -o @pic.bmp", "pic.bmp"},
            {"maxima --picture @link.bmp -o @pic.bmp", "link.bmp"},
            {kCrowns + " -o @tops.txt", "tops.txt"},
            {kCrowns + " --network @t.dat -o @t.dat", "t.dat"},
            {kCrowns + " --dump @d -o @d/labels.dat", "labels.dat"},
            {kCrowns + " --dump @d -o @d/t.dat", "d/t.dat"},
            {"polygons @y.dbf -o @y.shp", "y.dbf"},
        },
        [](const TempDir&) {});
}

TEST(CliContract, ALaterOutputThatCannotBeWrittenLeavesTheEarlierOnesAsTheyWere)
{
    ExpectRefusedWithNothingChanged(
        {
            {kCrowns + " --network @no/such/n.bmp -o @t.dat", "n.bmp"},
            {kCrowns + " --overlay @o.bmp --dump @d -o @t.dat", "labels.dat"},
            {"delineate --picture @pic.bmp --overlay @no/such/o.bmp -o @t.dat", "o.bmp"},
            {"import @scene.img -o @c.dat", "c.dat.geo.json"},
            {"polygons @trees.dat -o @y.shp", "y.shx"},
        },
        [](const TempDir& dir) {
            fs::create_directories(dir.File("d/labels.dat"));
            fs::create_directory(dir.File("c.dat.geo.json"));
            fs::create_directory(dir.File("y.shx"));
        });
}

TEST(CliContract, AGeoreferenceThatPutsCornersOrAreasBeyondTheNumbersIsRefusedNamingTheFile)
{
    TempDir dir;
    WriteSmallScene(dir.File("huge.img"), 1e308);
    ExpectFailure("import " + Quote(dir.File("huge.img")) + " -o " + Quote(dir.File("cut.dat")), 1, "huge.img");
    WriteText(dir.File("huge.json"), R"({"geotransform":[0,1e308,0,0,0,-1e308]})");
    WriteTreeMatrix(dir.File("trees.dat"), TTreeMatrix(4, 3));
    ExpectFailure("polygons " + Quote(dir.File("trees.dat")) + " --geo " + Quote(dir.File("huge.json")) + " -o " +
                      Quote(dir.File("c.gpkg")),
                  1, "huge.json");
    EXPECT_EQ(Snapshot(dir.Path()).size(), 5u);  // the two scene files, the two inputs and trees.dat
}

TEST(CliContract, MergeRefusesATileListThatIsNotAPartitionOfTheScene)
{
    TempDir dir;
    WriteSmallScene(dir.File("scene.img"));
    ExpectSuccess("tiles " + Quote(dir.File("scene.img")) + " --size 6 --overlap 4 -o " + Quote(dir.File("tiles")));
    for (const char* tile : {"r00_c00", "r00_c01", "r00_c02"})
        WriteTreeMatrix(dir.File(std::string("tiles/") + tile + "/trees.dat"), TTreeMatrix(6, 4));
    const std::string header = "tile,x,y,width,height,core_x,core_y,core_width,core_height\n";
    const std::string first = "r00_c00,0,0,6,4,0,0,4,4\n", last = "r00_c02,4,0,6,4,6,0,4,4\n";
    for (const std::string& list : {
             first + "r00_c01,2,0,6,4,4,0,2,4\n" + last + first,  // a tile twice
             "r00_c00,0,0,6,4,0,0,7,4\n" + last,                  // a core beyond its tile
             first + "r00_c01,2,0,6,4,3,0,3,4\n" + last,          // overlapping cores
             first + "r00_c01,2,0,6,4,5,0,1,4\n" + last,          // a gap
         }) {
        WriteText(dir.File("tiles/tiles.csv"), header + list);
        ExpectFailure("merge " + Quote(dir.File("tiles")) + " -o " + Quote(dir.File("m.geojson")), 1, "tiles.csv");
    }
}

TEST(CliContract, AFolderWhereAFileBelongsIsNamedAsTheUserGaveIt)
{
    TempDir dir;
    WriteTreeMatrix(dir.File("trees.dat"), TTreeMatrix(4, 3));
    fs::create_directory(dir.File("geo"));
    ExpectFailure("polygons " + Quote(dir.File("trees.dat")) + " --geo " + Quote(dir.File("geo")) + " -o " +
                      Quote(dir.File("c.gpkg")),
                  1, dir.File("geo") + " nelze otevřít: je to složka.");
    WriteCutout(dir.File("cut.dat"), RandomCube(65, 9, 11, 3));
    fs::create_directory(dir.File("cut.dat.geo.json"));
    InstallReferenceFiles(dir.Path());
    const CliResult r = RunCli("--program-dir " + Quote(dir.File("")) + " pipeline " +
                               Quote(dir.File("cut.dat")) + " --window 5 -o " + Quote(dir.File("out")));
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
    EXPECT_EQ(ExpectSuccess("polygons " + Quote(dir.File("trees.dat")) + " -o " + Quote(dir.File("c.gpkg"))),
              "{\"crowns\":2000,\"georeferenced\":false,\"area\":false,\"tops\":false}\n");
    const std::string header = ReadAll(dir.File("c.gpkg")).substr(24, 4);
    const unsigned writes = (unsigned char)header[0] << 24 | (unsigned char)header[1] << 16 |
                            (unsigned char)header[2] << 8 | (unsigned char)header[3];
    EXPECT_LT(writes, 100u);
}
