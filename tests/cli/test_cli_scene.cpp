#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include <nlohmann/json.hpp>

#include "cli_checks.h"
#include "crown_files.h"
#include "data/band_table.h"
#include "data/cutout_file.h"
#include "scene_files.h"

using namespace lumera;
using namespace lumera::testing;
namespace fs = std::filesystem;

namespace {

// A synthetic stand written as an ENVI scene of 16-bit counts on the
// program's own bands, georeferenced in UTM.
std::string WriteStandScene(const TempDir& dir)
{
    ExpectSuccess(Expand(dir, "synth -o @ --size 150,110 --seed 5"));
    const TData stand = ReadCutout(dir.File("data/vyrezy/stand.dat"));
    SceneRecipe recipe = UtmScene(stand.NColumns, stand.NRows, [&stand](int b, int x, int y) { return stand.At(b, y, x); });
    recipe.Type = GDT_Int16;
    recipe.Centres.clear();
    for (const TBandInfo& band : InitBandTable()) recipe.Centres.push_back(band.Center * 1000.0);
    recipe.Transform = std::array<double, 6>{600000, 0.5, 0, 5400000, 0, -0.5};
    WriteScene(dir.File("scene.img"), recipe);
    return dir.File("scene.img");
}

std::string SceneRun(const TempDir& dir, const std::string& options, const std::string& programDir = "")
{
    return Expand(dir, "scene @scene.img -o @out --size 80 --overlap 24 --program-dir ") +
           Quote(programDir.empty() ? dir.Path().string() : programDir) + options;
}

std::size_t Lines(const std::string& path)
{
    const std::string text = ReadAll(path);
    return std::size_t(std::count(text.begin(), text.end(), '\n'));
}

using CrownKey = std::tuple<std::string, long long, double, double, double, double>;

std::vector<CrownKey> CrownKeys(const std::string& path)
{
    std::vector<CrownKey> keys;
    for (const ReadCrown& c : ReadCrownFile(path).Crowns)
        keys.emplace_back(c.Texts.at("tile"), c.Pixels, c.Envelope.MinX, c.Envelope.MinY, c.Envelope.MaxX,
                          c.Envelope.MaxY);
    return keys;
}

}  // namespace

TEST(CliScene, OneRunToCrownsThenResumingOnlyWhatIsNotFinished)
{
    TempDir dir;
    WriteStandScene(dir);
    // Without the reference spectra every tile would fail: the run stops before it tiles.
    ExpectFailure(SceneRun(dir, "", dir.File("nowhere")), 1, "AllRefSp.dat");
    EXPECT_FALSE(fs::exists(dir.File("out")));
    const auto first = nlohmann::json::parse(ExpectSuccess(SceneRun(dir, " --jobs 2")));
    const std::size_t crowns = first["crowns"];
    ASSERT_EQ(first["tiles"], 6);
    ASSERT_GT(crowns, 20u);
    EXPECT_LT(crowns, first["found"].get<std::size_t>());
    EXPECT_EQ(CrownKeys(dir.File("out/crowns.gpkg")).size(), crowns);
    EXPECT_EQ(Lines(dir.File("out/trees.csv")), crowns + 1);
    EXPECT_EQ(Lines(dir.File("out/spectra.csv")), 4 * crowns + 1);
    const std::string trees = ReadAll(dir.File("out/trees.csv"));
    EXPECT_EQ(trees.rfind("tree,tile,tile_tree,pixels,area_m2,top_x,", 0), 0u);

    // A tile whose chain was cut off has no marker: only it runs again.
    fs::remove(dir.File("out/tiles/r01_c02/done.json"));
    fs::remove(dir.File("out/tiles/r01_c02/trees.dat"));
    const auto resumed = nlohmann::json::parse(ExpectSuccess(SceneRun(dir, " --resume")));
    EXPECT_EQ(resumed["resumed"], 5);
    EXPECT_EQ(ReadAll(dir.File("out/trees.csv")), trees);
    const std::string gpkg = ReadAll(dir.File("out/crowns.gpkg"));

    // A broken tile is named, the others end, and no crowns are written.
    fs::remove(dir.File("out/tiles/r00_c01/done.json"));
    std::ofstream(dir.File("out/tiles/r00_c01/cut.dat")) << "broken";
    fs::remove(dir.File("out/tiles/r00_c02/done.json"));
    const CliResult broken = RunCli(SceneRun(dir, " --resume"));
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("r00_c01"), std::string::npos) << broken.err;
    EXPECT_EQ(nlohmann::json::parse(broken.out)["failed"], nlohmann::json::array({"r00_c01"}));
    EXPECT_TRUE(fs::exists(dir.File("out/tiles/r00_c02/done.json")));
    EXPECT_TRUE(ReadAll(dir.File("out/crowns.gpkg")) == gpkg) << "the crowns replaced";

    // Other options do not resume this run; without --resume it starts afresh.
    ExpectFailure(SceneRun(dir, " --resume --method scale"), 2, "jinými volbami");
    ExpectFailure(SceneRun(dir, " --resume", dir.File("out")), 2, "jinými volbami");  // other reference spectra
    EXPECT_EQ(nlohmann::json::parse(ExpectSuccess(SceneRun(dir, "")))["resumed"], 0);
    EXPECT_EQ(ReadAll(dir.File("out/trees.csv")), trees);

    // A tile's table with a field missing is refused, naming it.
    std::ofstream(dir.File("out/tiles/r00_c00/trees.csv"), std::ios::app) << "1,0.5\n";
    ExpectFailure(Expand(dir, "merge @out/tiles --tables -o @merged.gpkg"), 1, "r00_c00/trees.csv");
}

TEST(CliScene, TheWorkflowFindsTheSameCrowns)
{
    if (std::system("command -v snakemake >/dev/null 2>&1") != 0) GTEST_SKIP() << "snakemake is not installed";
    TempDir dir;
    WriteStandScene(dir);
    ExpectSuccess(SceneRun(dir, ""));
    std::ofstream(dir.File("run.yaml")) << "lumera_cli: " << LUMERA_CLI_PATH << "\nscene: " << dir.File("scene.img")
                                        << "\nout: " << dir.File("flow") << "\nsize: 80\noverlap: 24\nprogram_dir: "
                                        << dir.Path().string() << '\n';
    const std::string snakemake = "snakemake -q -j 2 -s " + Quote(std::string(LUMERA_SOURCE_DIR) + "/workflow/Snakefile") +
                                  " -d " + Quote(dir.Path().string()) + " --configfile " + Quote(dir.File("run.yaml")) +
                                  " >" + Quote(dir.File("snakemake.log")) + " 2>&1";
    ASSERT_EQ(std::system(snakemake.c_str()), 0) << ReadAll(dir.File("snakemake.log"));
    EXPECT_EQ(CrownKeys(dir.File("flow/crowns.gpkg")), CrownKeys(dir.File("out/crowns.gpkg")));
    for (const char* table : {"trees.csv", "spectra.csv"})
        EXPECT_EQ(ReadAll(dir.File("flow/") + table), ReadAll(dir.File("out/") + table)) << table;
}
