#include "commands.h"
#include "crowns/crown_accuracy.h"
#include "number_range.h"

namespace lumera::cli {

void AddEvaluateCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("evaluate", "Compare a tree matrix with the true crowns");
    auto trees = std::make_shared<std::string>();
    auto truth = std::make_shared<std::string>();
    sub->add_option("TREES", *trees, "Tree matrix file to score")->required();
    sub->add_option("TRUTH", *truth, "Tree matrix file of the true crowns")->required();
    auto above = std::make_shared<double>(-1.0);
    sub->add_option("--iou-above", *above, "Match when IoU is above this (default: IoU of at least 0.5)")
        ->check(NumberRange(0.0, 1.0));
    sub->callback([trees, truth, above, &action] {
        action = [trees, truth, above] {
            const IoURule rule = *above >= 0.0 ? IoURule{*above, true} : IoURule{};
            const CrownAccuracy a = EvaluateCrowns(ReadTreeMatrix(*trees), ReadTreeMatrix(*truth), rule);
            PrintJson({{"found", a.Found},
                       {"true", a.True},
                       {"matched", a.Matched},
                       {"precision", a.Precision},
                       {"recall", a.Recall},
                       {"f1", a.F1},
                       {"mean_iou", a.MeanIoU}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
