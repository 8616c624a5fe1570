#include "commands.h"
#include "data/cutout_file.h"
#include "imaging/bmp_file.h"
#include "analysis_options.h"

namespace lumera::cli {

void AddNeedleCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action)
{
    auto* sub = app.add_subcommand("needle", "The needle analysis (\"Analýza jehlicemi\")");
    struct Options {
        std::string cutout, output;
        NeedleOptions needle;
    };
    auto o = std::make_shared<Options>();
    sub->add_option("CUTOUT", o->cutout, "Cut-out file")->required();
    sub->add_option("-o", o->output, "Output picture (BMP)")->required();
    AddNeedleOptions(*sub, o->needle);
    sub->callback([o, &global, &action] {
        action = [o, &global] {
            SpectralState state;
            const NeedleSettings settings = PrepareNeedle(o->needle, global.programDir, state);
            const AnalysisResult result = RunNeedle(MapCutout(o->cutout), state, settings);
            if (!result.Ran()) throw CheckFailed(result.Stopped);
            WriteBmp(o->output, result.Picture);
            PrintJson(FiguresJson(result.Figures));
            return 0;
        };
    });
}

}  // namespace lumera::cli
