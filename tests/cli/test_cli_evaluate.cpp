#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "crowns/tree_matrix.h"

using namespace lumera;
using namespace lumera::testing;

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
