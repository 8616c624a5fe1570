#include "commands.h"
#include "data/cutout_file.h"
#include "extrema/extrema_file.h"
#include "imaging/bmp_file.h"
#include "search_step.h"

namespace lumera::cli {

namespace {

// The options of a search command.
template <class Settings>
struct SearchOptions {
    std::string cube, picture, output;
    SearchRules<Settings> rules;
    FilterOption filter;
};

TExtremaList Find(const TData& cube, const MaximaSettings& s) { return FindMaxima(cube, s); }
TExtremaList Find(const TData& cube, const MinimaSettings& s) { return FindMinima(cube, s); }

template <class Settings>
int RunSearch(const SearchOptions<Settings>& o)
{
    const TExtremaList points = o.cube.empty() ? RunPictureSearchStep(ReadBmp(o.picture), o.rules, ChosenFilter(o.filter))
                                               : Find(MapCutout(o.cube), o.rules.Resolved());
    WriteExtremaFile(o.output, points);
    PrintJson({{"count", points.size()}});
    return 0;
}

template <class Settings>
CLI::App* AddSearchCommand(CLI::App& app, const std::string& name, const std::string& description,
                           const std::shared_ptr<SearchOptions<Settings>>& o, CommandAction& action)
{
    auto* sub = app.add_subcommand(name, description);
    auto* source = sub->add_option_group("source", "What to search: one of");
    source->add_option("--cube", o->cube, "Cut-out file: every band tested, the bands vote");
    source->add_option("--picture", o->picture, "Picture (BMP): its brightness, filtered unless --no-filter");
    source->require_option(1);
    AddSearchRuleOptions(*sub, o->rules);
    sub->add_option("--bands", o->rules.settings.Bands, "Bands required (--cube only)")
        ->check(CLI::Range(1, 65))
        ->capture_default_str();
    AddFilterOption(*sub, o->filter, true);
    sub->add_option("-o", o->output, "Extrema file")->required();
    sub->callback([sub, o, &action] {
        if (!o->cube.empty() && sub->count("--filter") + sub->count("--no-filter") > 0)
            throw CLI::ValidationError("--filter, --no-filter", "apply to --picture only");
        if (!o->picture.empty() && sub->count("--bands") > 0)
            throw CLI::ValidationError("--bands", "applies to --cube only");
        action = [o] { return RunSearch(*o); };
    });
    return sub;
}

}  // namespace

void AddMaximaCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    AddSearchCommand(app, "maxima", "The local maxima search (\"Lokální maxima\"): writes an extrema file",
                     std::make_shared<SearchOptions<MaximaSettings>>(), action);
}

void AddMinimaCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto o = std::make_shared<SearchOptions<MinimaSettings>>();
    auto* sub =
        AddSearchCommand(app, "minima", "The minima grid search (\"Minimová síť\"): writes an extrema file", o, action);
    sub->add_option("--size", o->rules.settings.Size, "Neighbourhood side, 3 or 5")
        ->check(CLI::IsMember({3, 5}))
        ->capture_default_str();
}

}  // namespace lumera::cli
