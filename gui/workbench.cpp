#include "workbench.h"

#include "ekvalizace_form.h"
#include "extr_form.h"
#include "extr_form2.h"
#include "main_form.h"
#include "upravy_korun_form.h"
#include "vahfce_form.h"
#include "vysl_form.h"

namespace lumera::gui {

Workbench::Workbench(Reporter& reporter, FileDialogs& dialogs) : Messages(reporter), Dialogs(dialogs)
{
    MainForm = std::make_unique<TMainForm>(*this);
    VahFceForm = std::make_unique<TVahFceForm>(*this);
    EkvalizaceForm = std::make_unique<TEkvalizaceForm>(*this);
    VyslForm = std::make_unique<TVyslForm>(*this);
    ExtrForm = std::make_unique<TExtrForm>(*this);
    ExtrForm2 = std::make_unique<TExtrForm2>(*this);
    UpravyKorunForm = std::make_unique<TUpravyKorunForm>(*this);
}

// Windows go before the data they show.
Workbench::~Workbench()
{
    UpravyKorunForm.reset();
    ExtrForm2.reset();
    ExtrForm.reset();
    VyslForm.reset();
    EkvalizaceForm.reset();
    VahFceForm.reset();
    MainForm.reset();
}

}  // namespace lumera::gui
