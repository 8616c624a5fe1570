#include "commands.h"
#include "data/cutout_file.h"
#include "imaging/bmp_file.h"
#include "analysis_options.h"

namespace lumera::cli {

void AddNdviCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("ndvi", "The NDVI analysis painted as the lower picture shows it");
    struct Options {
        std::string cutout, output;
        NdviOptions ndvi;
    };
    auto o = std::make_shared<Options>();
    sub->add_option("CUTOUT", o->cutout, "Cut-out file")->required();
    sub->add_option("-o", o->output, "Output picture (BMP)")->required();
    AddNdviOptions(*sub, o->ndvi);
    sub->callback([o, &action] {
        action = [o] {
            const NdviSettings settings = ToNdviSettings(o->ndvi);
            const AnalysisResult result = RunNdvi(MapCutout(o->cutout), settings);
            if (!result.Ran()) throw CheckFailed(result.Stopped);
            WriteBmp(o->output, result.Picture);
            PrintJson(FiguresJson(result.Figures));
            return 0;
        };
    });
}

}  // namespace lumera::cli
