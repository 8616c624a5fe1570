// Building the main window's controls and menu.
#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "main_form.h"
#include "picture_slot.h"
#include "picture_view.h"
#include "widget_factory.h"

namespace lumera::gui {

namespace {

// Large enough to show a whole 400 x 400 cut-out at its natural size.
QScrollArea* MakeScrollBox(const QString& name, PictureView* picture)
{
    return new PictureScrollBox(name, picture, {452, 452});
}

QFrame* MakeHiddenPanel(const QString& name)
{
    auto* panel = MakePanel(name);
    panel->setLayout(new QVBoxLayout);
    panel->hide();
    return panel;
}

}  // namespace

void TMainForm::CreateControls()
{
    SpektrumImage = new PictureView("SpektrumImage");
    Button3 = MakeButton("Button3", "Smazat");
    TrueColorBtn = MakeButton("TrueColorBtn", "TrueColor");
    CreateValuePanel();
    VzorImage = new PictureView("VzorImage");
    VzorScrollBox = MakeScrollBox("VzorScrollBox", VzorImage);
    BandMapImage = new PictureView("BandMapImage");
    BandMapScrollBox = MakeScrollBox("BandMapScrollBox", BandMapImage);
    SouborLabel = MakeLabel("SouborLabel", "");
    Label17 = MakeLabel("Label17", "Detail:");
    DetailLabel = MakeLabel("DetailLabel", "N/A");
    DetailImage = new PictureView("DetailImage");
    SavePictureCheck = Named(new QCheckBox(QStringLiteral("horní")), "SavePictureCheck");
    SavePictureBtn = MakeButton("SavePictureBtn", QStringLiteral("Uložit jako obrázek"));
    CreateSidePanels();
    LayOutControls();
    ConnectViews();
}

// The pixel under study: its position, band and value, and its spectrum listed.
void TMainForm::CreateValuePanel()
{
    ValuePanel = MakePanel("ValuePanel");
    ValuePanel->setFixedWidth(233);
    Label1 = MakeLabel("Label1", QStringLiteral("číslo sloupce (1-400)"));
    XSpin = MakeSpin("XSpin", 1, 400, 1);
    Label2 = MakeLabel("Label2", QStringLiteral("číslo řádku (1-400)"));
    YSpin = MakeSpin("YSpin", 1, 400, 1);
    Label3 = MakeLabel("Label3", QStringLiteral("číslo bandu (1-65)"));
    BandSpin = MakeSpin("BandSpin", 1, 65, 19);
    Label4 = MakeLabel("Label4", QStringLiteral("Naměřená hodnota:"));
    ValueLabel = MakeLabel("ValueLabel", "Hodnota");
    QFont bold = ValueLabel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    ValueLabel->setFont(bold);
    SpektrumBtn = MakeButton("SpektrumBtn", "Spektrum pozice");
    BandMapBtn = MakeButton("BandMapBtn", "Mapa bandu");
    SpektrumMemo = MakeMemo("SpektrumMemo", 201, 137);
    auto* values = new QGridLayout(ValuePanel);
    values->setContentsMargins(6, 6, 6, 6);  // the panel's fixed width holds the memo and both buttons
    values->addWidget(Label1, 0, 0);
    values->addWidget(XSpin, 0, 1);
    values->addWidget(Label2, 1, 0);
    values->addWidget(YSpin, 1, 1);
    values->addWidget(Label3, 2, 0);
    values->addWidget(BandSpin, 2, 1);
    values->addWidget(Label4, 3, 0, 1, 2);
    values->addWidget(ValueLabel, 4, 0, 1, 2);
    values->addWidget(SpektrumBtn, 5, 0);
    values->addWidget(BandMapBtn, 5, 1);
    values->addWidget(SpektrumMemo, 6, 0, 1, 2);
}

// The panels under the spectrum plot that the menu shows and hides.
void TMainForm::CreateSidePanels()
{
    OBandechPanel = MakePanel("OBandechPanel");
    Label14 = MakeLabel("Label14", "Informace o bandech");
    Memo1 = MakeMemo("Memo1", 240, 515);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* bandInfo = new QVBoxLayout(OBandechPanel);
    bandInfo->addWidget(Label14);
    bandInfo->addWidget(Memo1);
    OBandechPanel->hide();
    NDVIPanel = MakeHiddenPanel("NDVIPanel");
    JehlicePanel2 = MakeHiddenPanel("JehlicePanel2");
    VysledkyPanel = MakeHiddenPanel("VysledkyPanel");
    CreateSpectralPanels();
}

// Left: the spectrum plot over the panels; middle: the pixel controls and
// the detail; right: the two pictures.
void TMainForm::LayOutControls()
{
    auto* plotButtons = new QHBoxLayout;
    plotButtons->addWidget(Button3);
    plotButtons->addWidget(TrueColorBtn);
    plotButtons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(SpektrumImage);
    left->addLayout(plotButtons);
    left->addWidget(OBandechPanel);
    left->addWidget(NDVIPanel);
    left->addWidget(JehlicePanel2);
    left->addWidget(VysledkyPanel);
    left->addStretch();

    auto* detailHeader = new QHBoxLayout;
    detailHeader->addWidget(Label17);
    detailHeader->addWidget(DetailLabel);
    detailHeader->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(ValuePanel);
    middle->addLayout(detailHeader);
    middle->addWidget(DetailImage);
    middle->addWidget(SavePictureCheck);
    middle->addWidget(SavePictureBtn);
    middle->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(VzorScrollBox);
    right->addWidget(SouborLabel);
    right->addWidget(BandMapScrollBox);
    right->addStretch();

    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right, 1);
    // On a screen too low for the controls the pictures' display shrinks
    // first; rather than squeezing any control, the window then scrolls.
    auto* scroller = new QScrollArea;
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(central);
    setCentralWidget(scroller);
    // The line at the window's foot names the files saved.
    Named(statusBar(), "StatusLine");
}

