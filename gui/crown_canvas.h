#pragma once
#include <vector>

#include <QImage>
#include <QWidget>

#include "extrema/extremum.h"

namespace lumera::gui {

// The crown editor's picture: shows an image enlarged by a whole factor and
// reports the mouse in picture pixels; over it, the line or polygon being drawn.
class CrownCanvas : public QWidget {
    Q_OBJECT
public:
    explicit CrownCanvas(const QString& name, QWidget* parent = nullptr);

    // The picture to show; the canvas takes the picture's size times the zoom.
    QImage& Image() { return image_; }
    void ShowImage();
    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }

    // The corners of the line or polygon being drawn, in picture pixels.
    std::vector<TExtremum> Sketch;

signals:
    void Pressed(int x, int y, Qt::MouseButton button);
    void Moved(int x, int y, Qt::MouseButtons buttons);
    void Released(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint PicturePixel(const QMouseEvent* event) const;

    QImage image_;
    int zoom_ = 1;
};

}  // namespace lumera::gui
