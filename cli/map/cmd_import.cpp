#include "commands.h"
#include "data/output_batch.h"
#include "mapping/geotransform.h"
#include "scene_options.h"
#include "shared_files.h"

namespace lumera::cli {

void AddImportCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand(kImportCommand.Name, kImportCommand.Description);
    struct Options {
        std::string scene, output;
        std::vector<int> window;
        ImportOptions import;
    };
    auto o = std::make_shared<Options>();
    sub->add_option("SCENE", o->scene, "Scene (ENVI, GeoTIFF, an HDF5 sub-dataset, any raster GDAL opens)")
        ->required();
    sub->add_option("--window", o->window, "Window X,Y,W,H in scene pixels, 0-based, at most 400 x 400")
        ->delimiter(',')
        ->expected(4);
    AddSceneOptions(sub, o->import);
    sub->add_option("-o", o->output, "Cut-out file; its georeference goes beside it as CUT.dat.geo.json")
        ->required();
    sub->callback([o, &action] {
        action = [o] {
            return RunSceneCommand([&] {
                if (!o->window.empty()) o->import.Window = PixelRect{o->window[0], o->window[1], o->window[2], o->window[3]};
                Scene scene = OpenScene(o->scene);
                RefuseSharedFiles(SceneFiles(scene), {o->output, GeoReferencePath(o->output)});
                const ImportResult result = ImportScene(scene, o->import);
                OutputBatch outputs;
                WriteImportedCutout(o->output, result);
                outputs.Commit();
                PrintNotes(ImportNotes(result));
                PrintJson({{"bands", result.Cube.NBands},
                           {"rows", result.Cube.NRows},
                           {"columns", result.Cube.NColumns},
                           {"scale", result.Scale},
                           {"clipped", result.Clipped},
                           {"nodata_pixels", result.NoDataPixels},
                           {"filled_bands", result.Filled},
                           {"georeferenced", result.Reference.has_value()}});
                return 0;
            });
        };
    });
}

}  // namespace lumera::cli
