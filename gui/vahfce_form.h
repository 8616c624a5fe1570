#pragma once
#include <optional>
#include <string>

#include "imaging/drawing.h"
#include "analysis/weight_table.h"
#include "tool_window.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace lumera::gui {

class PictureView;

// The weight-function editor: a table of 64 band weights that the user types,
// starts from a reference spectrum, transforms, saves, loads, draws and
// finally sets as the custom weight or counter-weight function of the needle
// analysis.
class TVahFceForm : public ToolWindow {
    Q_OBJECT
public:
    explicit TVahFceForm(Workbench& workbench);

    // Which custom function "Načíst aktuální", "Nastavit váhovou funkci" and
    // "Vykreslit aktuální váhovou funkci" work on; the caption follows when
    // the window is next shown.
    void SetMode(WeightEditorMode mode) { mode_ = mode; }
    WeightEditorMode Mode() const { return mode_; }

    // Saves the weight rows to a weight-function file; a cell that is not a
    // number or a failed write is reported and nothing is written.
    bool SaveWeights(const std::string& path);
    // Loads a weight-function file into the weight rows; a file that cannot
    // be read is reported and the table keeps its weights.
    bool LoadWeights(const std::string& path);

    // Whether "Uložit do paměti" has filled the memory.
    bool MemorySet() const { return memorySet_; }

    QTableWidget* VahFceGrid;
    QPushButton *SaveBtn, *OpenBtn, *ResetNicBtn, *ResetAkt, *SetBtn, *CloseBtn;
    QPushButton *DrawTabBtn, *DrawAktBtn, *DrawRefBtn, *EraseBtn;
    PictureView* VahFceImage;
    QFrame* Panel1;
    QLabel *Label1, *Label2;
    QComboBox *VyjitZeCombo, *OperaceCombo;
    QPushButton *VyjitZeBtn, *OperaceBtn;
    QCheckBox* NormalCheck;
    QPushButton *XtoMBtn, *MtoXBtn;

public slots:
    void SaveBtnClick();
    void OpenBtnClick();
    void ResetNicBtnClick();
    void ResetAktClick();
    void SetBtnClick();
    void CloseBtnClick();
    void DrawTabBtnClick();
    void DrawAktBtnClick();
    void DrawRefBtnClick();
    void EraseBtnClick();
    void VyjitZeBtnClick();
    void OperaceBtnClick();
    void XtoMBtnClick();
    void MtoXBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void CreateControls();
    void LayOut();
    std::string WeightFolder() const;
    // The weight rows as numbers; a cell that is not a number is reported and
    // gives nothing.
    std::optional<SpectralVector> ReadTable();
    // Writes the weights into the weight rows in the user's number format.
    void WriteTable(const SpectralVector& weights);
    // Peak-normalises the weights, or says why it cannot.
    bool Normalise(SpectralVector& weights);
    // Draws bars of f, or says why it cannot.
    void DrawBars(const SpectralVector& f, int left, BgrColour colour);

    WeightEditorMode mode_ = WeightEditorMode::Weight;
    SpectralVector memory_;
    bool memorySet_ = false;
    bool shownOnce_ = false;
};

}  // namespace lumera::gui
