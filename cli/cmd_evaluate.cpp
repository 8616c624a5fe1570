#include "commands.h"
#include "crowns/crown_accuracy.h"

namespace lumera::cli {

void AddEvaluateCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("evaluate", "Compare a tree matrix with the true crowns");
    auto trees = std::make_shared<std::string>();
    auto truth = std::make_shared<std::string>();
    sub->add_option("TREES", *trees, "Tree matrix file to score")->required();
    sub->add_option("TRUTH", *truth, "Tree matrix file of the true crowns")->required();
    sub->callback([trees, truth, &action] {
        action = [trees, truth] {
            const CrownAccuracy a = EvaluateCrowns(ReadTreeMatrix(*trees), ReadTreeMatrix(*truth));
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
