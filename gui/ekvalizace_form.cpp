#include "ekvalizace_form.h"

#include <filesystem>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "data/program_paths.h"
#include "detail_click.h"
#include "enhance/equalization.h"
#include "file_dialogs.h"
#include "picture_files.h"
#include "picture_slot.h"
#include "picture_view.h"
#include "widget_factory.h"
#include "workbench.h"

namespace lumera::gui {

TEkvalizaceForm::TEkvalizaceForm(Workbench& workbench)
    : ToolWindow(workbench, "EkvalizaceForm", QStringLiteral("Adaptivní ekvalizace"))
{
    resize(952, 656);
    setWindowState(Qt::WindowMaximized);
    CreateControls();
    LayOut();
}

void TEkvalizaceForm::CreateControls()
{
    LoadBtn = MakeButton("LoadBtn", QStringLiteral("Nahrát ze souboru"));
    Label1 = MakeLabel("Label1", QStringLiteral("Vstupní obrázek:"));
    ObrLabel = MakeLabel("ObrLabel", "N/A");
    Label2 = MakeLabel("Label2", "Velikost:");
    VelObrLabel = MakeLabel("VelObrLabel", "N/A");
    MakePictureSlot("Vstup", 504, 502, VstupPanel, VstupScrollBox, VstupImage);
    MakePictureSlot("Zpracovane", 504, 502, ZpracovanePanel, ZpracovaneScrollBox, ZpracovaneImage);
    Label3 = MakeLabel("Label3", QStringLiteral("Hrana plovoucího okna"));
    HranaSpin = MakeSpin("HranaSpin", kMinEqualizationWindow, kMaxEqualizationWindow, kDefaultEqualizationWindow);
    HranaSpin->setSingleStep(2);
    StupidBtn = MakeButton("StupidBtn", "Zpracovat");
    SaveBtn = MakeButton("SaveBtn", QStringLiteral("Uložit výsledek"));
    Label17 = MakeLabel("Label17", "Detail:");
    DetailLabel = MakeLabel("DetailLabel", "N/A");
    DetailImage1 = MakeDetailImage("DetailImage1");
    DetailImage2 = MakeDetailImage("DetailImage2");

    connect(LoadBtn, &QPushButton::clicked, this, &TEkvalizaceForm::LoadBtnClick);
    connect(StupidBtn, &QPushButton::clicked, this, &TEkvalizaceForm::StupidBtnClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TEkvalizaceForm::SaveBtnClick);
    for (PictureView* picture : {VstupImage, ZpracovaneImage})
        connect(picture, &PictureView::MouseDown, this, &TEkvalizaceForm::ZpracovaneImageMouseDown);
}

// The input picture's file and size, the pictures side by side with the
// window side and the buttons under them, the details on the right.
void TEkvalizaceForm::LayOut()
{
    auto* info = new QGridLayout;
    info->addWidget(LoadBtn, 0, 0, 2, 1);
    info->addWidget(Label1, 0, 1);
    info->addWidget(ObrLabel, 0, 2);
    info->addWidget(Label2, 1, 1);
    info->addWidget(VelObrLabel, 1, 2);
    info->setColumnStretch(2, 1);

    auto* controls = new QHBoxLayout;
    controls->addWidget(Label3);
    controls->addWidget(HranaSpin);
    controls->addWidget(StupidBtn);
    controls->addWidget(SaveBtn);
    controls->addStretch();

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(VstupPanel);
    pictures->addWidget(ZpracovanePanel);

    auto* detailHeader = new QHBoxLayout;
    detailHeader->addWidget(Label17);
    detailHeader->addWidget(DetailLabel);
    detailHeader->addStretch();
    auto* details = new QVBoxLayout;
    details->addLayout(detailHeader);
    details->addWidget(DetailImage1);
    details->addWidget(DetailImage2);
    details->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(info);
    left->addLayout(pictures);
    left->addLayout(controls);
    left->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(details);
    columns->addStretch();
    SetContent(columns);
}

std::string TEkvalizaceForm::PictureFolder() const { return ProgramPath(App.Data.ProgramDir, "/obr"); }

void TEkvalizaceForm::LoadBtnClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Nahrát ze souboru"), PictureFolder()))
        LoadPicture(*path);
}

bool TEkvalizaceForm::LoadPicture(const std::string& path)
{
    std::optional<Bitmap> picture = ReadPicture(path, App.Messages);
    if (!picture) return false;
    ObrLabel->setText(QString::fromStdString(std::filesystem::absolute(path).string()));
    VelObrLabel->setText(QString("%1x%2 pixelů").arg(picture->Width()).arg(picture->Height()));
    VstupImage->SetPicture(std::move(*picture));
    return true;
}

void TEkvalizaceForm::StupidBtnClick()
{
    const Bitmap& input = VstupImage->Picture();
    if (input.Empty()) {
        App.Messages.Information("Nejprve nahrajte vstupní obrázek.");
        return;
    }
    const int e = HranaSpin->value();
    if (const auto refusal = EqualizationRefusal(input, e)) {
        App.Messages.Information(*refusal);
        return;
    }
    ZpracovaneImage->SetPicture(Equalize(input, e));
}

bool TEkvalizaceForm::ResultReady()
{
    if (!ZpracovaneImage->Picture().Empty()) return true;
    App.Messages.Information("Zatím není co uložit: nejprve obrázek zpracujte.");
    return false;
}

void TEkvalizaceForm::SaveBtnClick()
{
    if (!ResultReady()) return;
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit výsledek"), PictureFolder()))
        SaveResult(WithDefaultExtension(*path, ".bmp"));
}

bool TEkvalizaceForm::SaveResult(const std::string& path)
{
    return ResultReady() && NoteSaved(WritePicture(path, ZpracovaneImage->Picture(), App.Messages), path);
}

void TEkvalizaceForm::ZpracovaneImageMouseDown(int x, int y, Qt::MouseButton)
{
    ShowDetails(DetailLabel, x, y, {{ZpracovaneImage, DetailImage1}, {VstupImage, DetailImage2}});
}

}  // namespace lumera::gui
