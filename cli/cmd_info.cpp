#include "commands.h"
#include "data/cutout_file.h"

namespace lumera::cli {

void AddInfoCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("info", "Print the dimensions of a cut-out file");
    auto path = std::make_shared<std::string>();
    sub->add_option("CUTOUT", *path, "Cut-out file")->required();
    sub->callback([path, &action] {
        action = [path] {
            const TCutoutHeader cutout = ReadCutoutHeader(*path);  // the values are not needed
            PrintJson({{"bands", cutout.NBands}, {"rows", cutout.NRows}, {"columns", cutout.NColumns}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
