// The extrema processing window's crown delineation: the Voronoi mosaic and
// network, neighbours and normals, moves, connection and single trees.
#include <QPushButton>
#include <QSpinBox>

#include "crowns/boundary.h"
#include "crowns/connection.h"
#include "crowns/moves.h"
#include "crowns/neighbours.h"
#include "crowns/network_pictures.h"
#include "crowns/single_trees.h"
#include "crowns/voronoi.h"
#include "extrema/brightness.h"
#include "extr_form2.h"
#include "file_errors.h"
#include "picture_view.h"
#include "widget_factory.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

const char* const kTreesQuestion =
    "Následující výpočet předpokládá vlevo ekvalizovaný obraz a vpravo posunutou Voronoyovu síť. Má se pokračovat?";
const char* const kNoTreesMessage = "Jednotlivé stromy ještě nebyly spočítány: nejprve stiskněte „Počítat“.";
const char* const kNoFilteredImageMessage =
    "Filtrovaný obraz ještě neexistuje: nejprve stiskněte „Filtrovaný obraz“.";

}  // namespace

void TExtrForm2::ConnectCrownControls()
{
    Click(VoroPocitatBtn, &TExtrForm2::VoroPocitatBtnClick);
    Click(VoroPlochyBtn, &TExtrForm2::VoroPlochyBtnClick);
    Click(VoroHraniceBtn, &TExtrForm2::VoroHraniceBtnClick);
    Click(VoroHrShowBtn, &TExtrForm2::VoroHrShowBtnClick);
    Click(HraniceObrazBtn, &TExtrForm2::HraniceObrazBtnClick);
    Click(SousediBtn, &TExtrForm2::SousediBtnClick);
    Click(SmeryBtn, &TExtrForm2::SmeryBtnClick);
    Click(PresunyBtn, &TExtrForm2::PresunyBtnClick);
    Click(PresunyIterBtn, &TExtrForm2::PresunyIterBtnClick);
    Click(Voro2ShowBtn, &TExtrForm2::Voro2ShowBtnClick);
    Click(PropojitBtn, &TExtrForm2::PropojitBtnClick);
    Click(FiltrovatBtn, &TExtrForm2::FiltrovatBtnClick);
    Click(FiltrShowBtn, &TExtrForm2::FiltrShowBtnClick);
    Click(Filter.HranaBtn, &TExtrForm2::HranaBtnClick);
    Click(Filter.NormBtn, &TExtrForm2::NormBtnClick);
    Click(Filter.GaussBtn, &TExtrForm2::GaussBtnClick);
    Click(Filter.FiltrLoadBtn, &TExtrForm2::FiltrLoadBtnClick);
    Click(Filter.FiltrSaveBtn, &TExtrForm2::FiltrSaveBtnClick);
    Click(StromyGoBtn, &TExtrForm2::StromyGoBtnClick);
    Click(StromyShowBtn, &TExtrForm2::StromyShowBtnClick);
    Click(SaveDataBtn, &TExtrForm2::SaveDataBtnClick);
}

void TExtrForm2::VoroPocitatBtnClick()
{
    const Bitmap& left = VstupImage->Picture();
    State.VoroMatrix = VoronoiLabels(State.MaxPoints, left.Width(), left.Height());
    VoroPlochyBtn->setEnabled(true);
    VoroHraniceBtn->setEnabled(true);
}

// The mosaic is shown growing row by row.
void TExtrForm2::VoroPlochyBtnClick()
{
    PictureView* picture = ChosenPicture();
    PaintVoronoiAreas(picture->Picture(), State.VoroMatrix, static_cast<int32_t>(State.MaxPoints.size()),
                      [picture](int) {
                          picture->Repaint();
                          picture->repaint();
                      });
    picture->Repaint();
}

void TExtrForm2::VoroHraniceBtnClick()
{
    State.BoundaryPoints = ExtractBoundary(State.VoroMatrix);
    VoroHrShowBtn->setEnabled(true);
    SousediBtn->setEnabled(true);
    SetTag(SmeryBtn, 0);  // the new network has no normals yet
}

void TExtrForm2::VoroHrShowBtnClick()
{
    PictureView* picture = ChosenPicture();
    PaintNetworkPoints(picture->Picture(), State.BoundaryPoints, kNetworkBlue);
    picture->Repaint();
}

