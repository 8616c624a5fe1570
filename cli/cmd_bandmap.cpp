#include <stdexcept>

#include "commands.h"
#include "data/cutout_file.h"
#include "imaging/bmp_file.h"
#include "imaging/band_map.h"
#include "data/cube_ranges.h"

namespace lumera::cli {

void AddBandMapCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("bandmap", "Write the grey map of one band (\"Mapa bandu\") as a BMP picture");
    struct Options {
        std::string cutout, output;
        int band = 0;
    };
    auto options = std::make_shared<Options>();
    sub->add_option("CUTOUT", options->cutout, "Cut-out file")->required();
    sub->add_option("--band", options->band, "Band number, 1-based")->required();
    sub->add_option("-o,--output", options->output, "Output picture (24-bit BMP)")->required();
    sub->callback([options, &action] {
        action = [options] {
            const TData cube = MapCutout(options->cutout);
            if (const std::string problem = BandRangeError(cube, options->band); !problem.empty())
                throw std::invalid_argument(problem);
            const BandMapResult map = MakeBandMap(cube, options->band);
            WriteBmp(options->output, map.Picture);
            PrintJson({{"maximum", map.Maximum}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
