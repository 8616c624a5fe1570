#include <cstdint>
#include <stdexcept>

#include "commands.h"
#include "data/cutout_file.h"
#include "data/cube_ranges.h"
#include "imaging/pixel_bands.h"

namespace lumera::cli {

void AddSpectrumCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("spectrum", "Print the spectrum of one pixel as the main window lists it");
    struct Options {
        std::string cutout;
        int column = 0, row = 0;
    };
    auto options = std::make_shared<Options>();
    sub->add_option("CUTOUT", options->cutout, "Cut-out file")->required();
    sub->add_option("--column", options->column, "Column, 1-based")->required();
    sub->add_option("--row", options->row, "Row, 1-based")->required();
    sub->callback([options, &action] {
        action = [options] {
            const TData cube = MapCutout(options->cutout);
            if (const std::string problem = PixelRangeError(cube, options->column, options->row); !problem.empty())
                throw std::invalid_argument(problem);
            // The cube holds 16-bit integers: written as JSON integers, the
            // same digits as the window's list.
            nlohmann::ordered_json values = nlohmann::ordered_json::array();
            for (const double v : PixelSpectrum(cube, options->column, options->row))
                values.push_back(static_cast<int64_t>(v));
            PrintJson({{"values", values}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
