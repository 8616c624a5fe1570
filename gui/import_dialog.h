#pragma once
#include <string>

#include <QDialog>

#include "mapping/tile_grid.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace lumera::gui {

class FileDialogs;

// Asks which window of a scene to import: the scene's size is shown, the
// window starts at the top-left corner as large as a cut-out may be. The
// wavelengths come from the scene unless a file of them is chosen, the scale
// is guessed from the values unless one is written.
class TImportDialog : public QDialog {
    Q_OBJECT
public:
    TImportDialog(QWidget* parent, int sceneWidth, int sceneHeight, int sceneBands, FileDialogs& dialogs,
                  std::string wavelengthFolder);

    // The window as the spins give it, in 0-based scene pixels.
    PixelRect Window() const;
    // As written, blanks around removed: "" for the scene's wavelengths.
    std::string WavelengthFile() const;
    // As written, blanks around removed: "" for a guessed scale.
    std::string Scale() const;
    bool AllowPartial() const;

    void VlnoveDelkyBtnClick();

    QLabel* VelikostLabel;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QSpinBox *XSpin, *YSpin, *SirkaSpin, *VyskaSpin;
    QLabel *Label5, *Label6;
    QLineEdit* VlnoveDelkyEdit;
    QPushButton* VlnoveDelkyBtn;
    QLineEdit* MeritkoEdit;
    QCheckBox* DoplnitCheck;
    QDialogButtonBox* TlacitkaBox;

private:
    FileDialogs& Dialogs;
    std::string WavelengthFolder;
};

}  // namespace lumera::gui
