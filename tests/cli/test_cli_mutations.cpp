// The batch tool's contract under damaged input: every command, given its
// valid files, writes outputs its readers take back; given a damaged file of
// each kind it reads, it refuses it and leaves every file as it was: no
// output made, no existing output replaced or touched, be it one file,
// several or a folder of them. Longer random searches live in fuzz/.
#include <filesystem>

#include "cli_checks.h"
#include "crown_samples.h"
#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "extrema/extrema_file.h"
#include "extrema/filter_matrix.h"
#include "folder_snapshot.h"
#include "reference_data.h"
#include "sample_data.h"
#include "scene_files.h"

using namespace lumera;
using namespace lumera::testing;
namespace fs = std::filesystem;

namespace {

// A command run on a damaged input: `input` (relative to the test folder) is
// damaged in place; `outputs` are the files a success writes, those of an
// output folder named inside it.
struct Command {
    std::string name;
    std::string input;
    std::string arguments;
    std::vector<std::string> outputs;
};

const std::string kSentinel = "an earlier result";

// Either no output at all, or every output there as an earlier run's result.
void PrepareOutputs(const fs::path& dir, const std::vector<std::string>& outputs, bool existing)
{
    for (const std::string& output : outputs) fs::remove_all(dir / *fs::path(output).begin());
    if (!existing) return;
    for (const std::string& output : outputs) {
        fs::create_directories((dir / output).parent_path());
        WriteAll((dir / output).string(), kSentinel);
    }
}

// A 10 x 4 scene through the given GDAL driver.
void WriteSmallScene(const std::string& path, const std::string& driver)
{
    SceneRecipe recipe = UtmScene(10, 4, [](int band, int x, int y) { return 0.05 * (x + 1) + 0.1 * y + 0.001 * band; });
    recipe.Driver = driver;
    WriteScene(path, recipe);
}

// The valid files every damaged input starts from, made by the program's own writers.
void WriteSeeds(const TempDir& dir)
{
    InstallReferenceFiles(dir.Path());
    WriteCutout(dir.File("cut.dat"), RandomCube(65, 9, 11, 3));
    WriteBmp(dir.File("pic.bmp"), PatternPicture(64, 62));
    WriteBmp(dir.File("mask.bmp"), PatternPicture(64, 62, 2));
    WriteFilterFile(dir.File("filter.txt"), GaussFilter(5, '.'));
    TTreeMatrix trees(4, 3);
    trees.Values = {1, 1, 2, 2, 1, 0, 2, 2, 0, 0, 3, 3};
    WriteTreeMatrix(dir.File("trees.dat"), trees);
    WriteExtremaFile(dir.File("tops.txt"), {{8, 10}, {30, 10}});
    WriteBmp(dir.File("crowns-bg.bmp"), TwoCrowns());
    WriteSmallScene(dir.File("scene.img"), "ENVI");
    WriteSmallScene(dir.File("scene.tif"), "GTiff");
    ExpectSuccess("import " + Quote(dir.File("scene.img")) + " -o " + Quote(dir.File("geo-cut.dat")));
}

std::vector<Command> Commands(const TempDir& dir)
{
    auto at = [&dir](const std::string& name) { return Quote(dir.File(name)); };
    auto to = [&at](const std::string& name) { return " -o " + at(name); };
    const std::string programDir = "--program-dir " + at("") + " ";
    const std::vector<std::string> piped{"piped/mask.bmp", "piped/equalized.bmp", "piped/maxima.txt",
                                         "piped/network.bmp", "piped/trees.dat", "piped/trees.bmp", "piped/trees.csv"};
    const std::vector<std::string> crowns{"out.dat",           "net.bmp",        "over.bmp",        "dump/labels.dat",
                                          "dump/boundary.txt", "dump/moved.txt", "dump/network.bmp"};
    const std::string crownsArguments = "crowns --maxima " + at("tops.txt") + " --background " + at("crowns-bg.bmp") +
                                        " --equalized " + at("crowns-bg.bmp") + " --network " + at("net.bmp") +
                                        " --overlay " + at("over.bmp") + " --dump " + at("dump") + to("out.dat");
    const std::string delineate = "delineate --picture " + at("pic.bmp") + " --mask " + at("mask.bmp") + to("out.dat");
    const std::vector<std::string> tiles{"tiles-out/tiles.csv", "tiles-out/r00_c00/cut.dat",
                                         "tiles-out/r00_c02/cut.dat"};
    const std::string tilesOptions = " --size 6 --overlap 4" + to("tiles-out");
    const std::string polygons = "polygons " + at("trees.dat") + " --geo " + at("geo-cut.dat.geo.json");
    return {
        {"cut-out", "cut.dat", programDir + "pipeline " + at("cut.dat") + " --window 5" + to("piped"), piped},
        {"picture", "pic.bmp", delineate, {"out.dat"}},
        {"filter", "filter.txt", "filter " + at("pic.bmp") + " --filter " + at("filter.txt") + to("out.bmp"), {"out.bmp"}},
        {"maxima", "tops.txt", crownsArguments, crowns},
        {"tree matrix", "trees.dat", polygons + to("crowns.shp"), {"crowns.shp", "crowns.shx", "crowns.dbf"}},
        {"georeference", "geo-cut.dat.geo.json", polygons + to("crowns.gpkg"), {"crowns.gpkg"}},
        {"scene header", "scene.hdr", "import " + at("scene.img") + to("out.dat"), {"out.dat"}},
        {"geotiff", "scene.tif", "tiles " + at("scene.tif") + tilesOptions, tiles},
    };
}

constexpr int kSecondsAllowed = 20;  // far beyond any run on these small files: a hang

// Whether one of the program's own readers takes an output back (a file
// without a reader here counts as read).
bool ReadsBack(const std::string& path)
{
    const auto reads = [&path](auto read) {
        try {
            read(path);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    };
    if (path.ends_with(".bmp")) return reads([](const std::string& p) { return ReadBmp(p); });
    if (path.ends_with(".dat"))
        return reads([](const std::string& p) { return ReadTreeMatrix(p); }) ||
               reads([](const std::string& p) { return ReadCutout(p); });
    if (path.ends_with("/out.txt") || path.ends_with("/maxima.txt"))
        return reads([](const std::string& p) { return ReadExtremaFile(p); });
    return true;
}

}  // namespace

TEST(CliContract, ADamagedInputOfEveryKindIsRefusedLeavingEveryFileUntouched)
{
    TempDir dir;
    WriteSeeds(dir);
    int row = 0;
    for (const Command& command : Commands(dir)) {
        const fs::path input = dir.Path() / command.input;
        const std::string original = ReadAll(input.string());
        PrepareOutputs(dir.Path(), command.outputs, true);
        const CliResult valid = RunCli(command.arguments, kSecondsAllowed);
        EXPECT_EQ(valid.exitCode, 0) << command.name << ": " << valid.err;
        for (const std::string& output : command.outputs)
            EXPECT_TRUE(ReadAll(dir.File(output)) != kSentinel && ReadsBack(dir.File(output)))
                << command.name << ": " << output;

        WriteAll(input.string(), std::string(300, '\xA7'));
        PrepareOutputs(dir.Path(), command.outputs, ++row % 2 == 0);
        const auto before = Snapshot(dir.Path());
        const CliResult r = RunCli(command.arguments, kSecondsAllowed);
        EXPECT_EQ(r.exitCode, 1) << command.name << ": " << r.err;
        EXPECT_EQ(r.out, "") << command.name;
        EXPECT_NE(r.err, "") << command.name;
        EXPECT_TRUE(before == Snapshot(dir.Path())) << command.name << ": " << r.err;
        WriteAll(input.string(), original);
    }
}
