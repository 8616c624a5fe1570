// The main window's views of the loaded cut-out: value readout,
// pixel spectrum list and plot, band map, detail magnifier, saving a picture.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>

#include "crowns/crown_reflectance.h"
#include "data/file_error.h"
#include "data/number_format.h"
#include "data/program_paths.h"
#include "imaging/bmp_file.h"
#include "main_form.h"
#include "decimal_separator.h"
#include "picture_view.h"
#include "tool_window.h"
#include "imaging/band_map.h"
#include "data/cube_ranges.h"
#include "imaging/detail_click.h"
#include "imaging/pixel_bands.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

const char* const kDetailTooSmallMessage = "Obrázek je menší než 61 x 61 bodů, detail nelze zobrazit.";

}  // namespace

void TMainForm::LimitSpinsToCutout()
{
    {
        // One readout after all three limits, not one per clamped spin with
        // the others still beyond the new cut-out.
        const QSignalBlocker x(XSpin), y(YSpin), band(BandSpin);
        XSpin->setMaximum(App.Data.NColumns());
        YSpin->setMaximum(App.Data.NRows());
        BandSpin->setMaximum(App.Data.NBands());
    }
    XSpinChange();  // the new cut-out's value at the spins' position
}

void TMainForm::XSpinChange()
{
    if (!CutoutLoaded()) return;
    const TData& cube = App.Data.Cube;
    const int column = XSpin->value(), row = YSpin->value(), band = BandSpin->value();
    std::string problem = PixelRangeError(cube, column, row);
    if (problem.empty()) problem = BandRangeError(cube, band);
    if (!problem.empty()) {
        App.Messages.Information(problem);
        return;
    }
    ValueLabel->setText(QString::fromStdString(FormatNumber(CubeValue(cube, column, row, band), UserDecimalSeparator())));
}

void TMainForm::SpektrumBtnClick()
{
    if (!CutoutLoaded()) return;
    const TData& cube = App.Data.Cube;
    const int column = XSpin->value(), row = YSpin->value();
    if (const std::string problem = PixelRangeError(cube, column, row); !problem.empty()) {
        App.Messages.Information(problem);
        return;
    }
    SpektrumMemo->clear();
    for (const std::string& line : SpectrumLines(cube, column, row, UserDecimalSeparator()))
        SpektrumMemo->appendPlainText(QString::fromStdString(line));
    DrawSpectrum(SpektrumImage->Picture(), cube, App.Data.BandTable, column, row);
    SpektrumImage->Repaint();
}

void TMainForm::Button3Click()
{
    ClearSpectrumPlot(SpektrumImage->Picture());
    SpektrumImage->Repaint();
}

void TMainForm::BandMapBtnClick()
{
    if (!CutoutLoaded()) return;
    const int band = BandSpin->value();
    if (const std::string problem = BandRangeError(App.Data.Cube, band); !problem.empty()) {
        App.Messages.Information(problem);
        return;
    }
    BandMapImage->SetPicture(MakeBandMap(App.Data.Cube, band).Picture);
}

void TMainForm::ShowPictureDetail(PictureView* picture, int X, int Y)
{
    if (!CutoutLoaded()) return;
    if (!CanShowDetail(picture->Picture())) {
        App.Messages.Information(kDetailTooSmallMessage);
        return;
    }
    const DetailClick click = RaiseDetailClick(X, Y);
    DetailLabel->setText(QString::fromStdString(DetailRangeText(click.X, click.Y)));
    ShowDetail(picture->Picture(), DetailImage->Picture(), click.X, click.Y);
    DetailImage->Repaint();
}

void TMainForm::BandMapImageMouseDown(int X, int Y) { ShowPictureDetail(BandMapImage, X, Y); }

// After a delineation the click also plots the crown's spectrum.
void TMainForm::VzorImageMouseDown(int X, int Y)
{
    ShowPictureDetail(VzorImage, X, Y);
    PlotCrownSpectrum(DelineatedTrees, X, Y);
}

bool TMainForm::PlotCrownSpectrum(const TTreeMatrix& trees, int x, int y)
{
    const TData& cube = App.Data.Cube;
    if (!App.Data.DataLoaded || trees.Width != cube.NColumns || trees.Height != cube.NRows) return false;
    if (x < 0 || y < 0 || x >= trees.Width || y >= trees.Height || trees.At(x, y) < 1) return false;
    DrawSpectrum(SpektrumImage->Picture(), cube, App.Data.BandTable, x + 1, y + 1);
    DrawSpectrumValues(SpektrumImage->Picture(), CrownMeanSpectrum(cube, trees, trees.At(x, y)), App.Data.BandTable,
                       kCrownSpectrumColour);
    SpektrumImage->Repaint();
    return true;
}

void TMainForm::DetailImageMouseDown(int, int) {}

void TMainForm::SavePictureBtnClick()
{
    if (!CutoutLoaded()) return;
    const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit jako obrázek"),
                                           ProgramPath(App.Data.ProgramDir, "\\obr\\"));
    if (path) SavePicture(*path);
}

bool TMainForm::SavePicture(const std::string& path)
{
    const PictureView* picture = SavePictureCheck->isChecked() ? VzorImage : BandMapImage;
    const std::string file = WithDefaultExtension(path, ".bmp");
    try {
        WriteBmp(file, picture->Picture());
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    }
    statusBar()->showMessage(SavedText(file));
    return true;
}

}  // namespace lumera::gui
