// The batch tool's smaller commands: what each prints and writes, and what
// each refuses without writing anything.
#include <filesystem>

#include <nlohmann/json.hpp>

#include "cli_checks.h"
#include "crowns/crown_spectra.h"
#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "enhance/equalization.h"
#include "reference_data.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(CliInfo, PrintsDimensionsAsOneJsonLineOrExitsOneForABadFile)
{
    TempDir dir;
    WriteWords(dir.File("a.dat"), {1, 2, 3, 10, 20, 30, 40, 50, 60});
    EXPECT_EQ(ExpectSuccess("info " + Quote(dir.File("a.dat"))), "{\"bands\":1,\"rows\":2,\"columns\":3}\n");
    WriteWords(dir.File("short.dat"), {1, 2, 3, 10});
    ExpectFailure("info " + Quote(dir.File("short.dat")), 1, "short.dat");
}

TEST(Cli, UsageErrorsExitOneAndEveryCommandHasHelp)
{
    ExpectFailure("frobnicate");
    const std::string help = ExpectSuccess("--help");
    for (const std::string command : {"info", "bandmap", "spectrum", "truecolor", "detail", "ndvi", "needle", "mask",
                                      "equalize", "refdata", "evaluate"}) {
        EXPECT_NE(help.find(command), std::string::npos) << command;
        EXPECT_NE(ExpectSuccess(command + " --help").find(command), std::string::npos) << command;
    }
}

TEST(CliEqualize, WritesTheEqualizedPictureOrExitsTwoForARefusedPictureAndOneForBadInput)
{
    TempDir dir;
    const Bitmap picture = PatternPicture(60, 50);
    WriteBmp(dir.File("in.bmp"), picture);
    WriteBmp(dir.File("narrow.bmp"), PatternPicture(45, 80));
    const std::string out = " -o " + Quote(dir.File("out.bmp"));
    ExpectFailure("equalize " + Quote(dir.File("narrow.bmp")) + out, 2, "46x46");  // the default window, 45
    ExpectFailure("equalize " + Quote(dir.File("missing.bmp")) + out, 1, "missing.bmp");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.bmp")));

    EXPECT_EQ(ExpectSuccess("equalize --window 7 " + Quote(dir.File("in.bmp")) + out), "");
    EXPECT_EQ(ReadBmp(dir.File("out.bmp")), Equalize(picture, 7));
}

TEST(CliRefdata, ReproducesTheShippedReferenceFilesOrExitsOneWritingNothing)
{
    TempDir dir;
    const std::string folder = " -o " + Quote(dir.Path().string());
    ExpectFailure("refdata --library " + Quote(dir.File("none.csv")) + folder, 1, "none.csv");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    const std::string library = std::string(LUMERA_SOURCE_DIR) + "/data/usgs/usgs_splib07_av95.csv";
    EXPECT_EQ(ExpectSuccess("refdata --library " + Quote(library) + folder), "{\"spectra\":15,\"text_lines\":601}\n");
    for (const char* name : {"AllRefSp.dat", "RefSpE34.txt"})
        EXPECT_TRUE(ReadAll(dir.File(name)) == ReadAll((ShippedReferenceFolder() / name).string())) << name;
}

TEST(CliEvaluate, PrintsScoresInContractOrder)
{
    TempDir dir;
    TTreeMatrix truth(4, 2), found(4, 2);
    truth.Values = {1, 1, 1, 1, 1, 1, 1, 1};
    found.Values = {3, 3, 3, 4, 3, 3, 3, 4};
    WriteTreeMatrix(dir.File("truth.dat"), truth);
    WriteTreeMatrix(dir.File("found.dat"), found);
    const CliResult r = RunCli("evaluate " + Quote(dir.File("found.dat")) + " " + Quote(dir.File("truth.dat")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"found\":2,\"true\":1,\"matched\":1,\"precision\":0.5,\"recall\":1.0,", 0), 0u) << r.out;
    EXPECT_EQ(nlohmann::json::parse(r.out)["mean_iou"].get<double>(), 0.75);

    // Tree 3 covers 6 of the 8 true pixels: IoU 0.75, above 0.7 but not above
    // 0.75. Tree 4 alone covers 2: IoU 0.25, above 0 but short of the default.
    found.Values = {0, 0, 0, 4, 0, 0, 0, 4};
    WriteTreeMatrix(dir.File("small.dat"), found);
    for (const auto& [file, above, matched] : {std::tuple{"found.dat", " --iou-above 0.7", 1},
                                              {"found.dat", " --iou-above 0.75", 0},
                                              {"small.dat", " --iou-above 0", 1},
                                              {"small.dat", "", 0}}) {
        const CliResult loose = RunCli("evaluate " + Quote(dir.File(file)) + " " + Quote(dir.File("truth.dat")) + above);
        EXPECT_EQ(nlohmann::json::parse(loose.out)["matched"], matched) << file << above;
    }
}

