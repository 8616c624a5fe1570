#include "commands.h"
#include "data/cutout_file.h"
#include "imaging/bmp_file.h"
#include "imaging/true_colour.h"

namespace lumera::cli {

void AddTruecolorCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto input = std::make_shared<std::string>(), output = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("truecolor", "The true-colour composite of a cut-out, stretch included");
    sub->add_option("CUTOUT", *input, "Cut-out file")->required();
    sub->add_option("-o", *output, "Picture (BMP)")->required();
    sub->callback([input, output, &action] {
        action = [input, output] {
            const TData cube = MapCutout(*input);
            if (const auto refusal = TrueColourRefusal(cube)) throw CheckFailed(*refusal);
            WriteBmp(*output, TrueColourComposite(cube));
            return 0;
        };
    });
}

}  // namespace lumera::cli
