#pragma once
#include <QString>

class QFrame;
class QScrollArea;

namespace lumera::gui {

class PictureView;

// A picture in a scroll box on a panel, as the tool windows show their
// pictures: the panel and the scroll box are square and fixed, the picture
// sizes itself to its bitmap.
struct PictureSlot {
    QFrame* Panel;
    QScrollArea* ScrollBox;
    PictureView* Image;
};

PictureSlot MakePictureSlot(const QString& panelName, const QString& scrollBoxName, const QString& imageName,
                            int panelSide, int scrollBoxSide);

// The same for a window whose members are named prefix + "Panel", "ScrollBox"
// and "Image", which it fills in.
void MakePictureSlot(const QString& prefix, int panelSide, int scrollBoxSide, QFrame*& panel, QScrollArea*& scrollBox,
                     PictureView*& image);

// A detail picture holding a fresh black 241 x 241 bitmap.
PictureView* MakeDetailImage(const QString& name);

}  // namespace lumera::gui
