#include <chrono>
#include <filesystem>
#include <sstream>

#include "commands.h"
#include "pipeline_options.h"
#include "scene_crowns.h"
#include "scene_options.h"
#include "scene_run.h"

namespace lumera::cli {

namespace {

// The options given, as a configuration text, without those that do not
// change the outputs: how many tiles run at once, resuming, and the folder.
std::string Settings(const CLI::App& sub)
{
    std::istringstream config(sub.config_to_str());
    std::string settings;
    for (std::string line; std::getline(config, line);)
        if (!line.starts_with("jobs=") && !line.starts_with("resume=") && !line.starts_with("o="))
            settings += line + '\n';
    return settings;
}

int RunScene(const SceneRunOptions& o, const std::string& programDir)
{
    const auto start = std::chrono::steady_clock::now();
    const SceneRunResult run = RunSceneTiles(o, programDir);
    PrintNotes(run.Notes);
    nlohmann::ordered_json summary = {{"tiles", run.Tiles}, {"resumed", run.Resumed}, {"failed", run.Failed}};
    if (!run.Failed.empty()) {
        PrintJson(summary);
        return 1;
    }
    const std::filesystem::path out(o.outDir);
    const SceneCrownsSummary crowns = WriteSceneCrowns((out / "tiles").string(), (out / "crowns.gpkg").string());
    summary["found"] = crowns.Found;
    summary["crowns"] = crowns.Crowns;
    summary["spectra"] = crowns.Spectra;
    summary["seconds"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    PrintJson(summary);
    return 0;
}

}  // namespace

void AddSceneCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action)
{
    auto* sub = app.add_subcommand(kSceneCommand.Name, kSceneCommand.Description);
    auto o = std::make_shared<SceneRunOptions>();
    sub->add_option("SCENE", o->scene, "Scene GDAL reads")->required();
    sub->add_option("-o", o->outDir, "Folder for tiles/, crowns.gpkg, trees.csv and spectra.csv")->required();
    sub->add_option("--size", o->size, "Tile side in pixels, at most 400 (200)");
    sub->add_option("--overlap", o->overlap, "Pixels shared by neighbouring tiles (40)");
    sub->add_option("--jobs", o->jobs, "Tiles processed at once (1)")->check(CLI::PositiveNumber);
    sub->add_flag("--resume", o->resume, "Keep the finished tiles of an interrupted run with the same options");
    AddSceneOptions(sub, o->import);
    AddPipelineOptions(*sub, o->pipeline);
    sub->callback([o, sub, &global, &action] {
        // The program folder's reference spectra shape the mask: another folder is another run.
        const std::string programDir = std::filesystem::weakly_canonical(global.programDir).string();
        o->settings = Settings(*sub) + "program-dir=" + programDir + '\n';
        o->pipeline.crownsOnTheMap = false;  // the merged crowns go on the map once
        action = [o, &global] { return RunSceneCommand([&] { return RunScene(*o, global.programDir); }); };
    });
}

}  // namespace lumera::cli
