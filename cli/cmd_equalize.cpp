#include "commands.h"
#include "enhance/equalization.h"
#include "equalize_step.h"
#include "imaging/bmp_file.h"

namespace lumera::cli {

void AddEqualizeCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    struct Options {
        std::string input, output;
        int window = kDefaultEqualizationWindow;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("equalize", "Adaptive histogram equalization of a picture");
    sub->add_option("IN", options->input, "Picture (BMP)")->required();
    AddEqualizeOptions(*sub, options->window);
    sub->add_option("-o", options->output, "Equalized picture (BMP)")->required();
    sub->callback([options, &action] {
        action = [options] {
            WriteBmp(options->output, RunEqualizeStep(ReadBmp(options->input), options->window));
            return 0;
        };
    });
}

}  // namespace lumera::cli
