// The batch tool's smaller commands: what each prints and writes, and what
// each refuses without writing anything.

#include <nlohmann/json.hpp>

#include "cli_checks.h"
#include "crown_samples.h"
#include "crowns/tree_matrix.h"
#include "reference_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(CliRefdata, ReproducesTheShippedReferenceFiles)
{
    TempDir dir;
    const std::string folder = " -o " + Quote(dir.Path().string());
    const std::string library = std::string(LUMERA_SOURCE_DIR) + "/data/usgs/usgs_splib07_av95.csv";
    EXPECT_EQ(ExpectSuccess("refdata --library " + Quote(library) + folder), "{\"spectra\":15,\"text_lines\":601}\n");
    for (const char* name : {"AllRefSp.dat", "RefSpE34.txt"})
        EXPECT_TRUE(ReadAll(dir.File(name)) == ReadAll((ShippedReferenceFolder() / name).string())) << name;
}

TEST(CliEvaluate, PrintsScoresInContractOrder)
{
    TempDir dir;
    WriteTreeMatrix(dir.File("truth.dat"), Trees("1111/1111"));
    WriteTreeMatrix(dir.File("found.dat"), Trees("3334/3334"));
    const std::string out = ExpectSuccess(Expand(dir, "evaluate @found.dat @truth.dat"));
    EXPECT_EQ(out.rfind("{\"found\":2,\"true\":1,\"matched\":1,\"precision\":0.5,\"recall\":1.0,", 0), 0u) << out;
    EXPECT_EQ(nlohmann::json::parse(out)["mean_iou"].get<double>(), 0.75);

    // Tree 3 covers 6 of the 8 true pixels: IoU 0.75, not above 0.75, though
    // the default matches it. Tree 4 alone covers 2: IoU 0.25, above 0. Both
    // ends of the range may be given.
    WriteTreeMatrix(dir.File("small.dat"), Trees("...4/...4"));
    for (const auto& [file, above, matched] :
         {std::tuple{"found.dat", " --iou-above 0.75", 0}, {"small.dat", " --iou-above 0", 1},
          {"found.dat", " --iou-above 1", 0}}) {
        const CliResult loose = RunCli(Expand(dir, std::string("evaluate @") + file + " @truth.dat" + above));
        EXPECT_EQ(nlohmann::json::parse(loose.out)["matched"], matched) << file << above;
    }
}

TEST(CliSynth, MakesAReadyProgramDirectoryTheSameForTheSameSeed)
{
    TempDir dir;
    const std::string a = dir.File("a"), b = dir.File("b"), c = dir.File("c");
    for (const auto& [folder, seed] : {std::pair{a, " 4"}, {b, " 4"}, {c, " 5"}})
        ExpectSuccess("synth -o " + Quote(folder) + " --size 90,70 --trees 12 --seed" + seed);
    for (const char* file : {"data/vyrezy/stand.dat", "data/vystup/truth.dat", "data/refsp/AllRefSp.dat"})
        EXPECT_EQ(ReadAll(a + "/" + file), ReadAll(b + "/" + file)) << file;
    EXPECT_NE(ReadAll(a + "/data/vyrezy/stand.dat"), ReadAll(c + "/data/vyrezy/stand.dat"));
}
