#include <charconv>

#include "commands.h"
#include "crowns/crown_chain.h"
#include "crowns/tree_figures.h"
#include "crowns_dump.h"
#include "extrema/extrema_file.h"
#include "filter_option.h"
#include "imaging/bmp_file.h"

namespace lumera::cli {

namespace {

constexpr const char* kUnlimited = "unlimited";

std::optional<int> StepLimit(const std::string& text)
{
    if (text == kUnlimited) return std::nullopt;
    int steps = 0;
    std::from_chars(text.data(), text.data() + text.size(), steps);
    return steps;
}

// "unlimited" ("Přesuny") or a step limit 1 ... 9 ("Iterativní přesuny").
CLI::Validator MovesValidator()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            int steps = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), steps);
            const bool number = error == std::errc() && end == text.data() + text.size();
            return text == kUnlimited || (number && steps >= kMinMoveSteps && steps <= kMaxMoveSteps)
                       ? ""
                       : "must be unlimited or 1 ... 9";
        },
        "unlimited|1..9");
}

struct Options {
    std::string maxima, background, equalized, output;
    FilterOption filter;
    std::string moves = kUnlimited;
    int cycles = 0;
    int cycleMoves = kDefaultMoveSteps;
    int threshold = kDefaultTreeThreshold;
    std::string network, overlay, dump;
};

int RunCrowns(const Options& o)
{
    TCrownChainSettings settings;
    settings.Filter = FilterCells(o.filter.filter);
    settings.MoveSteps = StepLimit(o.moves);
    settings.Cycles = o.cycles;
    settings.CycleMoveSteps = o.cycleMoves;
    settings.Threshold = o.threshold;
    const TExtremaList maxima = ReadExtremaFile(o.maxima);
    const Bitmap background = ReadBmp(o.background);
    const Bitmap equalized = ReadBmp(o.equalized);
    const TCrownChainResult result = RunCrownChain(maxima, background, equalized, settings);
    WriteTreeMatrix(o.output, *result.State.TreeMatrix);
    if (!o.network.empty()) WriteBmp(o.network, result.Network);
    if (!o.overlay.empty()) WriteBmp(o.overlay, result.Overlay);
    if (!o.dump.empty()) WriteCrownDump(o.dump, result);
    PrintJson({{"maxima", maxima.size()},
               {"boundary_points", result.FirstNetwork.size()},
               {"trees", MeasureTrees(*result.State.TreeMatrix, maxima).size()}});
    return 0;
}

}  // namespace

void AddCrownsCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("crowns", "The crown delineation from tree tops to single trees");
    auto o = std::make_shared<Options>();
    sub->add_option("--maxima", o->maxima, "Extrema file of the tree tops")->required();
    sub->add_option("--background", o->background, "Picture the network is built on (BMP)")->required();
    sub->add_option("--equalized", o->equalized, "Equalized picture the trees grow on (BMP)")->required();
    sub->add_option("-o", o->output, "Tree matrix file")->required();
    AddFilterOption(*sub, o->filter, false);
    sub->add_option("--moves", o->moves, "unlimited (\"Přesuny\") or 1 ... 9 steps (\"Iterativní přesuny\")")
        ->check(MovesValidator());
    sub->add_option("--cycles", o->cycles, "Cycles under \"Iterativně\" (0)")->check(CLI::NonNegativeNumber);
    sub->add_option("--cycle-moves", o->cycleMoves, "Steps of the moves in a cycle, 1 ... 9 (3)")
        ->check(CLI::Range(kMinMoveSteps, kMaxMoveSteps));
    sub->add_option("--threshold", o->threshold, "Threshold \"práh\", 0 ... 255 (70)")
        ->check(CLI::Range(kMinTreeThreshold, kMaxTreeThreshold));
    sub->add_option("--network", o->network, "The network picture after the last \"Propojit\" (BMP)");
    sub->add_option("--overlay", o->overlay, "The trees shown over the equalized picture (BMP)");
    sub->add_option("--dump", o->dump, "Folder for labels.dat, boundary.txt, moved.txt and network.bmp");
    sub->callback([o, &action] { action = [o] { return RunCrowns(*o); }; });
}

}  // namespace lumera::cli
