#pragma once
#include <QImage>
#include <QWidget>

#include "imaging/bitmap.h"

namespace lumera::gui {

// A picture control: shows a 24-bit bitmap, sizes itself to it, and reports
// mouse presses in picture pixel coordinates. By itself it shows the bitmap at
// its natural size; fitted into a view (FitInto) it shows it as large as the
// view allows: a picture that fits is enlarged by a whole factor, one that
// does not is shrunk, both nearest neighbour. Only the display is scaled, and
// a press maps back to the data pixel shown under it.
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

    // From now on the picture is shown as large as `view` (the viewport of
    // the scroll box holding it) allows, following its size.
    void FitInto(QWidget* view);

signals:
    void MouseDown(int x, int y, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSize DisplaySize() const;

    Bitmap bitmap_;
    QSize fitBox_;
};

}  // namespace lumera::gui
