#pragma once
#include <optional>
#include <string>

#include "crowns/edit_history.h"
#include "crowns/tree_matrix.h"
#include "data/matice.h"
#include "extrema/extremum.h"
#include "imaging/bitmap.h"
#include "tool_window.h"

class QAction;
class QActionGroup;
class QMenuBar;
class QSpinBox;

namespace lumera::gui {

class CrownCanvas;
class PictureView;

// The crown editor: a tree matrix over a background picture, corrected by
// hand crown by crown, with undo, and saved as a matrix or a crown layer.
class TUpravyKorunForm : public ToolWindow {
    Q_OBJECT
public:
    explicit TUpravyKorunForm(Workbench& workbench);

    // In the order of the tools menu.
    enum class Tool { Select, Delete, Merge, Split, Polygon, Brush, Grow, Shrink, AddTop };

    // The matrix sources: a tree matrix file, and the main window's last
    // automatic delineation. A matrix of another size than the loaded cut-out
    // is refused, naming both sizes, and the editor keeps what it had.
    bool LoadMatrix(const std::string& path);
    bool TakeDelineatedMatrix();
    // Writes the matrix numbered 1..N in row order; reports a failure.
    bool SaveMatrix(const std::string& path);
    // Writes the crowns as a map layer (.gpkg) in the loaded cut-out's
    // georeference; refuses without one.
    bool SaveCrownLayer(const std::string& path);
    // Writes each crown's spectrum from the loaded cut-out (the table
    // `lumera-cli crown-spectra` writes), numbered as SaveMatrix numbers them.
    bool SaveCrownSpectra(const std::string& path);
    // Backgrounds; a picture of another size than the matrix is refused.
    bool ShowTrueColour();
    bool ShowEqualized();
    bool LoadBackground(const std::string& path);

    void SetTool(Tool tool);
    bool Undo();
    bool Redo();
    const TTreeMatrix& Trees() const { return trees_; }
    // Unsaved: the matrix differs from the one last saved or loaded (undoing
    // back to it leaves nothing to save).
    bool Modified() const { return history_.State() != savedState_; }
    // The close question when there are unsaved changes; true when the window may close.
    bool MayClose();

    QMenuBar* Menu;
    QAction *OtevritAction, *ZVymezeniAction, *UlozitAction, *GpkgAction, *SpektraAction, *PraveBarvyAction, *EkvalizovanyAction,
        *ObrazekAction, *ZpetAction, *ZnovuAction;
    QActionGroup* Nastroje;
    QSpinBox *StetecSpin, *ZvetseniSpin;
    CrownCanvas* KorunyImage;
    PictureView* SpektrumImage;

public slots:
    void CanvasPressed(int x, int y, Qt::MouseButton button);
    void CanvasMoved(int x, int y, Qt::MouseButtons buttons);
    void CanvasReleased(int x, int y);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateMenu();
    void CreateTools(QMenu* menu);
    void LayOut();
    void EnableActions();
    // Files (upravy_korun_files.cpp)
    void OpenClick();
    void SaveClick();
    void GpkgClick();
    void SpektraClick();
    void BackgroundClick();
    bool Accept(TTreeMatrix trees, const std::string& source);
    bool SetBackground(Bitmap picture, const std::string& source);
    std::string FolderOf(const char* programFolder) const;
    // Editing (upravy_korun_edits.cpp)
    void Apply(bool changed, const TTreeMatrix& before);
    void FinishSketch();
    void BrushTo(TExtremum at);
    void DropSketch();
    const TMatice& TopSurface();
    void Highlight(TExtremum at);
    void TellCrown(int32_t tree);
    void PlotCrown(TExtremum at);
    void Redraw();

    TTreeMatrix trees_;
    EditHistory history_;
    Bitmap background_;
    TMatice surface_;  // for new tops: the smoothed brightness, made when first needed
    Tool tool_ = Tool::Select;
    std::size_t savedState_ = 0;
    int32_t hovered_ = 0;
    std::optional<TExtremum> mergeInto_;
    // A brush stroke: the matrix before it, the crown it paints and where it last was.
    std::optional<TTreeMatrix> strokeStart_;
    std::optional<TExtremum> strokeLast_;
    int32_t strokeTree_ = 0;
};

}  // namespace lumera::gui
