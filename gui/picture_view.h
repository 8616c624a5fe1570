#pragma once
#include <QWidget>

#include "imaging/bitmap.h"

namespace lumera::gui {

// A picture control: shows a 24-bit bitmap at its natural size, sizes itself
// to it, and reports mouse presses in picture pixel coordinates.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(const QString& name, QWidget* parent = nullptr);

    Bitmap& Picture() { return bitmap_; }
    const Bitmap& Picture() const { return bitmap_; }

    // Replaces the bitmap and repaints.
    void SetPicture(Bitmap bitmap);
    // Resizes the bitmap (black pixels) and the control.
    void SetPictureSize(int width, int height);
    // Call after drawing into Picture(): fits the control to the bitmap and repaints.
    void Repaint();

signals:
    void MouseDown(int x, int y, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Bitmap bitmap_;
};

}  // namespace lumera::gui