// The views of the loaded cut-out.
void TMainForm::ConnectViews()
{
    connect(TrueColorBtn, &QPushButton::clicked, this, &TMainForm::TrueColorBtnClick);
    for (QSpinBox* spin : {XSpin, YSpin, BandSpin})
        connect(spin, &QSpinBox::valueChanged, this, &TMainForm::XSpinChange);
    connect(SpektrumBtn, &QPushButton::clicked, this, &TMainForm::SpektrumBtnClick);
    connect(Button3, &QPushButton::clicked, this, &TMainForm::Button3Click);
    connect(BandMapBtn, &QPushButton::clicked, this, &TMainForm::BandMapBtnClick);
    connect(BandMapImage, &PictureView::MouseDown, this, &TMainForm::BandMapImageMouseDown);
    connect(VzorImage, &PictureView::MouseDown, this, &TMainForm::VzorImageMouseDown);
    connect(DetailImage, &PictureView::MouseDown, this, &TMainForm::DetailImageMouseDown);
    connect(SavePictureBtn, &QPushButton::clicked, this, &TMainForm::SavePictureBtnClick);
}

void TMainForm::CreateMenu()
{
    MainMenu1 = Named(menuBar(), "MainMenu1");
    auto menu = [this](const QString& name, const QString& title) {
        return Named(MainMenu1->addMenu(title), name);
    };
    auto item = [this](QMenu* parent, const QString& name, const QString& text, void (TMainForm::*slot)()) {
        auto* action = Named(parent->addAction(text), name);
        if (slot) connect(action, &QAction::triggered, this, slot);
        return action;
    };
    Data1 = menu("Data1", "Data");
    Nahrvn1 = item(Data1, "Nahrvn1", QStringLiteral("Nahrávání"), &TMainForm::Nahrvn1Click);
    Importsnmku1 = item(Data1, "Importsnmku1", QStringLiteral("Import snímku…"), &TMainForm::Importsnmku1Click);
    Informace1 = menu("Informace1", "Informace");
    Obandech1 = item(Informace1, "Obandech1", "O bandech", &TMainForm::Obandech1Click);
    Obandech1->setCheckable(true);
    Analza1 = menu("Analza1", QStringLiteral("Příprava"));
    NDVI1 = item(Analza1, "NDVI1", "NDVI", nullptr);
    Jehlice21 = item(Analza1, "Jehlice21", "Jehlice", nullptr);
    Odmaskov8n1 = item(Analza1, "Odmaskov8n1", QStringLiteral("Odmaskování"), nullptr);
    Vsledkyanalzy1 = item(Analza1, "Vsledkyanalzy1", QStringLiteral("Výsledky analýzy"), nullptr);
    ConnectSpectralMenu();
    Adaptivnekvalizace1 = item(Analza1, "Adaptivnekvalizace1", QStringLiteral("Adaptivní ekvalizace"),
                               &TMainForm::Adaptivnekvalizace1Click);
    Anal1 = menu("Anal1", QStringLiteral("Analýza"));
    Loklnextrmy1 = item(Anal1, "Loklnextrmy1", QStringLiteral("Vyhledání lokálních extrémů"),
                        &TMainForm::Loklnextrmy1Click);
    Zpracovnloklnchextrm1 = item(Anal1, "Zpracovnloklnchextrm1", QStringLiteral("Zpracování lokálních extrémů"),
                                 &TMainForm::Zpracovnloklnchextrm1Click);
    Automatickvymezenkorun1 = item(Anal1, "Automatickvymezenkorun1", QStringLiteral("Automatické vymezení korun"),
                                   &TMainForm::Automatickvymezenkorun1Click);
    Upravykorun1 = item(Anal1, "Upravykorun1", QStringLiteral("Úpravy korun"), &TMainForm::Upravykorun1Click);
    Vsledky1 = menu("Vsledky1", QStringLiteral("Výsledky"));
    Srovnvn1 = item(Vsledky1, "Srovnvn1", QStringLiteral("Srovnávání"), &TMainForm::Srovnvn1Click);
}

}  // namespace lumera::gui
