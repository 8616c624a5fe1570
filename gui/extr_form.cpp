#include "extr_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "extrema/filter_matrix.h"
#include "filter_panel.h"
#include "imaging/detail.h"
#include "picture_slot.h"
#include "picture_view.h"
#include "radio_group.h"
#include "analysis_panel_modes.h"
#include "widget_factory.h"

namespace lumera::gui {

namespace {

constexpr int kPanelSide = 504;  // a 500 x 500 view inside its frames
constexpr int kScrollBoxSide = 502;
constexpr int kProcessedSide = 500;

QSpinBox* MakeLimitedSpin(const QString& name, int maximum, int value, int maxLength)
{
    QSpinBox* spin = MakeSpin(name, 1, maximum, value);
    SetMaxLength(spin, maxLength);
    return spin;
}

// A heading, the three requirements with their labels, and the buttons in a row.
QVBoxLayout* SearchSection(QLabel* heading, std::initializer_list<std::pair<QLabel*, QSpinBox*>> settings,
                           std::initializer_list<QPushButton*> buttons)
{
    auto* section = new QVBoxLayout;
    section->addWidget(heading);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const auto& [label, spin] : settings) {
        grid->addWidget(label, row, 0);
        grid->addWidget(spin, row++, 1);
    }
    grid->setColumnStretch(2, 1);
    section->addLayout(grid);
    auto* buttonRow = new QHBoxLayout;
    for (QPushButton* button : buttons) buttonRow->addWidget(button);
    section->addLayout(buttonRow);
    return section;
}

}  // namespace

TExtrForm::TExtrForm(Workbench& workbench)
    : ToolWindow(workbench, "ExtrForm", QStringLiteral("Vyhledání lokálních extrémů"))
{
    CreateControls();
    ConnectControls();
    LayOut();
    FormCreate();
    resize(sizeHint());
    setWindowState(Qt::WindowMaximized);
}

TExtrForm::~TExtrForm() = default;

void TExtrForm::CreateControls()
{
    CreateSearchControls();
    FiltrCheck = Named(new QCheckBox(QStringLiteral("Použít filtr")), "FiltrCheck");
    FiltrCheck->setChecked(true);
    Filtr = std::make_unique<FilterPanel>(App, this);

    MakePictureSlot("Vstup", kPanelSide, kScrollBoxSide, VstupPanel, VstupScrollBox, VstupImage);
    MakePictureSlot("Zpracovane", kPanelSide, kScrollBoxSide, ZpracovanePanel, ZpracovaneScrollBox, ZpracovaneImage);
    PodkladBtn = MakeButton("PodkladBtn", QStringLiteral("Nahrát podklad"));
    PodkladBtn->setProperty("Tag", 0);  // the source-loaded flag
    SavePictureBtn = MakeButton("SavePictureBtn", QStringLiteral("Uložit obraz"));
    Label17 = MakeLabel("Label17", "Detail:");
    DetailLabel = MakeLabel("DetailLabel", "N/A");
    DetailImage1 = MakeDetailImage("DetailImage1");
    DetailImage2 = MakeDetailImage("DetailImage2");
}

void TExtrForm::CreateSearchControls()
{
    VypocetPodle = new RadioGroup("VypocetPodle", QStringLiteral("Výpočet podle"),
                                  {QStringLiteral("datového souboru"), QStringLiteral("zdrojového obrazu")}, 1);
    VypocetPodle2 = new RadioGroup("VypocetPodle2", QStringLiteral("Výpočet podle"),
                                   {QStringLiteral("čtyř směrů"), QStringLiteral("celého okolí")}, 0);
    VypocetPodle3 = new RadioGroup("VypocetPodle3", QStringLiteral("Rovnost se"),
                                   {QStringLiteral("připouští"), QStringLiteral("nepřipouští")}, 1);
    VypocetPodle4 = new RadioGroup("VypocetPodle4", QStringLiteral("Velikost okolí"), {"3x3", "5x5"}, 1);
    ZdrojBtn = MakeButton("ZdrojBtn", QStringLiteral("Zdrojový obraz"));

    const QString directions = QStringLiteral("Požadovaný počet směrů:");
    const QString smaller = QStringLiteral("Požadovaný počet menších v okolí:");
    const QString bands = QStringLiteral("Požadovaný počet platných bandů:");
    Label2 = MakeHeading("Label2", QStringLiteral("Lokální maxima"));
    Label5 = MakeLabel("Label5", directions);
    KolikSmeru = MakeLimitedSpin("KolikSmeru", 4, 4, 1);
    Label6 = MakeLabel("Label6", smaller);
    KolikMensich = MakeLimitedSpin("KolikMensich", 24, 7, 1);
    Label7 = MakeLabel("Label7", bands);
    KolikBandu = MakeLimitedSpin("KolikBandu", 65, 60, 2);
    LokalMaxBtn = MakeButton("LokalMaxBtn", "Vyhledat");
    SaveMaxBtn = MakeButton("SaveMaxBtn", QStringLiteral("Uložit"));
    LoadMaxBtn = MakeButton("LoadMaxBtn", QStringLiteral("Nahrát"));
    ShowMaxBtn = MakeButton("ShowMaxBtn", "Zobrazit");

    Label4 = MakeHeading("Label4", QStringLiteral("Minimová síť"));
    Label8 = MakeLabel("Label8", directions);
    KolikSmeru2 = MakeLimitedSpin("KolikSmeru2", 4, 1, 1);
    Label9 = MakeLabel("Label9", smaller);
    KolikMensich2 = MakeLimitedSpin("KolikMensich2", 24, 4, 1);
    Label11 = MakeLabel("Label11", bands);
    KolikBandu2 = MakeLimitedSpin("KolikBandu2", 65, 60, 2);
    LokalMinBtn = MakeButton("LokalMinBtn", "Vyhledat");
    SaveMinBtn = MakeButton("SaveMinBtn", QStringLiteral("Uložit"));
    LoadMinBtn = MakeButton("LoadMinBtn", QStringLiteral("Nahrát"));
    ShowMinBtn = MakeButton("ShowMinBtn", "Zobrazit");
    for (QPushButton* button : {SaveMaxBtn, ShowMaxBtn, SaveMinBtn, ShowMinBtn}) button->setEnabled(false);
}

