#include "picture_view.h"

#include <algorithm>

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lumera::gui {

namespace {

// The data pixel under display position `p` of a picture `data` pixels long
// shown `shown` pixels long; painting and presses use the same mapping.
int DataPixel(int p, int data, int shown)
{
    return std::clamp(int(std::int64_t(p) * data / shown), 0, data - 1);
}

QImage Scaled(const QImage& image, QSize shown)
{
    if (image.size() == shown) return image;
    QImage scaled(shown, QImage::Format_BGR888);
    for (int y = 0; y < shown.height(); ++y) {
        const uchar* from = image.constScanLine(DataPixel(y, image.height(), shown.height()));
        uchar* to = scaled.scanLine(y);
        for (int x = 0; x < shown.width(); ++x)
            std::copy_n(from + 3 * DataPixel(x, image.width(), shown.width()), 3, to + 3 * x);
    }
    return scaled;
}

}  // namespace

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
    setFixedSize(DisplaySize());
    update();
}

// The view's size counts from its first resize: before its window is laid out
// its size means nothing.
void PictureView::FitInto(QWidget* view) { view->installEventFilter(this); }

bool PictureView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        fitBox_ = static_cast<QWidget*>(watched)->size();
        Repaint();
    }
    return QWidget::eventFilter(watched, event);
}

QSize PictureView::DisplaySize() const
{
    const int width = bitmap_.Width(), height = bitmap_.Height();
    if (bitmap_.Empty() || fitBox_.isEmpty()) return {width, height};
    const int boxWidth = fitBox_.width(), boxHeight = fitBox_.height();
    if (width <= boxWidth && height <= boxHeight) {
        const int factor = std::min(boxWidth / width, boxHeight / height);
        return {width * factor, height * factor};
    }
    // Shrunk by the smaller ratio, in integers so that both sides agree on every display.
    if (std::int64_t(boxWidth) * height <= std::int64_t(boxHeight) * width)
        return {boxWidth, std::max(1, int(std::int64_t(height) * boxWidth / width))};
    return {std::max(1, int(std::int64_t(width) * boxHeight / height)), boxHeight};
}

void PictureView::paintEvent(QPaintEvent*)
{
    if (bitmap_.Empty()) return;
    const QImage image(bitmap_.ScanLine(0), bitmap_.Width(), bitmap_.Height(),
                       static_cast<qsizetype>(bitmap_.RowBytes()), QImage::Format_BGR888);
    QPainter painter(this);
    painter.drawImage(0, 0, Scaled(image, size()));
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (bitmap_.Empty() || size() == QSize(bitmap_.Width(), bitmap_.Height())) {
        emit MouseDown(p.x(), p.y(), event->button());
        return;
    }
    emit MouseDown(DataPixel(p.x(), bitmap_.Width(), width()), DataPixel(p.y(), bitmap_.Height(), height()),
                   event->button());
}

}  // namespace lumera::gui
