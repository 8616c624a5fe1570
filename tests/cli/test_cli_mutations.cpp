// The batch tool's contract under damaged input: every command, given its
// valid files, writes outputs its readers take back; fed mutated versions of
// them, it exits 0, 1 or 2 in bounded time, and when it fails leaves every
// file as it was: no output made, no existing output replaced or touched, be
// it one file, several or a folder of them. A few rounds a command here;
// LUMERA_MUTATION_ROUNDS and LUMERA_MUTATION_SEED run a longer search.
#include <filesystem>
#include <random>

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

// A damaged copy of a file: flipped bits, overwritten header bytes, a cut or
// an inserted run, as a mutation fuzzer makes them.
std::string Mutate(const std::string& bytes, std::mt19937& rng)
{
    std::string out = bytes;
    std::uniform_int_distribution<int> kind(0, 4), byte(0, 255);
    auto at = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size ? size - 1 : 0)(rng); };
    switch (kind(rng)) {
    case 0:
        for (int i = 0; i < 4 && !out.empty(); ++i) out[at(out.size())] ^= char(1 << (byte(rng) % 8));
        break;
    case 1:  // headers hold the counts and sizes
        for (std::size_t i = 0; i < std::min<std::size_t>(out.size(), 64); i += 1 + at(8)) out[i] = char(byte(rng));
        break;
    case 2:
        out.resize(at(out.size()));
        break;
    case 3:
        out.insert(at(out.size()), std::string(1 + at(64), char(byte(rng))));
        break;
    default:
        for (std::size_t i = at(out.size()); i < out.size() && i < 40; ++i) out[i] = char(0xFF);
    }
    return out;
}

// A command run on a damaged input: `input` (relative to the test folder) is
// mutated in place; `outputs` are the files a success writes, those of an
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

std::string TemporaryFiles(const std::map<std::string, std::string>& entries)
{
    std::string names;
    for (const auto& entry : entries)
        if (entry.first.ends_with(".tmp")) names += " " + entry.first;
    return names;
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
    WriteTreeMatrix(dir.File("truth.dat"), trees);
    WriteExtremaFile(dir.File("tops.txt"), {{8, 10}, {30, 10}});
    WriteBmp(dir.File("crowns-bg.bmp"), TwoCrowns());
    WriteBmp(dir.File("crowns-eq.bmp"), TwoCrowns());
    WriteSmallScene(dir.File("scene.img"), "ENVI");
    WriteSmallScene(dir.File("scene.tif"), "GTiff");
    ExpectSuccess("import " + Quote(dir.File("scene.img")) + " -o " + Quote(dir.File("geo-cut.dat")));
    ExpectSuccess("tiles " + Quote(dir.File("scene.img")) + " --size 6 --overlap 4 -o " + Quote(dir.File("tiled")));
    for (const char* tile : {"r00_c00", "r00_c01", "r00_c02"}) {
        TTreeMatrix tileTrees(6, 4);
        tileTrees.At(1, 1) = tileTrees.At(2, 1) = 1;
        tileTrees.At(4, 2) = 2;
        WriteTreeMatrix(dir.File(std::string("tiled/") + tile + "/trees.dat"), tileTrees);
    }
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
                                        " --equalized " + at("crowns-eq.bmp") + " --network " + at("net.bmp") +
                                        " --overlay " + at("over.bmp") + " --dump " + at("dump") + to("out.dat");
    const std::string delineate = "delineate --picture " + at("pic.bmp") + " --mask " + at("mask.bmp") + to("out.dat");
    const std::vector<std::string> tiles{"tiles-out/tiles.csv", "tiles-out/r00_c00/cut.dat",
                                         "tiles-out/r00_c02/cut.dat"};
    const std::string tilesOptions = " --size 6 --overlap 4" + to("tiles-out");
    const std::string polygons = "polygons " + at("trees.dat") + " --geo " + at("geo-cut.dat.geo.json");
    const std::string merge = "merge " + at("tiled") + to("merged.geojson");
    return {
        {"info", "cut.dat", "info " + at("cut.dat"), {}},
        {"bandmap", "cut.dat", "bandmap " + at("cut.dat") + " --band 3" + to("out.bmp"), {"out.bmp"}},
        {"truecolor", "cut.dat", "truecolor " + at("cut.dat") + to("out.bmp"), {"out.bmp"}},
        {"ndvi", "cut.dat", "ndvi " + at("cut.dat") + to("out.bmp"), {"out.bmp"}},
        {"needle", "cut.dat", programDir + "needle " + at("cut.dat") + to("out.bmp"), {"out.bmp"}},
        {"mask", "cut.dat", programDir + "mask " + at("cut.dat") + to("out.bmp"), {"out.bmp"}},
        {"detail", "pic.bmp", "detail " + at("pic.bmp") + " --at 40,40" + to("out.bmp"), {"out.bmp"}},
        {"equalize", "pic.bmp", "equalize " + at("pic.bmp") + " --window 5" + to("out.bmp"), {"out.bmp"}},
        {"evaluate", "trees.dat", "evaluate " + at("trees.dat") + " " + at("truth.dat"), {}},
        {"filter", "pic.bmp", "filter " + at("pic.bmp") + to("out.bmp"), {"out.bmp"}},
        {"filter file", "filter.txt", "filter " + at("pic.bmp") + " --filter " + at("filter.txt") + to("out.bmp"),
         {"out.bmp"}},
        {"maxima cube", "cut.dat", "maxima --cube " + at("cut.dat") + to("out.txt"), {"out.txt"}},
        {"maxima picture", "pic.bmp", "maxima --picture " + at("pic.bmp") + to("out.txt"), {"out.txt"}},
        {"crowns maxima", "tops.txt", crownsArguments, crowns},
        {"crowns background", "crowns-bg.bmp", crownsArguments, crowns},
        {"delineate cube", "cut.dat",
         "delineate --cube " + at("cut.dat") + " --overlay " + at("over.bmp") + to("out.dat"), {"out.dat", "over.bmp"}},
        {"delineate picture", "pic.bmp", delineate, {"out.dat"}},
        {"pipeline", "cut.dat", programDir + "pipeline " + at("cut.dat") + " --window 5" + to("piped"), piped},
        {"import header", "scene.hdr", "import " + at("scene.img") + to("out.dat"), {"out.dat"}},
        {"import data", "scene.img", "import " + at("scene.img") + to("out.dat"), {"out.dat"}},
        {"polygons trees", "trees.dat", polygons + to("crowns.shp"), {"crowns.shp", "crowns.shx", "crowns.dbf"}},
        {"polygons georeference", "geo-cut.dat.geo.json", polygons + to("crowns.gpkg"), {"crowns.gpkg"}},
        {"tiles geotiff", "scene.tif", "tiles " + at("scene.tif") + tilesOptions, tiles},
        {"merge list", "tiled/tiles.csv", merge, {"merged.geojson"}},
        {"merge trees", "tiled/r00_c01/trees.dat", merge, {"merged.geojson"}},
    };
}