TEST(CliCrownSpectra, WritesTheCoreSpectraAndRefusesAMatrixOfAnotherSize)
{
    TempDir dir;
    const TData cube = RandomCube(65, 6, 5, 4);
    WriteCutout(dir.File("c.dat"), cube);
    TTreeMatrix trees(5, 6);
    for (std::size_t p = 0; p < trees.Values.size(); ++p) trees.Values[p] = int32_t(p % 3);
    WriteTreeMatrix(dir.File("t.dat"), trees);
    EXPECT_EQ(ExpectSuccess("crown-spectra " + Quote(dir.File("c.dat")) + " " + Quote(dir.File("t.dat")) + " -o " +
                            Quote(dir.File("s.csv"))),
              "{\"crowns\":2}\n");
    WriteCrownSpectra(dir.File("expected.csv"), CrownSpectra(cube, trees), 65);
    EXPECT_EQ(ReadAll(dir.File("s.csv")), ReadAll(dir.File("expected.csv")));

    WriteTreeMatrix(dir.File("wide.dat"), TTreeMatrix(6, 5));
    ExpectFailure("crown-spectra " + Quote(dir.File("c.dat")) + " " + Quote(dir.File("wide.dat")) + " -o " +
                      Quote(dir.File("w.csv")),
                  2, "6 x 5, výřez 5 x 6");
    EXPECT_FALSE(std::filesystem::exists(dir.File("w.csv")));
}

TEST(CliSynth, MakesAReadyProgramDirectoryTheSameForTheSameSeed)
{
    TempDir dir;
    const std::string a = dir.File("a"), b = dir.File("b"), c = dir.File("c");
    const CliResult r = RunCli("synth -o " + Quote(a) + " --seed 4 --size 90,70 --trees 12");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"columns\":90,\"rows\":70,\"trees\":", 0), 0u) << r.out;
    ASSERT_EQ(RunCli("synth -o " + Quote(b) + " --seed 4 --size 90,70 --trees 12").exitCode, 0);
    ASSERT_EQ(RunCli("synth -o " + Quote(c) + " --seed 5 --size 90,70 --trees 12").exitCode, 0);

    for (const char* file : {"data/vyrezy/stand.dat", "data/vystup/truth.dat", "data/refsp/AllRefSp.dat",
                             "data/refsp/RefSpE34.txt"})
        EXPECT_EQ(ReadAll(a + "/" + file), ReadAll(b + "/" + file)) << file;
    EXPECT_NE(ReadAll(a + "/data/vyrezy/stand.dat"), ReadAll(c + "/data/vyrezy/stand.dat"));
    EXPECT_EQ(ReadAll(a + "/data/refsp/AllRefSp.dat"), ReadAll(std::string(LUMERA_SOURCE_DIR) + "/workspace/data/refsp/AllRefSp.dat"));

    const TData cube = ReadCutout(a + "/data/vyrezy/stand.dat");
    const TTreeMatrix truth = ReadTreeMatrix(a + "/data/vystup/truth.dat");
    EXPECT_EQ(cube.NBands, 65);
    EXPECT_EQ(truth.Width, cube.NColumns);
    EXPECT_EQ(truth.Height, cube.NRows);
}
