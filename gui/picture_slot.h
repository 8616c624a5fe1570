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

// A detail picture holding a fresh black 241 x 241 bitmap.
PictureView* MakeDetailImage(const QString& name);

}  // namespace lumera::gui
