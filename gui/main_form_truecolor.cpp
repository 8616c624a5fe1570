// The main window's true-colour composite.
#include "imaging/true_colour.h"
#include "main_form.h"
#include "picture_view.h"
#include "workbench.h"

namespace lumera::gui {

void TMainForm::TrueColorBtnClick()
{
    if (!CutoutLoaded()) return;
    if (const auto refusal = TrueColourRefusal(App.Data.Cube)) {
        App.Messages.Information(*refusal);
        return;
    }
    VzorImage->SetPicture(TrueColourComposite(App.Data.Cube));
}

}  // namespace lumera::gui