void TExtrForm2::HraniceObrazBtnClick()
{
    State.BoundaryPoints = BoundaryFromPicture(ZpracovaneImage->Picture());
    SousediBtn->setEnabled(true);
}

// The lists are filled once per built network.
void TExtrForm2::SousediBtnClick()
{
    FindNeighbours(State.BoundaryPoints);
    SmeryBtn->setEnabled(true);
    SousediBtn->setEnabled(false);
}

void TExtrForm2::SmeryBtnClick()
{
    ComputeNormals(State.BoundaryPoints);
    SetTag(SmeryBtn, 1);
    EnableMovesWhenReady();
}

void TExtrForm2::EnableMovesWhenReady()
{
    if (Tag(FiltrovatBtn) == 1 && Tag(SmeryBtn) == 1) PresunyBtn->setEnabled(true);
}

void TExtrForm2::Move(std::optional<int> stepLimit)
{
    State.MovedPoints = MovePoints(State.BoundaryPoints, State.FilteredImage, stepLimit);
    Voro2ShowBtn->setEnabled(true);
    PropojitBtn->setEnabled(true);
}

// A grid that cannot filter is reported and changes nothing.
void TExtrForm2::FiltrovatBtnClick()
{
    std::optional<TMatice> filtered = Filter.FilteredBrightnessOf(VstupImage->Picture());
    if (!filtered) return;
    State.FilteredImage = std::move(*filtered);
    FiltrShowBtn->setEnabled(true);
    SetTag(FiltrovatBtn, 1);
    EnableMovesWhenReady();
}

void TExtrForm2::FiltrShowBtnClick() { ChosenPicture()->SetPicture(FilteredPicture(State.FilteredImage)); }

void TExtrForm2::HranaBtnClick() { Filter.SetOnes(); }
void TExtrForm2::NormBtnClick() { Filter.Normalize(); }
void TExtrForm2::GaussBtnClick() { Filter.Gauss(); }
void TExtrForm2::FiltrLoadBtnClick() { Filter.AskLoad(); }
void TExtrForm2::FiltrSaveBtnClick() { Filter.AskSave(); }

void TExtrForm2::PresunyBtnClick() { Move(std::nullopt); }

// Enabled from the start, but without a filtered image there is nothing to
// walk on.
void TExtrForm2::PresunyIterBtnClick()
{
    if (Tag(FiltrovatBtn) != 1) {
        App.Messages.Information(kNoFilteredImageMessage);
        return;
    }
    Move(MaxPresunuSpin->value());
}

void TExtrForm2::Voro2ShowBtnClick()
{
    PictureView* picture = ChosenPicture();
    PaintMovedPoints(picture->Picture(), State.MovedPoints);
    picture->Repaint();
}

void TExtrForm2::PropojitBtnClick()
{
    ConnectNetwork(ZpracovaneImage->Picture(), State.MovedPoints, State.FilteredImage.Width,
                   State.FilteredImage.Height);
    ZpracovaneImage->Repaint();
}

void TExtrForm2::StromyGoBtnClick()
{
    if (!App.Messages.Confirm(kTreesQuestion)) return;
    State.TreeMatrix = GrowTrees(VstupImage->Picture(), ZpracovaneImage->Picture(), State.MaxPoints, prahSpin->value());
}

bool TExtrForm2::TreesReady()
{
    if (State.TreeMatrix) return true;
    App.Messages.Information(kNoTreesMessage);
    return false;
}

void TExtrForm2::StromyShowBtnClick()
{
    if (!TreesReady()) return;
    PaintTreesOverlay(ZpracovaneImage->Picture(), VstupImage->Picture(), *State.TreeMatrix);
    ZpracovaneImage->Repaint();
}

void TExtrForm2::SaveDataBtnClick()
{
    if (!TreesReady()) return;
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit matici"), Folder("\\data\\vystup")))
        SaveTreeMatrix(*path);
}

bool TExtrForm2::SaveTreeMatrix(const std::string& path)
{
    return TreesReady() &&
           NoteSaved(WriteReportingErrors(App.Messages, [&] { WriteTreeMatrix(path, *State.TreeMatrix); }), path);
}

}  // namespace lumera::gui
