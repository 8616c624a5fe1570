#include "commands.h"
#include "crowns/scale_delineation.h"
#include "data/cutout_file.h"
#include "data/output_batch.h"
#include "delineate_step.h"
#include "imaging/bmp_file.h"
#include "imaging/true_colour.h"
#include "mapping/geo_reference_file.h"
#include "mapping/world_file.h"
#include "number_range.h"

namespace lumera::cli {

namespace {

struct DelineateOptions {
    std::string cube, picture, mask, output, overlay;
    double crownRadius = 0.0;
    double pixelSize = 0.0;
};

// The mask picture, when one was given, checked against the picture's size.
std::optional<VegetationMask> ReadMask(const std::string& path, int width, int height)
{
    if (path.empty()) return std::nullopt;
    return FittingMask(ReadBmp(path), width, height, path);
}

int RunDelineate(const DelineateOptions& o)
{
    DelineationSettings settings{o.crownRadius, o.pixelSize};
    Delineation result;
    Bitmap background;
    if (!o.cube.empty()) {
        const TData cube = MapCutout(o.cube);
        if (settings.PixelSize == 0.0) settings.PixelSize = CutoutPixelSizeMetres(o.cube);
        if (const auto refusal = DelineationRefusal(cube)) throw CheckFailed(*refusal);
        const auto mask = ReadMask(o.mask, cube.NColumns, cube.NRows);
        result = DelineateCutout(cube, mask ? &*mask : nullptr, settings);
        if (!o.overlay.empty()) background = TrueColourComposite(cube);
    } else {
        background = ReadBmp(o.picture);
        if (settings.PixelSize == 0.0) settings.PixelSize = PicturePixelSizeMetres(o.picture);
        const auto mask = ReadMask(o.mask, background.Width(), background.Height());
        result = DelineatePicture(background, mask ? &*mask : nullptr, settings);
    }
    OutputBatch outputs;
    WriteTreeMatrix(o.output, result.Trees);
    if (!o.overlay.empty()) WriteBmp(o.overlay, OutlinedCrowns(background, result.Trees));
    outputs.Commit();
    PrintJson({{"trees", result.Tops.size()}, {"crown_radius", result.CrownRadius}});
    return 0;
}

}  // namespace

void AddDelineateCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("delineate", "Crowns found at the scale of the crowns: tops and watershed");
    auto o = std::make_shared<DelineateOptions>();
    auto* cube = sub->add_option("--cube", o->cube, "Cut-out file (vegetation from its NDVI)");
    auto* picture = sub->add_option("--picture", o->picture, "Picture (BMP)");
    cube->excludes(picture);
    picture->excludes(cube);
    sub->add_option("--mask", o->mask, "Mask picture (BMP): crowns only where it is not black");
    AddCrownRadiusOption(*sub, o->crownRadius, "Crown radius in pixels (estimated when not given)");
    sub->add_option("--pixel-size", o->pixelSize,
                    "Pixel size in metres (read from a cut-out's CUT.dat.geo.json or a picture's world file); "
                    "sets the crown radius")
        ->check(NumberRange(kSmallestPixelMetres, kLargestPixelMetres));
    sub->add_option("-o", o->output, "Tree matrix file to write")->required();
    sub->add_option("--overlay", o->overlay, "Picture (BMP) with the crown outlines");
    sub->callback([o, cube, picture, &action] {
        if (cube->count() + picture->count() != 1) throw CLI::RequiredError("--cube or --picture");
        action = [o] { return RunDelineate(*o); };
    });
}

}  // namespace lumera::cli
