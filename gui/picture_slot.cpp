#include "picture_slot.h"

#include <QFrame>
#include <QScrollArea>
#include <QVBoxLayout>

#include "imaging/detail.h"
#include "picture_view.h"
#include "widget_factory.h"

namespace lumera::gui {

PictureScrollBox::PictureScrollBox(const QString& name, PictureView* picture, QSize largest)
{
    setObjectName(name);
    setMaximumSize(largest);
    setMinimumSize(kSmallestPictureView, kSmallestPictureView);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setWidgetResizable(false);
    setWidget(picture);
    picture->FitInto(viewport());
}

PictureSlot MakePictureSlot(const QString& panelName, const QString& scrollBoxName, const QString& imageName,
                            int panelSide, int scrollBoxSide)
{
    auto* image = new PictureView(imageName);
    PictureSlot slot{MakePanel(panelName), new PictureScrollBox(scrollBoxName, image, {scrollBoxSide, scrollBoxSide}),
                     image};
    slot.Panel->setMaximumSize(panelSide, panelSide);
    auto* layout = new QVBoxLayout(slot.Panel);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(slot.ScrollBox);
    return slot;
}

void MakePictureSlot(const QString& prefix, int panelSide, int scrollBoxSide, QFrame*& panel, QScrollArea*& scrollBox,
                     PictureView*& image)
{
    const PictureSlot slot =
        MakePictureSlot(prefix + "Panel", prefix + "ScrollBox", prefix + "Image", panelSide, scrollBoxSide);
    panel = slot.Panel;
    scrollBox = slot.ScrollBox;
    image = slot.Image;
}

PictureView* MakeDetailImage(const QString& name)
{
    auto* detail = new PictureView(name);
    detail->SetPictureSize(kDetailSide, kDetailSide);
    return detail;
}

}  // namespace lumera::gui
