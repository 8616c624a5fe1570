#include "commands.h"
#include "data/cutout_file.h"
#include "imaging/bmp_file.h"
#include "mask_step.h"

namespace lumera::cli {

void AddMaskCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action)
{
    auto* sub = app.add_subcommand("mask", "The masking (\"Odmaskovat\") of the NDVI and needle pictures");
    struct Options {
        std::string cutout, output;
        MaskOptions mask;
    };
    auto o = std::make_shared<Options>();
    sub->add_option("CUTOUT", o->cutout, "Cut-out file")->required();
    sub->add_option("-o", o->output, "Output picture (BMP)")->required();
    AddMaskOptions(*sub, o->mask);
    sub->callback([o, &global, &action] {
        action = [o, &global] {
            const TData cube = MapCutout(o->cutout);
            const MaskStep step = RunMaskStep(cube, PrepareMask(o->mask, global.programDir));
            WriteBmp(o->output, step.Picture);
            PrintJson({{"min", step.Result.Min}, {"max", step.Result.Max}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
