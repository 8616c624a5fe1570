#pragma once
#include <QDialog>

#include "mapping/tile_grid.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QSpinBox;

namespace lumera::gui {

// Asks which window of a scene to import: the scene's size is shown, the
// window starts at the top-left corner as large as a cut-out may be.
class TImportDialog : public QDialog {
    Q_OBJECT
public:
    TImportDialog(QWidget* parent, int sceneWidth, int sceneHeight, int sceneBands);

    // The window as the spins give it, in 0-based scene pixels.
    PixelRect Window() const;
    bool AllowPartial() const;

    QLabel* VelikostLabel;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QSpinBox *XSpin, *YSpin, *SirkaSpin, *VyskaSpin;
    QCheckBox* DoplnitCheck;
    QDialogButtonBox* TlacitkaBox;
};

}  // namespace lumera::gui
