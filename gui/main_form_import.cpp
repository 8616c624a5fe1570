// Data → "Import snímku…": a window of a scene GDAL reads becomes a cut-out.
#include <filesystem>

#include "data/file_error.h"
#include "data/program_paths.h"
#include "import_dialog.h"
#include "main_form.h"
#include "mapping/value_scaling.h"
#include "scene_import.h"
#include "scene_refusal.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

// The imported cut-out's file: named after the scene and the window, in the
// cut-out folder, so it can be loaded again like any other.
std::string ImportedCutoutPath(const std::string& programDir, const std::string& scenePath, const PixelRect& w)
{
    std::string stem = std::filesystem::path(scenePath).stem().string();
    for (char& c : stem)
        if (c == ':' || c == '"' || c == '/' || c == '\\') c = '_';
    return ProgramPath(programDir, "\\data\\vyrezy\\") + stem + "_" + std::to_string(w.X) + "_" +
           std::to_string(w.Y) + "_" + std::to_string(w.Width) + "x" + std::to_string(w.Height) + ".dat";
}

// The batch tool's import options from what the dialog holds; a scale that
// is not a positive number is refused before the scene is read.
ImportOptions ChosenOptions(const PixelRect& window, const std::string& wavelengthFile, const std::string& scale,
                            bool allowPartial)
{
    ImportOptions options;
    options.Window = window;
    if (!wavelengthFile.empty()) options.Wavelengths = wavelengthFile;
    if (!scale.empty()) {
        options.Scale = ParseCountScale(scale);
        if (!options.Scale) throw SceneRefusal(CountScaleRefusal(scale));
    }
    options.AllowPartial = allowPartial;
    return options;
}

}  // namespace

void TMainForm::Importsnmku1Click()
{
    const std::string dataFolder = ProgramPath(App.Data.ProgramDir, "\\data\\");
    const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Import snímku"), dataFolder);
    if (!path) return;
    int width = 0, height = 0, bands = 0;
    try {
        const Scene scene = OpenScene(*path);
        width = scene.Width, height = scene.Height, bands = scene.Bands;
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return;
    }
    TImportDialog dialog(this, width, height, bands, App.Dialogs, dataFolder);
    if (dialog.exec() != QDialog::Accepted) return;
    ImportSceneWindow(*path, dialog.Window(), dialog.WavelengthFile(), dialog.Scale(), dialog.AllowPartial());
}

bool TMainForm::ImportSceneWindow(const std::string& scenePath, const PixelRect& window,
                                  const std::string& wavelengthFile, const std::string& scale, bool allowPartial)
{
    const std::string cutoutPath = ImportedCutoutPath(App.Data.ProgramDir, scenePath, window);
    try {
        const ImportOptions options = ChosenOptions(window, wavelengthFile, scale, allowPartial);
        Scene scene = OpenScene(scenePath);
        const ImportResult result = ImportScene(scene, options);
        std::filesystem::create_directories(std::filesystem::path(cutoutPath).parent_path());
        WriteImportedCutout(cutoutPath, result);
        std::string notes;
        for (const std::string& note : ImportNotes(result)) notes += (notes.empty() ? "" : "\n") + note;
        if (!notes.empty()) App.Messages.Information(notes);
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    } catch (const SceneRefusal& e) {
        App.Messages.Error(e.what());
        return false;
    }
    return LoadCutout(cutoutPath);
}

}  // namespace lumera::gui
