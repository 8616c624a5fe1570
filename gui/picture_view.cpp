#include "picture_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace lumera::gui {

PictureView::PictureView(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setFixedSize(0, 0);
}

void PictureView::SetPicture(Bitmap bitmap)
{
    bitmap_ = std::move(bitmap);
    Repaint();
}

void PictureView::SetPictureSize(int width, int height)
{
    bitmap_.SetSize(width, height);
    Repaint();
}

void PictureView::Repaint()
{
    setFixedSize(bitmap_.Width(), bitmap_.Height());
    update();
}

void PictureView::paintEvent(QPaintEvent*)
{
    if (bitmap_.Empty()) return;
    const QImage image(bitmap_.ScanLine(0), bitmap_.Width(), bitmap_.Height(),
                       static_cast<qsizetype>(bitmap_.RowBytes()), QImage::Format_BGR888);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseDown(p.x(), p.y(), event->button());
}

}  // namespace lumera::gui
