#include "commands.h"
#include "scene_crowns.h"
#include "scene_options.h"
#include "scene_tiles.h"
#include "tile_merge.h"

namespace lumera::cli {

void AddTilesCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand(kTilesCommand.Name, kTilesCommand.Description);
    struct Options {
        std::string scene, dir;
        int size = 400, overlap = 0, jobs = 1;
        ImportOptions import;
    };
    auto o = std::make_shared<Options>();
    sub->add_option("SCENE", o->scene, "Scene GDAL reads")->required();
    sub->add_option("--size", o->size, "Tile side in pixels, at most 400 (400)");
    sub->add_option("--overlap", o->overlap, "Pixels shared by neighbouring tiles (0)");
    sub->add_option("--jobs", o->jobs,
                    "Threads that resample tiles, as many more write them (1); memory stays within about 300 MB + 30 MB per job")
        ->check(CLI::PositiveNumber);
    AddSceneOptions(sub, o->import);
    sub->add_option("-o", o->dir, "Folder for the tile folders and tiles.csv")->required();
    sub->callback([o, &action] {
        action = [o] {
            return RunSceneCommand([&] {
                Scene scene = OpenScene(o->scene);
                const TilingSummary summary = WriteSceneTiles(scene, o->size, o->overlap, o->import, o->dir, o->jobs);
                PrintNotes(summary.Notes);
                if (summary.Clipped > 0) PrintNotes({ClippingNote(summary.Clipped)});
                PrintJson({{"tiles", summary.Tiles}, {"scale", summary.Scale}, {"clipped", summary.Clipped}});
                return 0;
            });
        };
    });
}

void AddMergeCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand(kMergeCommand.Name, kMergeCommand.Description);
    auto dir = std::make_shared<std::string>(), output = std::make_shared<std::string>();
    auto tables = std::make_shared<bool>(false);
    sub->add_option("DIR", *dir, "Folder written by tiles, each tile folder holding trees.dat")->required();
    sub->add_option("-o", *output, "Crowns file: .gpkg, .geojson or .shp")->required();
    sub->add_flag("--tables", *tables,
                  "Also each crown's bounds and means from its tile's trees.csv, and trees.csv and spectra.csv "
                  "beside the crowns file, as scene writes them");
    sub->callback([dir, output, tables, &action] {
        action = [dir, output, tables] {
            if (*tables) {
                const SceneCrownsSummary crowns = WriteSceneCrowns(*dir, *output);
                PrintJson({{"found", crowns.Found}, {"crowns", crowns.Crowns}, {"spectra", crowns.Spectra}});
                return 0;
            }
            const MergeSummary merged = MergeTileCrowns(*dir);
            WriteCrownLayer(*output, merged.Layer);
            PrintJson({{"found", merged.Found}, {"crowns", merged.Layer.Crowns.size()}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
