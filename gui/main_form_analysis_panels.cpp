// Building the spectral analysis panels of the main window: NDVI, the needle
// analysis with the masking controls, and the results panel.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "main_form.h"
#include "analysis/analysis_state.h"
#include "analysis_panel_modes.h"
#include "widget_factory.h"

namespace lumera::gui {

namespace {

// The selector entries of the needle panel: the reference table's spectra,
// optionally with a prefix, then the custom function.
QStringList SpectrumEntries(const QString& prefix)
{
    QStringList entries;
    for (const char* name : kReferenceNames) entries << prefix + name;
    entries << QStringLiteral("vlastní");
    return entries;
}

QPushButton* MakeBoldButton(const QString& name, const QString& text)
{
    auto* button = MakeButton(name, text);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    return button;
}

QGridLayout* PanelGrid(QFrame* panel)
{
    auto* grid = new QGridLayout;
    static_cast<QVBoxLayout*>(panel->layout())->addLayout(grid);
    return grid;
}

}  // namespace

void TMainForm::CreateSpectralPanels()
{
    CreateNdviPanel();
    CreateNeedlePanel();
    CreateResultsPanel();
    ConnectSpectralPanels();
}

void TMainForm::CreateNdviPanel()
{
    Label22 = MakeLabel("Label22", "Band RED (1-65)");
    Label26 = MakeLabel("Label26", "od");
    RedbSpin1 = MakeSpin("RedbSpin1", 1, 65, 31);
    Label24 = MakeLabel("Label24", "do");
    RedbSpin2 = MakeSpin("RedbSpin2", 1, 65, 33);
    Label25 = MakeLabel("Label25", "Band NIR (1-65)");
    Label23 = MakeLabel("Label23", "od");
    NirbSpin1 = MakeSpin("NirbSpin1", 1, 65, 41);
    Label27 = MakeLabel("Label27", "do");
    NirbSpin2 = MakeSpin("NirbSpin2", 1, 65, 43);
    NDVIAbsolutCheck = Named(new QCheckBox(QStringLiteral("Absolutní hodnoty")), "NDVIAbsolutCheck");
    Label28 = MakeLabel("Label28", "");
    NdviP1Spin = MakeSpin("NdviP1Spin", 0, 99, 0);
    Label29 = MakeLabel("Label29", "");
    NdviP2Spin = MakeSpin("NdviP2Spin", 0, 99, 0);
    ApplyMode(kNdviPercentMode, Label28, Label29, NdviP1Spin, NdviP2Spin);
    NDVIBtn = MakeButton("NDVIBtn", "NDVI");
    auto* ndvi = PanelGrid(NDVIPanel);
    ndvi->addWidget(Label22, 0, 0);
    ndvi->addWidget(Label26, 0, 1);
    ndvi->addWidget(RedbSpin1, 0, 2);
    ndvi->addWidget(Label24, 0, 3);
    ndvi->addWidget(RedbSpin2, 0, 4);
    ndvi->addWidget(Label25, 1, 0);
    ndvi->addWidget(Label23, 1, 1);
    ndvi->addWidget(NirbSpin1, 1, 2);
    ndvi->addWidget(Label27, 1, 3);
    ndvi->addWidget(NirbSpin2, 1, 4);
    ndvi->addWidget(NDVIAbsolutCheck, 2, 0);
    ndvi->addWidget(NDVIBtn, 2, 4);
    ndvi->addWidget(Label28, 3, 0, 1, 4);
    ndvi->addWidget(NdviP1Spin, 3, 4);
    ndvi->addWidget(Label29, 4, 0, 1, 4);
    ndvi->addWidget(NdviP2Spin, 4, 4);
}

// The needle analysis and, below it in the same panel, the masking.
void TMainForm::CreateNeedlePanel()
{
    Jehlice2Btn = MakeBoldButton("Jehlice2Btn", QStringLiteral("Analýza jehlicemi"));
    Label30 = MakeLabel("Label30", QStringLiteral("Váha:"));
    Vaha2Combo = MakeCombo("Vaha2Combo", SpectrumEntries(""), 0);
    Vaha2Btn = MakeButton("Vaha2Btn", QStringLiteral("Vlastní váha"));
    Normalizace2Check = Named(new QCheckBox("Normalizace"), "Normalizace2Check");
    Normalizace2Check->setChecked(true);
    Normalizace2Combo = MakeCombo("Normalizace2Combo",
                                  {QStringLiteral("Jednoduchým integrálem"), QStringLiteral("Protiváhou")}, 1);
    Label31 = MakeLabel("Label31", QStringLiteral("Protiváha:"));
    Protivaha2Combo = MakeCombo("Protivaha2Combo", SpectrumEntries("1-"), 0);
    Protivaha2Btn = MakeButton("Protivaha2Btn", QStringLiteral("Vlastní protiváha"));
    Jehlice2AbsolutCheck = Named(new QCheckBox(QStringLiteral("Absolutní hodnoty")), "Jehlice2AbsolutCheck");
    Label32 = MakeLabel("Label32", "");
    MinP2Spin = MakeSpin("MinP2Spin", 0, 99, 0);
    Label33 = MakeLabel("Label33", "");
    MaxP2Spin = MakeSpin("MaxP2Spin", 0, 99, 0);
    ApplyMode(kNeedlePercentMode, Label32, Label33, MinP2Spin, MaxP2Spin);
    auto* needle = PanelGrid(JehlicePanel2);
    needle->addWidget(Jehlice2Btn, 0, 0, 1, 2);
    needle->addWidget(Label30, 1, 0);
    needle->addWidget(Vaha2Combo, 1, 1);
    needle->addWidget(Vaha2Btn, 1, 2);
    needle->addWidget(Normalizace2Check, 2, 0);
    needle->addWidget(Normalizace2Combo, 2, 1);
    needle->addWidget(Label31, 3, 0);
    needle->addWidget(Protivaha2Combo, 3, 1);
    needle->addWidget(Protivaha2Btn, 3, 2);
    needle->addWidget(Jehlice2AbsolutCheck, 4, 0);
    needle->addWidget(Label32, 5, 0, 1, 2);
    needle->addWidget(MinP2Spin, 5, 2);
    needle->addWidget(Label33, 6, 0, 1, 2);
    needle->addWidget(MaxP2Spin, 6, 2);

    MaskaBtn = MakeBoldButton("MaskaBtn", "Odmaskovat");
    Label34 = MakeLabel("Label34", "Maska podle:");
    Label37 = MakeLabel("Label37", "NDVI");
    Label38 = MakeLabel("Label38", "vs");
    Label41 = MakeLabel("Label41", "Spektra");
    IndexSpin = MakeSpin("IndexSpin", 5, 95, 50);
    SpektraSpin = MakeSpin("SpektraSpin", 5, 95, 50);
    for (QSpinBox* share : {IndexSpin, SpektraSpin}) {
        share->setSingleStep(5);
        SetMaxLength(share, 2);
    }
    Label42 = MakeLabel("Label42", "Aplikovat na:");
    AplikovatCombo = MakeCombo("AplikovatCombo", {"Jas (B1-B35)", "Jas (B1-B65)", "B19"}, 0);
    needle->addWidget(Label34, 7, 0);
    needle->addWidget(Label37, 7, 1);
    needle->addWidget(Label41, 7, 2);
    needle->addWidget(IndexSpin, 8, 1);
    needle->addWidget(Label38, 8, 0, Qt::AlignRight);
    needle->addWidget(SpektraSpin, 8, 2);
    needle->addWidget(Label42, 9, 0);
    needle->addWidget(AplikovatCombo, 9, 1);
    needle->addWidget(MaskaBtn, 9, 2);
    for (QWidget* control : MaskingControls()) control->hide();
}

void TMainForm::CreateResultsPanel()
{
    VyslNadpisLabel = MakeLabel("VyslNadpisLabel", QStringLiteral("Výsledky analýzy:"));
    Label35 = MakeLabel("Label35", QStringLiteral("Minimální hodnota"));
    VyslMinLabel = MakeLabel("VyslMinLabel", "0");
    Label36 = MakeLabel("Label36", QStringLiteral("Maximální hodnota"));
    VyslMaxLabel = MakeLabel("VyslMaxLabel", "1");
    Label39 = MakeLabel("Label39", QStringLiteral("Dolní mez zobrazení"));
    VyslDmezLabel = MakeLabel("VyslDmezLabel", "0");
    Label40 = MakeLabel("Label40", QStringLiteral("Horní mez zobrazení"));
    VyslHmezLabel = MakeLabel("VyslHmezLabel", "1");
    auto* results = PanelGrid(VysledkyPanel);
    results->addWidget(VyslNadpisLabel, 0, 0, 1, 4);
    const QList<QLabel*> captions = {Label35, Label36, Label39, Label40};
    const QList<QLabel*> values = {VyslMinLabel, VyslMaxLabel, VyslDmezLabel, VyslHmezLabel};
    for (int i = 0; i < captions.size(); ++i) {
        results->addWidget(captions[i], 1, i);
        results->addWidget(values[i], 2, i);
    }
}

void TMainForm::ConnectSpectralPanels()
{
    connect(NDVIBtn, &QPushButton::clicked, this, &TMainForm::NDVIBtnClick);
    // clicked comes when the mouse is released over the box, after the state
    // has changed (and for the keyboard too, so the labels always match the box).
    connect(NDVIAbsolutCheck, &QCheckBox::clicked, this, &TMainForm::NDVIAbsolutCheckMouseUp);
    connect(Jehlice2Btn, &QPushButton::clicked, this, &TMainForm::Jehlice2BtnClick);
    connect(Jehlice2AbsolutCheck, &QCheckBox::clicked, this, &TMainForm::Jehlice2AbsolutCheckMouseUp);
    connect(Vaha2Btn, &QPushButton::clicked, this, &TMainForm::Vaha2BtnClick);
    connect(Protivaha2Btn, &QPushButton::clicked, this, &TMainForm::Protivaha2BtnClick);
    connect(MaskaBtn, &QPushButton::clicked, this, &TMainForm::MaskaBtnClick);
    connect(IndexSpin, &QSpinBox::valueChanged, this, &TMainForm::IndexSpinChange);
    connect(SpektraSpin, &QSpinBox::valueChanged, this, &TMainForm::SpektraSpinChange);
}

void TMainForm::ConnectSpectralMenu()
{
    // Checkable items invert their own check mark when chosen, before the
    // handler runs.
    const QList<QPair<QAction*, void (TMainForm::*)()>> items = {{NDVI1, &TMainForm::NDVI1Click},
                                                                {Jehlice21, &TMainForm::Jehlice21Click},
                                                                {Odmaskov8n1, &TMainForm::Odmaskov8n1Click},
                                                                {Vsledkyanalzy1, &TMainForm::Vsledkyanalzy1Click}};
    for (const auto& [action, slot] : items) {
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, slot);
    }
}

QList<QWidget*> TMainForm::MaskingControls() const
{
    return {MaskaBtn, Label42, AplikovatCombo, Label34, Label37, Label38, Label41, IndexSpin, SpektraSpin};
}

}  // namespace lumera::gui
