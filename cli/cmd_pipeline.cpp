#include <atomic>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <set>
#include <thread>
#include <unistd.h>

#include "commands.h"
#include "pipeline_options.h"

namespace lumera::cli {

namespace {

struct Options {
    std::vector<std::string> cutouts;
    std::string outDir;
    int jobs = 1;
    PipelineOptions pipeline;
};

std::string CutoutName(const std::string& cutout) { return std::filesystem::path(cutout).stem().string(); }

// Cut-outs of the same name would write into the same sub-folder.
void CheckDistinctNames(const std::vector<std::string>& cutouts)
{
    std::set<std::string> names;
    for (const std::string& cutout : cutouts)
        if (!names.insert(CutoutName(cutout)).second)
            throw CLI::ValidationError("CUTOUT", "two cut-outs named " + CutoutName(cutout) + " would share a folder");
}

// One line per step on standard error, only for a person watching a terminal.
StepProgress TerminalProgress(const std::string& prefix, std::mutex& errLock)
{
    if (!isatty(STDERR_FILENO)) return {};
    return [prefix, &errLock](const std::string& step, double seconds) {
        const std::lock_guard lock(errLock);
        std::cerr << prefix << step << ' ' << seconds << " s\n";
    };
}

// Runs the cut-outs on `jobs` threads, each into its own sub-folder. A failing
// cut-out is reported and the others go on; the summaries are printed in the
// order of the cut-outs.
int RunMany(const Options& o, const PipelineInputs& inputs)
{
    std::vector<std::optional<nlohmann::ordered_json>> summaries(o.cutouts.size());
    std::atomic<std::size_t> next = 0;
    std::mutex errLock;
    auto work = [&] {
        for (std::size_t i = next++; i < o.cutouts.size(); i = next++) {
            const std::string& cutout = o.cutouts[i];
            try {
                summaries[i] = RunPipeline(cutout, o.outDir + "/" + CutoutName(cutout), o.pipeline, inputs,
                                           TerminalProgress(cutout + ": ", errLock));
            } catch (const std::exception& e) {
                const std::lock_guard lock(errLock);
                std::cerr << cutout << ": " << e.what() << '\n';
            }
        }
    };
    std::vector<std::jthread> threads;
    for (int t = 1; t < std::min<int>(o.jobs, int(o.cutouts.size())); ++t) threads.emplace_back(work);
    work();
    for (std::jthread& thread : threads) thread.join();
    bool failed = false;
    for (const auto& summary : summaries) {
        if (summary) PrintJson(*summary);
        failed = failed || !summary;
    }
    return failed ? 1 : 0;
}

int RunOne(const Options& o, const PipelineInputs& inputs)
{
    std::mutex errLock;
    PrintJson(RunPipeline(o.cutouts.front(), o.outDir, o.pipeline, inputs, TerminalProgress("", errLock)));
    return 0;
}

}  // namespace

void AddPipelineCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action)
{
    auto* sub = app.add_subcommand("pipeline", "The whole chain from cut-outs to single trees");
    auto o = std::make_shared<Options>();
    sub->add_option("CUTOUT", o->cutouts, "Cut-out files")->required();
    sub->add_option("-o", o->outDir, "Output folder (a sub-folder per cut-out when there are several)")->required();
    sub->add_option("--jobs", o->jobs, "Cut-outs processed at once (1)")->check(CLI::PositiveNumber);
    AddPipelineOptions(*sub, o->pipeline);
    sub->callback([o, &global, &action] {
        CheckDistinctNames(o->cutouts);
        action = [o, &global] {
            const PipelineInputs inputs = PreparePipeline(o->pipeline, global.programDir);
            return o->cutouts.size() == 1 ? RunOne(*o, inputs) : RunMany(*o, inputs);
        };
    });
}

}  // namespace lumera::cli
