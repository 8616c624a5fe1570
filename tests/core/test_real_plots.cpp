#include <gtest/gtest.h>

#include "crowns/crown_accuracy.h"
#include "crowns/scale_delineation.h"
#include "real_plots.h"

using namespace lumera;
using namespace lumera::realplots;

namespace {

const std::string kPlots = LUMERA_SOURCE_DIR "/tests/data/idtrees";

// Pooled F1 at IoU > 0.4 of the defaults (pixel size given) over the named
// plots at one pixel size.
double PooledF1(const std::vector<std::string>& names, bool coarse)
{
    int64_t matched = 0, found = 0, truths = 0;
    for (const std::string& name : names) {
        const PlotCase plot{coarse ? name + "_40cm" : name, name.substr(0, 4), coarse ? 0.4 : 0.1};
        const Bitmap picture = ColourPicture(kPlots, plot);
        const Delineation d = DelineatePicture(picture, nullptr, {0.0, plot.PixelSize});
        const TTreeMatrix truth =
            TruthFromBoxes(kPlots + "/boxes/" + plot.Name + "_boxes.csv", picture.Width(), picture.Height());
        const CrownAccuracy a = EvaluateCrowns(d.Trees, truth, {0.4, true});
        matched += a.Matched, found += a.Found, truths += a.True;
    }
    return 2.0 * double(matched) / double(found + truths);
}

}  // namespace

// A change that ruins the delineation of real forest fails here. Measured
// on these plots: MLBS 0.43 (0.1 m) and 0.41 (0.4 m), OSBS 0.32 and 0.29;
// the floors leave room for changes that should not cost more than that.
TEST(RealPlots, PooledF1FloorsOfTheDefaults)
{
    const std::vector<std::string> mlbs = {"MLBS_1", "MLBS_20", "MLBS_37"};
    const std::vector<std::string> osbs = {"OSBS_4", "OSBS_25", "OSBS_32"};
    for (bool coarse : {false, true}) {
        EXPECT_GE(PooledF1(mlbs, coarse), 0.35) << "MLBS, coarse " << coarse;
        EXPECT_GE(PooledF1(osbs, coarse), 0.2) << "OSBS, coarse " << coarse;
    }
}
