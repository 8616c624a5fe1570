// The main window's spectral analysis: start-up of the spectral state, the
// NDVI and needle analyses, the masking, and their panels and menu items.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "data/file_error.h"
#include "data/number_format.h"
#include "decimal_separator.h"
#include "main_form.h"
#include "picture_view.h"
#include "analysis/masking.h"
#include "analysis/reference_files.h"
#include "analysis_panel_modes.h"
#include "vahfce_form.h"
#include "workbench.h"

namespace lumera::gui {

void TMainForm::PrepareSpectralState()
{
    SpectralState& spectral = App.Spectral;
    InitCustomFunctions(spectral);
    BuildSpectralAxis(spectral);
    spectral.ReferenceFileName = kReferenceTextFile;
    try {
        LoadCurrentReference(spectral, App.Data.ProgramDir, App.Messages);
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
    }
}

void TMainForm::LoadReferenceTable()
{
    try {
        lumera::LoadReferenceTable(App.Spectral, App.Data.ProgramDir);
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
    }
}

NdviSettings TMainForm::ReadNdviSettings() const
{
    NdviSettings s;
    s.RedFirst = RedbSpin1->value();
    s.RedLast = RedbSpin2->value();
    s.NirFirst = NirbSpin1->value();
    s.NirLast = NirbSpin2->value();
    s.Absolute = NDVIAbsolutCheck->isChecked();
    s.P1 = NdviP1Spin->value();
    s.P2 = NdviP2Spin->value();
    return s;
}

NeedleSettings TMainForm::ReadNeedleSettings() const
{
    NeedleSettings s;
    s.Weight = Vaha2Combo->currentIndex();
    s.Normalise = Normalizace2Check->isChecked();
    s.Divisor = Normalizace2Combo->currentIndex() == 0 ? NeedleDivisor::Integral : NeedleDivisor::CounterWeight;
    s.CounterWeight = Protivaha2Combo->currentIndex();
    s.Absolute = Jehlice2AbsolutCheck->isChecked();
    s.P1 = MinP2Spin->value();
    s.P2 = MaxP2Spin->value();
    return s;
}

MaskSettings TMainForm::ReadMaskSettings() const
{
    MaskSettings s;
    s.Ndvi = ReadNdviSettings();
    s.Needle = ReadNeedleSettings();
    s.IndexShare = IndexSpin->value();
    s.SpectraShare = SpektraSpin->value();
    const int brightness = AplikovatCombo->currentIndex();
    s.Brightness = brightness == 1   ? MaskBrightness::Bands1To65
                   : brightness == 2 ? MaskBrightness::Band19
                                     : MaskBrightness::Bands1To35;
    return s;
}

bool TMainForm::ReportStop(const AnalysisResult& result)
{
    if (!result.Ran()) App.Messages.Information(result.Stopped);
    return !result.Ran();
}

void TMainForm::ShowFigures(const QString& heading, const AnalysisFigures& figures)
{
    const char separator = UserDecimalSeparator();
    auto text = [separator](double v) { return QString::fromStdString(FormatNumber(v, separator)); };
    VyslNadpisLabel->setText(heading);
    VyslMinLabel->setText(text(figures.Min));
    VyslMaxLabel->setText(text(figures.Max));
    VyslDmezLabel->setText(text(figures.Lower));
    VyslHmezLabel->setText(text(figures.Upper));
}

namespace {

const QString kNdviHeading = QStringLiteral("Výsledky analýzy vegetačního indexu:");
const QString kNeedleHeading = QStringLiteral("Výsledky analýzy srovnáním spekter:");

}  // namespace

void TMainForm::NDVIBtnClick()
{
    if (!CutoutLoaded()) return;
    AnalysisResult result = RunNdvi(App.Data.Cube, ReadNdviSettings());
    if (ReportStop(result)) return;
    ShowFigures(kNdviHeading, result.Figures);
    BandMapImage->SetPicture(std::move(result.Picture));
}

void TMainForm::Jehlice2BtnClick()
{
    if (!CutoutLoaded()) return;
    AnalysisResult result = RunNeedle(App.Data.Cube, App.Spectral, ReadNeedleSettings());
    if (ReportStop(result)) return;
    ShowFigures(kNeedleHeading, result.Figures);
    BandMapImage->SetPicture(std::move(result.Picture));
}

void TMainForm::MaskaBtnClick()
{
    if (!CutoutLoaded()) return;
    const MaskResult result = RunMask(App.Data.Cube, App.Spectral, ReadMaskSettings(), BandMapImage->Picture());
    if (!result.Stopped.empty()) {
        App.Messages.Information(result.Stopped);
        return;
    }
    if (!ReportStop(result.Ndvi)) ShowFigures(kNdviHeading, result.Ndvi.Figures);
    if (!ReportStop(result.Needle)) ShowFigures(kNeedleHeading, result.Needle.Figures);
    BandMapImage->Repaint();
}

void TMainForm::NDVIAbsolutCheckMouseUp()
{
    ApplyMode(NDVIAbsolutCheck->isChecked() ? kNdviAbsoluteMode : kNdviPercentMode, Label28, Label29, NdviP1Spin,
              NdviP2Spin);
}

void TMainForm::Jehlice2AbsolutCheckMouseUp()
{
    ApplyMode(Jehlice2AbsolutCheck->isChecked() ? kNeedleAbsoluteMode : kNeedlePercentMode, Label32, Label33,
              MinP2Spin, MaxP2Spin);
}

// Both buttons open the weight-function editor on the custom function they
// stand for, with the table showing it and the picture cleared.
void TMainForm::OpenWeightEditor(WeightEditorMode mode)
{
    TVahFceForm& editor = *App.VahFceForm;
    editor.SetMode(mode);
    editor.ResetAktClick();
    editor.EraseBtnClick();
    editor.ShowWindow();
}

void TMainForm::Vaha2BtnClick() { OpenWeightEditor(WeightEditorMode::Weight); }
void TMainForm::Protivaha2BtnClick() { OpenWeightEditor(WeightEditorMode::CounterWeight); }

// The analysis panels share the left part of the window with the band list.
void TMainForm::HideBandInfo()
{
    OBandechPanel->hide();
    Obandech1->setChecked(false);
}

// The menu items below have already inverted their own check mark; the panel
// is inverted on its own, so the two can disagree after the masking.
void TMainForm::TogglePanel(QFrame* panel)
{
    panel->setVisible(panel->isHidden());
    HideBandInfo();
}

void TMainForm::NDVI1Click() { TogglePanel(NDVIPanel); }
void TMainForm::Jehlice21Click() { TogglePanel(JehlicePanel2); }
void TMainForm::Vsledkyanalzy1Click() { TogglePanel(VysledkyPanel); }

void TMainForm::Odmaskov8n1Click()
{
    const bool on = Odmaskov8n1->isChecked();
    NDVIPanel->setVisible(on);
    JehlicePanel2->setVisible(on);
    for (QWidget* control : MaskingControls()) control->setVisible(on);
    if (!on) return;
    App.Messages.Information("Zvolte parametry analýzy vegetačního indexu a analýzy shodnosti spekter, pak stiskněte "
                             "tlačítko Odmaskovat.");
    HideBandInfo();
}

void TMainForm::IndexSpinChange() { SpektraSpin->setValue(100 - IndexSpin->value()); }
void TMainForm::SpektraSpinChange() { IndexSpin->setValue(100 - SpektraSpin->value()); }

}  // namespace lumera::gui
