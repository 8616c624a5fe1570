#include "crown_step.h"

#include "whole_number.h"

namespace lumera::cli {

namespace {

constexpr const char* kUnlimited = "unlimited";

std::optional<int> StepLimit(const std::string& text)
{
    if (text == kUnlimited) return std::nullopt;
    return WholeNumber(text);
}

// "unlimited" ("Přesuny") or a step limit 1 ... 9 ("Iterativní přesuny").
CLI::Validator MovesValidator()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const auto steps = WholeNumber(text);
            return text == kUnlimited || (steps && *steps >= kMinMoveSteps && *steps <= kMaxMoveSteps)
                       ? ""
                       : "must be unlimited or 1 ... 9";
        },
        "unlimited|1..9");
}

}  // namespace

void AddCrownOptions(CLI::App& command, CrownOptions& o)
{
    command.add_option("--moves", o.moves, "unlimited (\"Přesuny\") or 1 ... 9 steps (\"Iterativní přesuny\")")
        ->check(MovesValidator());
    command.add_option("--cycles", o.cycles, "Cycles under \"Iterativně\" (0)")->check(CLI::NonNegativeNumber);
    command.add_option("--cycle-moves", o.cycleMoves, "Steps of the moves in a cycle, 1 ... 9 (3)")
        ->check(CLI::Range(kMinMoveSteps, kMaxMoveSteps));
    command.add_option("--threshold", o.threshold, "Threshold \"práh\", 0 ... 255 (70)")
        ->check(CLI::Range(kMinTreeThreshold, kMaxTreeThreshold));
}

TCrownChainResult RunCrownStep(const TExtremaList& maxima, const Bitmap& background, const Bitmap& equalized,
                               const CrownOptions& o, const TFilterCells& filter)
{
    TCrownChainSettings settings;
    settings.Filter = filter;
    settings.MoveSteps = StepLimit(o.moves);
    settings.Cycles = o.cycles;
    settings.CycleMoveSteps = o.cycleMoves;
    settings.Threshold = o.threshold;
    return RunCrownChain(maxima, background, equalized, settings);
}

}  // namespace lumera::cli
