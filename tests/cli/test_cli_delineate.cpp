#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_checks.h"
#include "crowns/crown_outlines.h"
#include "crowns/crown_scale.h"
#include "crowns/scale_delineation.h"
#include "data/cutout_file.h"
#include "imaging/drawing.h"
#include "imaging/true_colour.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// Two bright domes of radius 8 on a dark ground.
Bitmap Domes()
{
    return GreyPicture(60, 40, [](int x, int y) {
        const double d = std::min(std::hypot(x - 18, y - 20), std::hypot(x - 40, y - 20));
        return d <= 8 ? int(120 + 100 * (1 - d / 8)) : 20;
    });
}

}  // namespace

TEST(CliDelineate, AMaskKeepsTheCrownsInsideItTheOverlayOutlinesThemAndARadiusIsEstimated)
{
    TempDir dir;
    const Bitmap picture = Domes();
    WriteBmp(dir.File("in.bmp"), picture);
    Bitmap mask(60, 40);
    FillRect(mask, 0, 0, 30, 40, kWhite);  // the left dome only
    WriteBmp(dir.File("mask.bmp"), mask);
    const std::string out =
        ExpectSuccess(Expand(dir, "delineate --picture @in.bmp --mask @mask.bmp --crown-radius 8 -o @t.dat --overlay @o.bmp"));
    EXPECT_EQ(out, "{\"trees\":1,\"crown_radius\":8.0}\n");
    ExpectSuccess(Expand(dir, "delineate --picture @in.bmp --crown-radius 0.5 -o @half.dat"));  // the smallest radius
    Bitmap overlay = picture;  // the trees themselves are compared with the pipeline's
    DrawCrownOutlines(overlay, ReadTreeMatrix(dir.File("t.dat")));
    EXPECT_EQ(ReadBmp(dir.File("o.bmp")), overlay);

    const auto estimated = nlohmann::json::parse(ExpectSuccess(Expand(dir, "delineate --picture @in.bmp -o @t.dat")));
    EXPECT_EQ(estimated["trees"], 2);
    EXPECT_GT(estimated["crown_radius"].get<double>(), 4.0);
}

TEST(CliDelineate, WithoutARadiusTheGeoreferencesPixelSizeSetsIt)
{
    TempDir dir;
    WriteCutout(dir.File("c.dat"), MakeCube(kDelineationBands, 30, 30, 300));
    std::ofstream(dir.File("c.dat.geo.json"))
        << R"({"geotransform":[600000,0.5,0,5400000,0,-0.5],"crs":"PROJCS[\"u\",UNIT[\"metre\",1]]"})";
    WriteBmp(dir.File("p.bmp"), Domes());
    std::ofstream(dir.File("p.wld")) << "0.25 0 0 -0.25 600000 5400000";
    std::ofstream(dir.File("p.prj")) << R"(PROJCS["u",UNIT["metre",1]])";
    const auto radius = [&](const std::string& command) {
        return nlohmann::json::parse(ExpectSuccess(Expand(dir, command + " -o @t.dat")))["crown_radius"].get<double>();
    };
    EXPECT_DOUBLE_EQ(radius("delineate --cube @c.dat"), kTypicalCrownRadiusMetres / 0.5);
    EXPECT_DOUBLE_EQ(radius("delineate --cube @c.dat --pixel-size 1"), kTypicalCrownRadiusMetres);
    EXPECT_DOUBLE_EQ(radius("delineate --picture @p.bmp"), kTypicalCrownRadiusMetres / 0.25);

    // A cut-out's crowns are outlined over its true colour.
    ExpectSuccess(Expand(dir, "delineate --cube @c.dat -o @t.dat --overlay @o.bmp"));
    Bitmap overlay = TrueColourComposite(MapCutout(dir.File("c.dat")));
    DrawCrownOutlines(overlay, ReadTreeMatrix(dir.File("t.dat")));
    EXPECT_EQ(ReadBmp(dir.File("o.bmp")), overlay);
}

