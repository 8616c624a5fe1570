#include <cmath>

#include "commands.h"
#include "data/cutout_file.h"
#include "stand/stand_workspace.h"

namespace lumera::cli {

void AddSynthCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("synth", "Make a synthetic forest stand as a ready program directory");
    struct Options {
        std::string dir;
        uint64_t seed = 1;
        std::vector<int> size{400, 400};
        int trees = -1;
    };
    auto o = std::make_shared<Options>();
    sub->add_option("-o", o->dir, "Program directory to make (created when missing)")->required();
    sub->add_option("--seed", o->seed, "Seed of the stand (1)");
    sub->add_option("--size", o->size, "Width and height in pixels (400,400)")
        ->delimiter(',')
        ->expected(2)
        ->check(CLI::Range(1, kMaxCutoutDimension));
    sub->add_option("--trees", o->trees, "Number of trees to place (220 on 400 x 400, in proportion on other sizes)")
        ->check(CLI::Range(0, 100000));
    sub->callback([o, &action] {
        action = [o] {
            StandOptions options;
            options.Seed = o->seed;
            options.Width = o->size[0];
            options.Height = o->size[1];
            options.Trees = o->trees >= 0 ? o->trees
                                          : static_cast<int>(std::lround(220.0 * options.Width * options.Height / 160000.0));
            const int trees = WriteStandWorkspace(o->dir, options);
            PrintJson({{"columns", options.Width}, {"rows", options.Height}, {"trees", trees}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
