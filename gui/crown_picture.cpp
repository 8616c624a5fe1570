#include "crown_picture.h"

namespace lumera::gui {

namespace {

// Neighbouring numbers get clearly different colours.
QRgb CrownColour(int32_t tree)
{
    const int64_t t = tree;
    return qRgb(int(55 + t * 97 % 200), int(55 + t * 57 % 200), int(55 + t * 151 % 200));
}

bool OnOutline(const TTreeMatrix& trees, int x, int y)
{
    const int32_t t = trees.At(x, y);
    return x == 0 || y == 0 || x + 1 == trees.Width || y + 1 == trees.Height || trees.At(x - 1, y) != t ||
           trees.At(x + 1, y) != t || trees.At(x, y - 1) != t || trees.At(x, y + 1) != t;
}

QRgb Mix(QRgb a, QRgb b, int weightOfB)  // weightOfB of 4
{
    const auto mix = [&](int ca, int cb) { return (ca * (4 - weightOfB) + cb * weightOfB) / 4; };
    return qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)));
}

QRgb Pixel(const TTreeMatrix& trees, int x, int y, QRgb under, int32_t highlighted)
{
    const int32_t t = trees.At(x, y);
    if (t < 0) return qRgb(64, 64, 64);
    if (t == 0) return under;
    if (OnOutline(trees, x, y)) return t == highlighted ? qRgb(255, 0, 0) : qRgb(255, 255, 0);
    return t == highlighted ? Mix(under, qRgb(255, 255, 255), 3) : Mix(under, CrownColour(t), 2);
}

}  // namespace

void PaintCrowns(QImage& image, const Bitmap& background, const TTreeMatrix& trees, int32_t highlighted)
{
    if (image.width() != trees.Width || image.height() != trees.Height || image.format() != QImage::Format_RGB32)
        image = QImage(trees.Width, trees.Height, QImage::Format_RGB32);
    const bool under = background.Width() == trees.Width && background.Height() == trees.Height;
    for (int y = 0; y < trees.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uint8_t* bgr = under ? background.ScanLine(y) : nullptr;
        for (int x = 0; x < trees.Width; ++x) {
            const QRgb below = bgr ? qRgb(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]) : qRgb(0, 0, 0);
            line[x] = Pixel(trees, x, y, below, highlighted);
        }
    }
}

}  // namespace lumera::gui
