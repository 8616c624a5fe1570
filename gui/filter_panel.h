#pragma once
#include <optional>
#include <string>

#include "data/matice.h"
#include "extrema/filter_matrix.h"
#include "imaging/bitmap.h"

class QFrame;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace lumera::gui {

class ToolWindow;
class Workbench;

// The panel "Filtr typu dolní propust" that both extrema windows carry: the
// edge spin, the grid of cell texts and the buttons "Nastavit", "Normovat",
// "Gauss", "Nahrát" and "Uložit". The panel only builds the controls and does
// the work; each window connects the buttons to its own slots
// (HranaBtnClick, NormBtnClick, GaussBtnClick, FiltrLoadBtnClick,
// FiltrSaveBtnClick), which call the methods below. Problems are told to the
// user through the program's Reporter and leave the grid unchanged.
class FilterPanel {
public:
    // The dialogs opened by the panel belong to `owner`, which also tells
    // the files written.
    FilterPanel(Workbench& workbench, ToolWindow* owner);

    // The grid's cell texts (empty cells give empty texts).
    TFilterCells Cells() const;
    // Sizes the grid to the cells and puts every text in, unchanged.
    void SetCells(const TFilterCells& cells);

    // "Nastavit": an edge x edge grid of "1", the edge taken from HranaFiltru.
    void SetOnes();
    // "Normovat": every cell divided by the sum, in the user's decimal separator.
    void Normalize();
    // "Gauss": the normal density of one pixel's deviation, normalised.
    void Gauss();

    // "Nahrát" and "Uložit": ask for a file in ProgramDir + "\data\filtr".
    void AskLoad();
    void AskSave();
    // Loads a filter file into the spin and the grid; true when loaded.
    bool Load(const std::string& path);
    // Writes the grid as it stands (its own edge); true when written.
    bool Save(const std::string& path);

    // The brightness matrix of the picture smoothed by the grid's filter, or
    // nothing after telling the user why the grid cannot filter (an even edge,
    // a cell that is not a number).
    std::optional<TMatice> FilteredBrightnessOf(const Bitmap& picture);

    QFrame* FiltrPanel;
    QLabel* Label10;
    QLabel* HranaLabel;
    QSpinBox* HranaFiltru;
    QLabel* MaticeLabel;
    QTableWidget* MaticeFiltru;
    QPushButton* HranaBtn;
    QPushButton* NormBtn;
    QPushButton* GaussBtn;
    QPushButton* FiltrLoadBtn;
    QPushButton* FiltrSaveBtn;

private:
    void CreateControls();
    void LayOut();
    std::string Folder() const;
    // Edge from the spin, or nothing after telling the user it cannot be used.
    std::optional<int> ChosenEdge();

    Workbench& App;
    ToolWindow* Owner;
};

}  // namespace lumera::gui
