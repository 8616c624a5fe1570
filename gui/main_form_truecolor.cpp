// The main window's true-colour composite.
#include "imaging/true_colour.h"
#include "main_form.h"
#include "picture_view.h"
#include "workbench.h"

namespace lumera::gui {

void TMainForm::TrueColorBtnClick()
{
    if (!App.Data.DataLoaded) {
        App.Messages.Information("Nejprve nahrajte datový výřez.");
        return;
    }
    if (const auto refusal = TrueColourRefusal(App.Data.Cube)) {
        App.Messages.Information(*refusal);
        return;
    }
    VzorImage->SetPicture(TrueColourComposite(App.Data.Cube));
}

}  // namespace lumera::gui
