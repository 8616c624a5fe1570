#include <nlohmann/json.hpp>

#include "cli_checks.h"

using namespace lumera::testing;

// The whole chain on a small synthetic stand: a change that ruins the
// delineation anywhere along it drops the score below the floor.
TEST(CliStandChain, SyntheticStandFromCutOutToSingleTreesScoresAboveTheFloor)
{
    constexpr double kF1Floor = 0.42;  // measured: 0.459 (14 of 31 found, 30 true)
    TempDir dir;
    const std::string stand = dir.File("stand"), mask = Quote(dir.File("mask.bmp")), eq = Quote(dir.File("eq.bmp")),
                      maxima = Quote(dir.File("max.txt")), trees = Quote(dir.File("trees.dat"));
    ExpectSuccess("synth -o " + Quote(stand) + " --seed 3 --size 120,120 --trees 30");
    ExpectSuccess("--program-dir " + Quote(stand) + " mask " + Quote(stand + "/data/vyrezy/stand.dat") + " -o " + mask);
    ExpectSuccess("equalize " + mask + " -o " + eq);
    ExpectSuccess("maxima --picture " + eq + " -o " + maxima);
    ExpectSuccess("crowns --maxima " + maxima + " --background " + eq + " --equalized " + eq + " -o " + trees);
    const auto score = nlohmann::json::parse(ExpectSuccess("evaluate " + trees + " " + Quote(stand + "/data/vystup/truth.dat")));
    EXPECT_GE(score["f1"].get<double>(), kF1Floor) << score.dump();
}
