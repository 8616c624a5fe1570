#include "commands.h"
#include "extrema/brightness.h"
#include "filter_option.h"
#include "imaging/bmp_file.h"

namespace lumera::cli {

void AddFilterCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    struct Options {
        std::string input, output;
        FilterOption filter;
    };
    auto options = std::make_shared<Options>();
    auto* sub =
        app.add_subcommand("filter", "The brightness of a picture through the filter matrix (\"Filtrovaný obraz\")");
    sub->add_option("IN", options->input, "Picture (BMP)")->required();
    AddFilterOption(*sub, options->filter, false);
    sub->add_option("-o", options->output, "Filtered picture (BMP)")->required();
    sub->callback([options, &action] {
        action = [options] {
            const TFilterCells cells = FilterCells(options->filter.filter);
            WriteBmp(options->output, FilteredPicture(FilteredBrightness(ReadBmp(options->input), cells)));
            return 0;
        };
    });
}

}  // namespace lumera::cli
