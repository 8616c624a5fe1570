#include <optional>

#include "commands.h"
#include "crown_step.h"
#include "crowns/tree_figures.h"
#include "crowns_dump.h"
#include "data/output_batch.h"
#include "data/staged_folder.h"
#include "extrema/extrema_file.h"
#include "imaging/bmp_file.h"

namespace lumera::cli {

namespace {

struct Options {
    std::string maxima, background, equalized, output;
    CrownOptions crowns;
    std::string network, overlay, dump;
};

int RunCrowns(const Options& o)
{
    const TExtremaList maxima = ReadExtremaFile(o.maxima);
    const TCrownChainResult result = RunCrownStep(maxima, ReadBmp(o.background), ReadBmp(o.equalized), o.crowns,
                                                      FilterCells(o.crowns.filter.filter));
    // The dump is written before the batch begins, so its files stay in its
    // staging folder, which the batch switches in with the other outputs.
    std::optional<StagedFolder> dump;
    if (!o.dump.empty()) WriteCrownDump(dump.emplace(o.dump).Path(), result);
    OutputBatch outputs;
    if (dump) outputs.Add(*dump);
    WriteTreeMatrix(o.output, *result.State.TreeMatrix);
    if (!o.network.empty()) WriteBmp(o.network, result.Network);
    if (!o.overlay.empty()) WriteBmp(o.overlay, result.Overlay);
    outputs.Commit();
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
    AddFilterOption(*sub, o->crowns.filter, false);
    AddCrownOptions(*sub, o->crowns);
    sub->add_option("--network", o->network, "The network picture after the last \"Propojit\" (BMP)");
    sub->add_option("--overlay", o->overlay, "The trees shown over the equalized picture (BMP)");
    sub->add_option("--dump", o->dump, "Folder for labels.dat, boundary.txt, moved.txt and network.bmp");
    sub->callback([o, &action] { action = [o] { return RunCrowns(*o); }; });
}

}  // namespace lumera::cli