void TExtrForm::ConnectControls()
{
    const auto click = [this](QPushButton* button, void (TExtrForm::*slot)()) {
        connect(button, &QPushButton::clicked, this, slot);
    };
    click(ZdrojBtn, &TExtrForm::ZdrojBtnClick);
    click(PodkladBtn, &TExtrForm::PodkladBtnClick);
    click(SavePictureBtn, &TExtrForm::SavePictureBtnClick);
    click(LokalMaxBtn, &TExtrForm::LokalMaxBtnClick);
    click(SaveMaxBtn, &TExtrForm::SaveMaxBtnClick);
    click(LoadMaxBtn, &TExtrForm::LoadMaxBtnClick);
    click(ShowMaxBtn, &TExtrForm::ShowMaxBtnClick);
    click(LokalMinBtn, &TExtrForm::LokalMinBtnClick);
    click(SaveMinBtn, &TExtrForm::SaveMinBtnClick);
    click(LoadMinBtn, &TExtrForm::LoadMinBtnClick);
    click(ShowMinBtn, &TExtrForm::ShowMinBtnClick);
    click(Filtr->HranaBtn, &TExtrForm::HranaBtnClick);
    click(Filtr->NormBtn, &TExtrForm::NormBtnClick);
    click(Filtr->GaussBtn, &TExtrForm::GaussBtnClick);
    click(Filtr->FiltrLoadBtn, &TExtrForm::FiltrLoadBtnClick);
    click(Filtr->FiltrSaveBtn, &TExtrForm::FiltrSaveBtnClick);
    // Only the processed picture magnifies on a press.
    connect(ZpracovaneImage, &PictureView::MouseDown, this, &TExtrForm::ZpracovaneImageMouseDown);
}

// Left: the options, the source button, the two searches and the filter;
// right: the two pictures side by side with the picture buttons under the
// processed one, and the details at the bottom.
void TExtrForm::LayOut()
{
    auto* options = new QGridLayout;
    options->addWidget(VypocetPodle, 0, 0);
    options->addWidget(VypocetPodle2, 0, 1);
    options->addWidget(VypocetPodle3, 1, 0);
    options->addWidget(VypocetPodle4, 1, 1);

    // The check box over the panel rather than beside it: the grid's cells
    // take the column's width.
    auto* filter = new QVBoxLayout;
    filter->addWidget(FiltrCheck);
    filter->addWidget(Filtr->FiltrPanel);

    auto* left = new QVBoxLayout;
    left->addLayout(options);
    left->addWidget(ZdrojBtn);
    left->addLayout(SearchSection(Label2, {{Label5, KolikSmeru}, {Label6, KolikMensich}, {Label7, KolikBandu}},
                                  {LokalMaxBtn, SaveMaxBtn, LoadMaxBtn, ShowMaxBtn}));
    left->addLayout(SearchSection(Label4, {{Label8, KolikSmeru2}, {Label9, KolikMensich2}, {Label11, KolikBandu2}},
                                  {LokalMinBtn, SaveMinBtn, LoadMinBtn, ShowMinBtn}));
    left->addLayout(filter);
    left->addStretch();

    auto* pictureButtons = new QHBoxLayout;
    pictureButtons->addWidget(PodkladBtn);
    pictureButtons->addWidget(SavePictureBtn);
    pictureButtons->addStretch();
    auto* processed = new QVBoxLayout;
    processed->addWidget(ZpracovanePanel);
    processed->addLayout(pictureButtons);
    auto* source = new QVBoxLayout;
    source->addWidget(VstupPanel);
    source->addStretch();
    auto* pictures = new QHBoxLayout;
    pictures->addLayout(source);
    pictures->addLayout(processed);

    auto* detailHeader = new QHBoxLayout;
    detailHeader->addWidget(Label17);
    detailHeader->addWidget(DetailLabel);
    detailHeader->addStretch();
    auto* detailPictures = new QHBoxLayout;
    detailPictures->addWidget(DetailImage1);
    detailPictures->addWidget(DetailImage2);
    auto* details = new QVBoxLayout;
    details->addLayout(detailHeader);
    details->addLayout(detailPictures);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addLayout(details);
    auto* right = new QVBoxLayout;
    right->addLayout(pictures);
    right->addLayout(bottom);
    right->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    columns->addStretch();
    SetContent(columns);
}

void TExtrForm::FormCreate()
{
    DetailImage1->SetPictureSize(kDetailSide, kDetailSide);
    DetailImage2->SetPictureSize(kDetailSide, kDetailSide);
    ZpracovaneImage->SetPictureSize(kProcessedSide, kProcessedSide);
    ZpracovaneImage->Picture().Fill(255, 255, 255);
    ZpracovaneImage->Repaint();
}

}  // namespace lumera::gui
