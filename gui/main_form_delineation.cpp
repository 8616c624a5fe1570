// The main window's scale-aware crown delineation of the loaded cut-out.
#include <cmath>

#include "crowns/crown_outlines.h"
#include "crowns/scale_delineation.h"
#include "data/file_error.h"
#include "data/number_format.h"
#include "data/program_paths.h"
#include "decimal_separator.h"
#include "imaging/true_colour.h"
#include "main_form.h"
#include "picture_view.h"
#include "workbench.h"

namespace lumera::gui {

void TMainForm::Automatickvymezenkorun1Click()
{
    if (!CutoutLoaded()) return;
    if (const auto refusal = DelineationRefusal(App.Data.Cube)) {
        App.Messages.Information(*refusal);
        return;
    }
    const Delineation result = DelineateCutout(App.Data.Cube, nullptr, {0.0, App.Data.PixelSize});
    Bitmap picture = TrueColourComposite(App.Data.Cube);
    DrawCrownOutlines(picture, result.Trees);
    VzorImage->SetPicture(picture);
    DelineatedTrees = result.Trees;
    const std::string radius = FormatNumber(std::nearbyint(10.0 * result.CrownRadius) / 10.0, UserDecimalSeparator());
    if (!App.Messages.Confirm("Vymezeno korun: " + std::to_string(result.Tops.size()) + " (poloměr koruny " + radius +
                              " px). Uložit matici stromů?"))
        return;
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit matici"),
                                               ProgramPath(App.Data.ProgramDir, "\\data\\vystup")))
        SaveDelineatedTrees(*path);
}

bool TMainForm::SaveDelineatedTrees(const std::string& path)
{
    try {
        WriteTreeMatrix(path, DelineatedTrees);
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    }
    return true;
}

}  // namespace lumera::gui
