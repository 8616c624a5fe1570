#include "crown_canvas.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>

namespace lumera::gui {

CrownCanvas::CrownCanvas(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setMouseTracking(true);  // the crown under the mouse is shown without a press
    setFixedSize(0, 0);
}

void CrownCanvas::ShowImage()
{
    setFixedSize(image_.size() * zoom_);
    update();
}

void CrownCanvas::SetZoom(int zoom)
{
    zoom_ = std::max(zoom, 1);
    ShowImage();
}

void CrownCanvas::paintEvent(QPaintEvent*)
{
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(rect(), image_);  // nearest neighbour: every picture pixel a sharp square
    if (Sketch.empty()) return;
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    const auto centre = [this](TExtremum p) { return QPointF((p.X + 0.5) * zoom_, (p.Y + 0.5) * zoom_); };
    for (std::size_t i = 1; i < Sketch.size(); ++i) painter.drawLine(centre(Sketch[i - 1]), centre(Sketch[i]));
    painter.drawEllipse(centre(Sketch.front()), 3.0, 3.0);
}

QPoint CrownCanvas::PicturePixel(const QMouseEvent* event) const
{
    const QPointF p = event->position();
    return {int(std::floor(p.x() / zoom_)), int(std::floor(p.y() / zoom_))};
}

void CrownCanvas::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = PicturePixel(event);
    emit Pressed(p.x(), p.y(), event->button());
}

void CrownCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = PicturePixel(event);
    emit Moved(p.x(), p.y(), event->buttons());
}

void CrownCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = PicturePixel(event);
    emit Released(p.x(), p.y());
}

}  // namespace lumera::gui
