#pragma once
#include <QScrollArea>
#include <QString>

class QFrame;

namespace lumera::gui {

class PictureView;

// The smallest side a picture's view shrinks to on a small screen.
constexpr int kSmallestPictureView = 240;

// A picture's scroll box: it asks for its largest size and yields down to its
// smallest one when the window has no room for it.
class PictureScrollBox : public QScrollArea {
public:
    PictureScrollBox(const QString& name, PictureView* picture, QSize largest);
    QSize sizeHint() const override { return maximumSize(); }
};

// A picture in a scroll box on a panel, as the tool windows show their
// pictures: the panel and the scroll box are square at the given sides and
// shrink on a smaller screen; the picture is shown as large as the box allows.
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
