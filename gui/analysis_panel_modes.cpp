#include "analysis_panel_modes.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace lumera::gui {

void SetMaxLength(QSpinBox* spin, int length) { spin->findChild<QLineEdit*>()->setMaxLength(length); }

void ApplyMode(const DisplayMode& mode, QLabel* lowerLabel, QLabel* upperLabel, QSpinBox* lower, QSpinBox* upper)
{
    lowerLabel->setText(QString::fromUtf8(mode.LowerCaption));
    upperLabel->setText(QString::fromUtf8(mode.UpperCaption));
    for (QSpinBox* spin : {lower, upper}) {
        spin->setSingleStep(1);
        spin->setRange(mode.Minimum, mode.Maximum);
        SetMaxLength(spin, mode.MaxLength);
    }
    lower->setValue(mode.Lower);
    upper->setValue(mode.Upper);
}

}  // namespace lumera::gui
