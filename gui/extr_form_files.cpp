// The local extrema search window's pictures, extrema files, painting,
// detail and filter panel.
#include <algorithm>

#include <QLabel>
#include <QPushButton>

#include "data/program_paths.h"
#include "detail_click.h"
#include "extr_form.h"
#include "extrema/extrema_file.h"
#include "file_errors.h"
#include "file_dialogs.h"
#include "filter_panel.h"
#include "imaging/picture_tools.h"
#include "picture_files.h"
#include "picture_view.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

constexpr BgrColour kMaximumColour{0, 0, 255};  // pure red
constexpr BgrColour kMinimumColour{255, 0, 0};  // pure blue

int PointsOutside(const TExtremaList& points, const Bitmap& picture)
{
    return int(std::count_if(points.begin(), points.end(), [&](const TExtremum& p) {
        return p.X < 0 || p.Y < 0 || p.X >= picture.Width() || p.Y >= picture.Height();
    }));
}

}  // namespace

std::string TExtrForm::ListFolder() const { return ProgramPath(App.Data.ProgramDir, "\\data\\lokextr"); }
std::string TExtrForm::PictureFolder() const { return ProgramPath(App.Data.ProgramDir, "\\obr"); }
bool TExtrForm::SourceLoaded() const { return PodkladBtn->property("Tag").toInt() == 1; }

void TExtrForm::ZdrojBtnClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Zdrojový obraz"), PictureFolder()))
        LoadSource(*path);
}

bool TExtrForm::LoadSource(const std::string& path)
{
    if (!LoadPictureInto(VstupImage, path)) return false;
    PodkladBtn->setProperty("Tag", 1);
    return true;
}

void TExtrForm::PodkladBtnClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Nahrát podklad"), PictureFolder()))
        LoadBackground(*path);
}

bool TExtrForm::LoadBackground(const std::string& path) { return LoadPictureInto(ZpracovaneImage, path); }

bool TExtrForm::LoadPictureInto(PictureView* view, const std::string& path)
{
    std::optional<Bitmap> picture = ReadPicture(path, App.Messages);
    if (!picture) return false;
    view->SetPicture(std::move(*picture));
    return true;
}

void TExtrForm::SavePictureBtnClick()
{
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit obraz"), PictureFolder()))
        SavePicture(WithDefaultExtension(*path, ".bmp"));
}

bool TExtrForm::SavePicture(const std::string& path)
{
    return NoteSaved(WritePicture(path, ZpracovaneImage->Picture(), App.Messages), path);
}

bool TExtrForm::SaveList(const std::string& path, const TExtremaList& points)
{
    return NoteSaved(WriteReportingErrors(App.Messages, [&] { WriteExtremaFile(path, points); }), path);
}

bool TExtrForm::LoadList(const std::string& path, TExtremaList& points, QPushButton* saveBtn, QPushButton* showBtn)
{
    std::optional<TExtremaList> loaded = ReadReportingErrors(App.Messages, [&] { return ReadExtremaFile(path); });
    if (!loaded) return false;
    points = std::move(*loaded);
    saveBtn->setEnabled(true);
    showBtn->setEnabled(true);
    return true;
}

bool TExtrForm::SaveMaxima(const std::string& path) { return SaveList(path, Maxima); }
bool TExtrForm::SaveMinima(const std::string& path) { return SaveList(path, Minima); }
bool TExtrForm::LoadMaxima(const std::string& path) { return LoadList(path, Maxima, SaveMaxBtn, ShowMaxBtn); }
bool TExtrForm::LoadMinima(const std::string& path) { return LoadList(path, Minima, SaveMinBtn, ShowMinBtn); }

void TExtrForm::SaveMaxBtnClick()
{
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit maxima"), ListFolder()))
        SaveMaxima(*path);
}

void TExtrForm::SaveMinBtnClick()
{
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit minima"), ListFolder()))
        SaveMinima(*path);
}

// A cancelled dialog still enables the list's buttons (they then serve the
// list as it stands); a file that failed to load enables nothing.
void TExtrForm::LoadMaxBtnClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Nahrát maxima"), ListFolder()))
        LoadMaxima(*path);
    else
        for (QPushButton* button : {SaveMaxBtn, ShowMaxBtn}) button->setEnabled(true);
}

void TExtrForm::LoadMinBtnClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Nahrát minima"), ListFolder()))
        LoadMinima(*path);
    else
        for (QPushButton* button : {SaveMinBtn, ShowMinBtn}) button->setEnabled(true);
}

// The processed picture takes the source picture's size and the points are
// painted over what it holds; points that do not fit are left out and counted.
void TExtrForm::ShowList(const TExtremaList& points, BgrColour colour)
{
    if (!SourceLoaded()) {
        App.Messages.Information("Nejprve nahrajte zdrojový obraz: body se zobrazují v jeho velikosti.");
        return;
    }
    const Bitmap& source = VstupImage->Picture();
    Bitmap& processed = ZpracovaneImage->Picture();
    ResizeKeeping(processed, source.Width(), source.Height(), kWhite);
    PaintPoints(processed, points, colour);
    ZpracovaneImage->Repaint();
    if (const int outside = PointsOutside(points, processed))
        App.Messages.Information("Body ležící mimo zdrojový obraz nebyly zobrazeny; jejich počet: " +
                                 std::to_string(outside) + ".");
}

void TExtrForm::ShowMaxBtnClick() { ShowList(Maxima, kMaximumColour); }
void TExtrForm::ShowMinBtnClick() { ShowList(Minima, kMinimumColour); }

void TExtrForm::ZpracovaneImageMouseDown(int x, int y, Qt::MouseButton)
{
    ShowDetails(DetailLabel, x, y, {{VstupImage, DetailImage1}, {ZpracovaneImage, DetailImage2}});
}

void TExtrForm::HranaBtnClick() { Filtr->SetOnes(); }
void TExtrForm::NormBtnClick() { Filtr->Normalize(); }
void TExtrForm::GaussBtnClick() { Filtr->Gauss(); }
void TExtrForm::FiltrLoadBtnClick() { Filtr->AskLoad(); }
void TExtrForm::FiltrSaveBtnClick() { Filtr->AskSave(); }

}  // namespace lumera::gui
