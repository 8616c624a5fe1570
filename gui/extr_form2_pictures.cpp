// The extrema processing window's lists, background picture, picture tools
// and details.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/program_paths.h"
#include "detail_click.h"
#include "extr_form2.h"
#include "extrema/extrema_file.h"
#include "file_errors.h"
#include "imaging/picture_tools.h"
#include "picture_files.h"
#include "picture_view.h"
#include "radio_group.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

constexpr BgrColour kMaximumColour{0, 0, 255};  // pure red
constexpr BgrColour kMinimumColour{255, 0, 0};  // pure blue

}  // namespace

std::string TExtrForm2::Folder(const char* relative) const { return ProgramPath(App.Data.ProgramDir, relative); }

PictureView* TExtrForm2::ChosenPicture() const { return ShowKam->ItemIndex() == 0 ? VstupImage : ZpracovaneImage; }

PictureView* TExtrForm2::OtherPicture(const PictureView* picture) const
{
    return picture == VstupImage ? ZpracovaneImage : VstupImage;
}

PictureView* TExtrForm2::PictureToSave() const
{
    return SavePictureRadio->ItemIndex() == 0 ? VstupImage : ZpracovaneImage;
}

bool TExtrForm2::LoadList(const std::string& path, TExtremaList& list)
{
    std::optional<TExtremaList> read = ReadReportingErrors(App.Messages, [&] { return ReadExtremaFile(path); });
    if (read) list = std::move(*read);
    return read.has_value();
}

bool TExtrForm2::SaveList(const std::string& path, const TExtremaList& list)
{
    return NoteSaved(WriteReportingErrors(App.Messages, [&] { WriteExtremaFile(path, list); }), path);
}

bool TExtrForm2::LoadMaxima(const std::string& path) { return LoadList(path, State.MaxPoints); }
bool TExtrForm2::SaveMaxima(const std::string& path) { return SaveList(path, State.MaxPoints); }
bool TExtrForm2::LoadMinima(const std::string& path) { return LoadList(path, State.MinPoints); }
bool TExtrForm2::SaveMinima(const std::string& path) { return SaveList(path, State.MinPoints); }

// A cancelled dialog still enables the list's buttons (and the mosaic, which
// works on an empty list); a file that failed to load enables nothing.
void TExtrForm2::LoadMaxBtnClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Nahrát"), Folder("\\data\\lokextr")))
        if (!LoadMaxima(*path)) return;
    for (QPushButton* button : {SaveMaxBtn, ShowMaxBtn, VoroPocitatBtn}) button->setEnabled(true);
}

void TExtrForm2::SaveMaxBtnClick()
{
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit"), Folder("\\data\\lokextr")))
        SaveMaxima(*path);
}

void TExtrForm2::LoadMinBtnClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Nahrát"), Folder("\\data\\lokextr")))
        if (!LoadMinima(*path)) return;
    for (QPushButton* button : {SaveMinBtn, ShowMinBtn}) button->setEnabled(true);
}

void TExtrForm2::SaveMinBtnClick()
{
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit"), Folder("\\data\\lokextr")))
        SaveMinima(*path);
}

void TExtrForm2::PaintList(const TExtremaList& points, BgrColour colour)
{
    PictureView* picture = ChosenPicture();
    PaintPoints(picture->Picture(), points, colour);
    picture->Repaint();
}

void TExtrForm2::ShowMaxBtnClick() { PaintList(State.MaxPoints, kMaximumColour); }
void TExtrForm2::ShowMinBtnClick() { PaintList(State.MinPoints, kMinimumColour); }

void TExtrForm2::LoadPodkladBtnClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Nahrát"), Folder("\\obr")))
        PodkladCesta->setText(QString::fromStdString(*path));
}

// The other picture takes the background's size so that the two can be
// combined pixel by pixel; area it gains is black, as a fresh picture is.
void TExtrForm2::ShowPodkladBtnClick()
{
    std::optional<Bitmap> background = ReadPicture(PodkladCesta->text().toStdString(), App.Messages);
    if (!background) return;
    PictureView* chosen = ChosenPicture();
    PictureView* other = OtherPicture(chosen);
    ResizeKeeping(other->Picture(), background->Width(), background->Height(), kBlack);
    other->Repaint();
    chosen->SetPicture(std::move(*background));
    if (chosen == VstupImage) FiltrovatBtn->setEnabled(true);
}

void TExtrForm2::VsZprBtnClick() { ZpracovaneImage->SetPicture(VstupImage->Picture()); }
void TExtrForm2::ZprVsBtnClick() { VstupImage->SetPicture(ZpracovaneImage->Picture()); }

void TExtrForm2::doRplusLBtnClick()
{
    AddPicture(VstupImage->Picture(), ZpracovaneImage->Picture());
    ZpracovaneImage->Repaint();
}

void TExtrForm2::doLplusRBtnClick()
{
    AddPicture(ZpracovaneImage->Picture(), VstupImage->Picture());
    VstupImage->Repaint();
}

void TExtrForm2::bilyBtnClick()
{
    PictureView* picture = ChosenPicture();
    picture->Picture().Fill(255, 255, 255);
    picture->Repaint();
}

void TExtrForm2::cernyBtnClick()
{
    PictureView* picture = ChosenPicture();
    picture->Picture().Fill(0, 0, 0);
    picture->Repaint();
}

void TExtrForm2::SavePictureBtnClick()
{
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit"), Folder("\\obr")))
        SavePicture(*path);
}

bool TExtrForm2::SavePicture(const std::string& path)
{
    return NoteSaved(WritePicture(path, PictureToSave()->Picture(), App.Messages), path);
}

void TExtrForm2::VstupImageMouseDown(int x, int y, Qt::MouseButton)
{
    ShowDetails(DetailLabel, x, y, {{VstupImage, DetailImage1}, {ZpracovaneImage, DetailImage2}});
}

// The right picture shows the position as pressed, without raising it.
void TExtrForm2::ZpracovaneImageMouseDown(int x, int y, Qt::MouseButton)
{
    ShowDetailsAt(DetailLabel, QString("(%1,%2)").arg(x).arg(y), x, y,
                  {{VstupImage, DetailImage1}, {ZpracovaneImage, DetailImage2}});
}

}  // namespace lumera::gui