int EnvironmentNumber(const char* name, int otherwise)
{
    const char* text = std::getenv(name);
    return text ? std::atoi(text) : otherwise;
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

TEST(CliContract, MutatedInputsEndInACleanExitAndNeverAPartialOutput)
{
    TempDir dir;
    WriteSeeds(dir);
    std::mt19937 rng(EnvironmentNumber("LUMERA_MUTATION_SEED", 2024));
    const int rounds = EnvironmentNumber("LUMERA_MUTATION_ROUNDS", 3);
    for (const Command& command : Commands(dir)) {
        const fs::path input = dir.Path() / command.input;
        const std::string original = ReadAll(input.string());
        PrepareOutputs(dir.Path(), command.outputs, true);
        const CliResult valid = RunCli(command.arguments, kSecondsAllowed);
        EXPECT_EQ(valid.exitCode, 0) << command.name << ": " << valid.err;
        for (const std::string& output : command.outputs)
            EXPECT_TRUE(ReadAll(dir.File(output)) != kSentinel && ReadsBack(dir.File(output)))
                << command.name << ": " << output;
        for (int round = 0; round < rounds; ++round) {
            const std::string mutated = Mutate(original, rng);
            WriteAll(input.string(), mutated);
            PrepareOutputs(dir.Path(), command.outputs, round % 2 == 0);
            const auto before = Snapshot(dir.Path());
            const CliResult r = RunCli(command.arguments, kSecondsAllowed);
            const std::string what = command.name + " round " + std::to_string(round);
            if (r.exitCode < 0 || r.exitCode > 2) {
                ADD_FAILURE() << what << ": exit code " << r.exitCode << "\n" << r.err;
                continue;
            }
            const auto after = Snapshot(dir.Path());
            EXPECT_EQ(TemporaryFiles(after), "") << what;
            if (r.exitCode == 0) {
                for (const std::string& output : command.outputs)
                    EXPECT_NE(ReadAll(dir.File(output)), kSentinel) << what << ": " << output << " not written";
                continue;
            }
            EXPECT_EQ(r.out, "") << what;
            EXPECT_NE(r.err, "") << what;
            EXPECT_TRUE(before == after) << what << ": " << r.err;
        }
        WriteAll(input.string(), original);
    }
}
