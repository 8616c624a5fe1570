#include <gtest/gtest.h>

#include <cstdlib>

#include "crown_samples.h"
#include "crowns/crown_chain.h"

using namespace lumera;
using lumera::testing::TwoCrowns;

namespace {

TCrownChainSettings Box3()
{
    TCrownChainSettings settings;
    settings.Filter = NormalizeFilter(OnesFilter(3), '.');
    return settings;
}

}  // namespace

TEST(CrownChain, TheNetworkMovesOntoTheGapAndSplitsTheTrees)
{
    const Bitmap picture = TwoCrowns();
    for (int cycles : {0, 2}) {
        TCrownChainSettings settings = Box3();
        settings.Cycles = cycles;
        const TCrownChainResult r = RunCrownChain({{8, 10}, {30, 10}}, picture, picture, settings);
        EXPECT_EQ(r.State.VoroMatrix.At(19, 10), 0);
        EXPECT_EQ(r.FirstNetwork.size(), 20u);
        EXPECT_EQ(r.FirstNetwork[5].X, 19);
        EXPECT_EQ(std::abs(r.FirstNetwork[5].NormalX), 1.0);
        EXPECT_EQ(r.FirstMoves[5].X, 23);
        const TTreeMatrix& trees = *r.State.TreeMatrix;
        EXPECT_EQ(trees.At(22, 10), 1);
        EXPECT_EQ(trees.At(23, 10), -1);
        EXPECT_EQ(trees.At(24, 10), 2);
        EXPECT_EQ(r.Network.ScanLine(10)[3 * 23], 255);
        EXPECT_EQ(r.Overlay.ScanLine(10)[3 * 22 + 1], picture.ScanLine(10)[3 * 22 + 1]);
        EXPECT_EQ(r.Overlay.ScanLine(10)[3 * 22], 0);
        if (cycles == 0) {
            EXPECT_EQ(r.Network, r.FirstConnection);
        }
        settings.Filter.Texts[4] = "x";  // an unusable filter stops before anything is computed
        EXPECT_THROW(RunCrownChain({{8, 10}}, picture, picture, settings), FilterCellError);
    }
}
