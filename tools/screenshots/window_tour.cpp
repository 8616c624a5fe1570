#include "window_tour.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include "ekvalizace_form.h"
#include "extr_form.h"
#include "extr_form2.h"
#include "filter_panel.h"
#include "main_form.h"
#include "radio_group.h"
#include "vahfce_form.h"
#include "vysl_form.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

// The window's own intermediate files, beside the pipeline's.
constexpr const char* kMask = "obr/demo/okno-maska.bmp";
constexpr const char* kEqualized = "obr/demo/okno-ekvalizace.bmp";

QWidget* MainWindowAtWork(Workbench& app)
{
    TMainForm& form = *app.MainForm;
    form.LoadCutout("data/vyrezy/stand.dat");
    form.TrueColorBtnClick();
    form.Odmaskov8n1->trigger();
    form.MaskaBtnClick();
    form.XSpin->setValue(200);
    form.YSpin->setValue(200);
    form.SpektrumBtnClick();
    form.VzorImageMouseDown(200, 200);
    form.SavePictureCheck->setChecked(false);
    form.SavePicture(kMask);
    return &form;
}

QWidget* WeightEditorAtWork(Workbench& app)
{
    app.MainForm->Vaha2BtnClick();
    TVahFceForm& form = *app.VahFceForm;
    form.VyjitZeCombo->setCurrentIndex(0);
    form.VyjitZeBtnClick();
    form.DrawTabBtnClick();
    form.DrawRefBtnClick();
    return &form;
}

QWidget* EqualizationAtWork(Workbench& app)
{
    TEkvalizaceForm& form = *app.EkvalizaceForm;
    form.LoadPicture(kMask);
    form.StupidBtnClick();
    form.ZpracovaneImageMouseDown(200, 200, Qt::LeftButton);
    form.SaveResult(kEqualized);
    return &form;
}

QWidget* ExtremaSearchAtWork(Workbench& app)
{
    TExtrForm& form = *app.ExtrForm;
    form.LoadSource(kEqualized);
    form.VypocetPodle->SetItemIndex(1);
    form.LoadBackground(kEqualized);
    form.FiltrCheck->setChecked(true);
    form.GaussBtnClick();
    form.LokalMaxBtnClick();
    form.ShowMaxBtnClick();
    form.ZpracovaneImageMouseDown(200, 200, Qt::LeftButton);
    return &form;
}

QWidget* CrownsAtWork(Workbench& app)
{
    TExtrForm2& form = *app.ExtrForm2;
    form.LoadMaxima("obr/demo/maxima.txt");
    form.PodkladCesta->setText("obr/demo/equalized.bmp");
    form.ShowPodkladBtnClick();
    form.VoroPocitatBtnClick();
    form.VoroHraniceBtnClick();
    form.SousediBtnClick();
    form.SmeryBtnClick();
    form.GaussBtnClick();
    form.FiltrovatBtnClick();
    form.PresunyBtnClick();
    form.PropojitBtnClick();
    form.StromyGoBtnClick();
    form.ShowKam->SetItemIndex(1);
    form.StromyShowBtnClick();
    form.ZpracovaneImageMouseDown(200, 200, Qt::LeftButton);
    return &form;
}

QWidget* ResultsAtWork(Workbench& app)
{
    TVyslForm& form = *app.VyslForm;
    const char* pictures[] = {"obr/demo/mask.bmp", "obr/demo/equalized.bmp", "obr/demo/network.bmp",
                              "obr/demo/trees.bmp"};
    for (int slot = 1; slot <= TVyslForm::kSlots; ++slot) form.LoadPicture(slot, pictures[slot - 1]);
    form.Image1MouseDown(200, 200, Qt::LeftButton);
    return &form;
}

}  // namespace

std::vector<TourStop> WindowTour()
{
    return {{"main", MainWindowAtWork},         {"weights", WeightEditorAtWork}, {"equalization", EqualizationAtWork},
            {"extrema", ExtremaSearchAtWork}, {"crowns", CrownsAtWork},        {"results", ResultsAtWork}};
}

}  // namespace lumera::gui
