#include "extr_form2.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "picture_slot.h"
#include "picture_view.h"
#include "radio_group.h"
#include "widget_factory.h"

namespace lumera::gui {

namespace {

constexpr int kPictureSide = 400;      // the working pictures at creation
constexpr int kPanelSide = 504;        // a 500 x 500 view inside its frames
constexpr int kScrollBoxSide = 502;

QVBoxLayout* Section(QLabel* heading, std::initializer_list<QWidget*> controls)
{
    auto* section = new QVBoxLayout;
    section->addWidget(heading);
    for (QWidget* control : controls) section->addWidget(control);
    return section;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> controls)
{
    auto* row = new QHBoxLayout;
    for (QWidget* control : controls) row->addWidget(control);
    return row;
}

}  // namespace

TExtrForm2::TExtrForm2(Workbench& workbench)
    : ToolWindow(workbench, "ExtrForm2", QStringLiteral("Zpracování lokálních extrémů")), Filter(workbench, this)
{
    CreateControls();
    ConnectControls();
    LayOut();
    setWindowState(Qt::WindowMaximized);
}

void TExtrForm2::CreateControls()
{
    CreateExtremaControls();
    CreateCrownControls();
    CreatePictureControls();
    for (QPushButton* button : {SaveMaxBtn, ShowMaxBtn, SaveMinBtn, ShowMinBtn, VoroPocitatBtn, VoroPlochyBtn,
                                VoroHraniceBtn, VoroHrShowBtn, FiltrovatBtn, FiltrShowBtn, SousediBtn, SmeryBtn,
                                PresunyBtn, Voro2ShowBtn, PropojitBtn})
        button->setEnabled(false);
}

void TExtrForm2::CreateExtremaControls()
{
    Label1 = MakeHeading("Label1", QStringLiteral("Lokální maxima"));
    LoadMaxBtn = MakeButton("LoadMaxBtn", QStringLiteral("Nahrát"));
    SaveMaxBtn = MakeButton("SaveMaxBtn", QStringLiteral("Uložit"));
    ShowMaxBtn = MakeButton("ShowMaxBtn", QStringLiteral("Zobrazit"));
    Label2 = MakeHeading("Label2", QStringLiteral("Minimová síť"));
    LoadMinBtn = MakeButton("LoadMinBtn", QStringLiteral("Nahrát"));
    SaveMinBtn = MakeButton("SaveMinBtn", QStringLiteral("Uložit"));
    ShowMinBtn = MakeButton("ShowMinBtn", QStringLiteral("Zobrazit"));
    ShowKam = new RadioGroup("ShowKam", QStringLiteral("Zobrazit kam?"), {"vstup", "zpracovane"}, 0);
    Label3 = MakeHeading("Label3", QStringLiteral("Podkladový obraz"));
    PodkladCesta = Named(new QLineEdit(QStringLiteral("<cesta>")), "PodkladCesta");
    LoadPodkladBtn = MakeButton("LoadPodkladBtn", QStringLiteral("Nahrát"));
    ShowPodkladBtn = MakeButton("ShowPodkladBtn", QStringLiteral("Zobrazit"));
}

void TExtrForm2::CreateCrownControls()
{
    Label4 = MakeHeading("Label4", QStringLiteral("Voronoiova mozaika"));
    VoroPocitatBtn = MakeButton("VoroPocitatBtn", QStringLiteral("Napočítat"));
    VoroPlochyBtn = MakeButton("VoroPlochyBtn", QStringLiteral("Zobrazit plochy"));
    VoroHraniceBtn = MakeButton("VoroHraniceBtn", QStringLiteral("Hranice"));
    VoroHrShowBtn = MakeButton("VoroHrShowBtn", QStringLiteral("Zobrazit hranice"));
    Label5 = MakeHeading("Label5", QStringLiteral("Voronoiova síť"));
    SousediBtn = MakeButton("SousediBtn", QStringLiteral("Sousedi"));
    SmeryBtn = MakeButton("SmeryBtn", QStringLiteral("Směry"));
    PresunyBtn = MakeButton("PresunyBtn", QStringLiteral("Přesuny"));
    PropojitBtn = MakeButton("PropojitBtn", QStringLiteral("Propojit"));
    Voro2ShowBtn = MakeButton("Voro2ShowBtn", QStringLiteral("Zobrazit"));
    Label6 = MakeHeading("Label6", QStringLiteral("Iterativně"));
    HraniceObrazBtn = MakeButton("HraniceObrazBtn", QStringLiteral("Hranice z obrazu"));
    Label7 = MakeLabel("Label7", QStringLiteral("Počet přesunů:"));
    MaxPresunuSpin = MakeSpin("MaxPresunuSpin", 1, 9, 3);
    PresunyIterBtn = MakeButton("PresunyIterBtn", QStringLiteral("Iterativní přesuny"));
    Label8 = MakeHeading("Label8", QStringLiteral("Jednotlivé stromy"));
    Label9 = MakeLabel("Label9", QStringLiteral("práh"));
    prahSpin = MakeSpin("prahSpin", 0, 255, 70);
    StromyGoBtn = MakeButton("StromyGoBtn", QStringLiteral("Počítat"));
    StromyShowBtn = MakeButton("StromyShowBtn", QStringLiteral("Zobrazit"));
    SaveDataBtn = MakeButton("SaveDataBtn", QStringLiteral("Uložit matici"));
    Label11 = MakeHeading("Label11", QStringLiteral("Filtr"));
    Filter.Label10->hide();  // the section's own heading names the filter here
    FiltrovatBtn = MakeButton("FiltrovatBtn", QStringLiteral("Filtrovaný obraz"));
    FiltrShowBtn = MakeButton("FiltrShowBtn", QStringLiteral("Zobrazit"));
}

void TExtrForm2::CreatePictureControls()
{
    MakePictureSlot("Vstup", kPanelSide, kScrollBoxSide, VstupPanel, VstupScrollBox, VstupImage);
    MakePictureSlot("Zpracovane", kPanelSide, kScrollBoxSide, ZpracovanePanel, ZpracovaneScrollBox, ZpracovaneImage);
    VstupImage->SetPictureSize(kPictureSide, kPictureSide);
    ZpracovaneImage->SetPictureSize(kPictureSide, kPictureSide);
    VsZprBtn = MakeButton("VsZprBtn", "-->");
    ZprVsBtn = MakeButton("ZprVsBtn", "<--");
    doRplusLBtn = MakeButton("doRplusLBtn", "+->");
    doLplusRBtn = MakeButton("doLplusRBtn", "<-+");
    bilyBtn = MakeButton("bilyBtn", "bily");
    cernyBtn = MakeButton("cernyBtn", "cerny");
    for (QPushButton* narrow : {VsZprBtn, ZprVsBtn, doRplusLBtn, doLplusRBtn, bilyBtn, cernyBtn})
        narrow->setFixedWidth(40);
    Label17 = MakeLabel("Label17", "Detail:");
    DetailLabel = MakeLabel("DetailLabel", "N/A");
    DetailImage1 = MakeDetailImage("DetailImage1");
    DetailImage2 = MakeDetailImage("DetailImage2");
    SavePictureRadio = new RadioGroup("SavePictureRadio", QStringLiteral("Uložit obrázek"),
                                      {QStringLiteral("levý"), QStringLiteral("pravý")}, 1);
    SavePictureBtn = MakeButton("SavePictureBtn", QStringLiteral("Uložit"));
}

void TExtrForm2::Click(QPushButton* button, void (TExtrForm2::*slot)())
{
    connect(button, &QPushButton::clicked, this, slot);
}

void TExtrForm2::ConnectControls()
{
    Click(LoadMaxBtn, &TExtrForm2::LoadMaxBtnClick);
    Click(SaveMaxBtn, &TExtrForm2::SaveMaxBtnClick);
    Click(ShowMaxBtn, &TExtrForm2::ShowMaxBtnClick);
    Click(LoadMinBtn, &TExtrForm2::LoadMinBtnClick);
    Click(SaveMinBtn, &TExtrForm2::SaveMinBtnClick);
    Click(ShowMinBtn, &TExtrForm2::ShowMinBtnClick);
    Click(LoadPodkladBtn, &TExtrForm2::LoadPodkladBtnClick);
    Click(ShowPodkladBtn, &TExtrForm2::ShowPodkladBtnClick);
    Click(VsZprBtn, &TExtrForm2::VsZprBtnClick);
    Click(ZprVsBtn, &TExtrForm2::ZprVsBtnClick);
    Click(doRplusLBtn, &TExtrForm2::doRplusLBtnClick);
    Click(doLplusRBtn, &TExtrForm2::doLplusRBtnClick);
    Click(bilyBtn, &TExtrForm2::bilyBtnClick);
    Click(cernyBtn, &TExtrForm2::cernyBtnClick);
    Click(SavePictureBtn, &TExtrForm2::SavePictureBtnClick);
    connect(VstupImage, &PictureView::MouseDown, this, &TExtrForm2::VstupImageMouseDown);
    connect(ZpracovaneImage, &PictureView::MouseDown, this, &TExtrForm2::ZpracovaneImageMouseDown);
    ConnectCrownControls();
}

// Two control columns over the filter on the left, then the left picture, the
// narrow tool buttons and the right picture, with the details and the save
// group under them. A smaller screen shrinks the pictures' display first, then
// scrolls the window rather than squeezing any control.
void TExtrForm2::LayOut()
{
    auto* columns = new QHBoxLayout;
    columns->addLayout(ControlColumns());
    columns->addLayout(PictureArea());
    columns->addStretch();
    SetContent(columns);
    resize(sizeHint());
}

QLayout* TExtrForm2::ControlColumns()
{
    auto* maxima = new QHBoxLayout;
    maxima->addLayout(Section(Label1, {LoadMaxBtn, SaveMaxBtn, ShowMaxBtn}));
    maxima->addWidget(ShowKam, 0, Qt::AlignTop);
    auto* first = new QVBoxLayout;
    first->addLayout(maxima);
    first->addLayout(Section(Label2, {LoadMinBtn, SaveMinBtn, ShowMinBtn}));
    first->addLayout(Section(Label3, {PodkladCesta, LoadPodkladBtn, ShowPodkladBtn}));
    first->addLayout(Section(Label4, {VoroPocitatBtn, VoroPlochyBtn, VoroHraniceBtn, VoroHrShowBtn}));
    first->addStretch();

    QVBoxLayout* network = Section(Label5, {SousediBtn, SmeryBtn});
    network->addLayout(Row({PresunyBtn, PropojitBtn}));
    network->addWidget(Voro2ShowBtn);
    QVBoxLayout* iterative = Section(Label6, {HraniceObrazBtn});
    iterative->addLayout(Row({Label7, MaxPresunuSpin}));
    iterative->addWidget(PresunyIterBtn);
    auto* trees = new QVBoxLayout;
    trees->addWidget(Label8);
    trees->addLayout(Row({Label9, prahSpin}));
    for (QWidget* button : {StromyGoBtn, StromyShowBtn, SaveDataBtn}) trees->addWidget(button);
    QVBoxLayout* filter = Section(Label11, {});
    filter->addLayout(Row({FiltrovatBtn, FiltrShowBtn}));
    filter->addWidget(Filter.FiltrPanel);
    auto* second = new QVBoxLayout;
    for (QLayout* section : {network, iterative, trees}) second->addLayout(section);
    second->addStretch();

    // The filter, widest of the sections, runs under both columns.
    auto* both = new QHBoxLayout;
    both->addLayout(first);
    both->addLayout(second);
    auto* controls = new QVBoxLayout;
    controls->addLayout(both);
    controls->addLayout(filter);
    controls->addStretch();
    return controls;
}

QLayout* TExtrForm2::PictureArea()
{
    auto* tools = new QVBoxLayout;
    for (QWidget* narrow : {VsZprBtn, ZprVsBtn, doRplusLBtn, doLplusRBtn, bilyBtn, cernyBtn}) tools->addWidget(narrow);
    tools->addStretch();
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(VstupPanel);
    pictures->addLayout(tools);
    pictures->addWidget(ZpracovanePanel);

    // The details run on under the right picture when the pictures are
    // narrower than the two of them.
    QHBoxLayout* detailHeader = Row({Label17, DetailLabel});
    detailHeader->addStretch();
    auto* details = new QVBoxLayout;
    details->addLayout(detailHeader);
    details->addLayout(Row({DetailImage1, DetailImage2}));
    details->addStretch();
    auto* save = new QVBoxLayout;
    save->addWidget(SavePictureRadio);
    save->addWidget(SavePictureBtn);
    save->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(details);
    bottom->addStretch();
    bottom->addLayout(save);

    auto* area = new QVBoxLayout;
    area->addLayout(pictures);
    area->addLayout(bottom);
    area->addStretch();
    return area;
}

}  // namespace lumera::gui
