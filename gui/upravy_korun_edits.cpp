// The crown editor's tools on the picture: each press, stroke or finished
// line is one step of the history.
#include <cmath>

#include <QSpinBox>

#include "crown_canvas.h"
#include "crown_picture.h"
#include "crowns/crown_edits.h"
#include "crowns/crown_reflectance.h"
#include "crowns/gaussian_smoothing.h"
#include "crowns/scale_delineation.h"
#include "data/number_format.h"
#include "decimal_separator.h"
#include "extrema/brightness.h"
#include "imaging/line_pixels.h"
#include "imaging/pixel_bands.h"
#include "main_form.h"
#include "picture_view.h"
#include "upravy_korun_form.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

constexpr double kTopSmoothing = 1.0;  // pixels; keeps single bright needles from taking the top

bool InsideMatrix(const TTreeMatrix& trees, TExtremum at)
{
    return at.X >= 0 && at.Y >= 0 && at.X < trees.Width && at.Y < trees.Height;
}

int32_t CrownAt(const TTreeMatrix& trees, TExtremum at)
{
    return InsideMatrix(trees, at) ? std::max(trees.At(at.X, at.Y), 0) : 0;
}

}  // namespace

void TUpravyKorunForm::Apply(bool changed, const TTreeMatrix& before)
{
    if (!changed || !history_.Record(before, trees_)) return;
    Redraw();
}

void TUpravyKorunForm::Redraw()
{
    PaintCrowns(KorunyImage->Image(), background_, trees_, hovered_);
    KorunyImage->ShowImage();
    EnableActions();
}

bool TUpravyKorunForm::Undo()
{
    if (!history_.Undo(trees_)) return false;
    Redraw();
    return true;
}

bool TUpravyKorunForm::Redo()
{
    if (!history_.Redo(trees_)) return false;
    Redraw();
    return true;
}

void TUpravyKorunForm::CanvasPressed(int x, int y, Qt::MouseButton button)
{
    const TExtremum at{x, y};
    if (trees_.Values.empty()) return;
    if (button == Qt::RightButton) {
        FinishSketch();
        return;
    }
    const TTreeMatrix before = trees_;
    switch (tool_) {
    case Tool::Select: PlotCrown(at); break;
    case Tool::Delete: Apply(DeleteCrown(trees_, at), before); break;
    case Tool::Merge:
        if (!mergeInto_) {
            mergeInto_ = CrownAt(trees_, at) >= 1 ? std::optional(at) : std::nullopt;
            if (mergeInto_) Tell(QStringLiteral("Klepněte na korunu, která se připojí."));
            break;
        }
        Apply(MergeCrowns(trees_, *mergeInto_, at), before);
        mergeInto_.reset();
        break;
    case Tool::Split:
    case Tool::Polygon:
        KorunyImage->Sketch.push_back(at);
        if (tool_ == Tool::Split && KorunyImage->Sketch.size() == 2) FinishSketch();
        KorunyImage->update();
        break;
    case Tool::Brush:
    case Tool::Grow:
    case Tool::Shrink:
        strokeTree_ = tool_ == Tool::Brush ? NextTreeNumber(trees_) : CrownAt(trees_, at);
        strokeStart_ = before;
        strokeLast_.reset();
        BrushTo(at);
        break;
    case Tool::AddTop: Apply(AddTreeTop(trees_, TopSurface(), at), before); break;
    }
}

// The brush follows the mouse from its last place in a line, so a fast stroke leaves no gaps.
void TUpravyKorunForm::BrushTo(TExtremum at)
{
    const int radius = StetecSpin->value();
    const TExtremum from = strokeLast_.value_or(at);
    bool changed = false;
    ForLinePixels(from.X, from.Y, at.X, at.Y, [&](int x, int y) {
        if (tool_ == Tool::Brush) changed |= PaintDisc(trees_, {x, y}, radius, strokeTree_);
        else if (tool_ == Tool::Grow) changed |= GrowDisc(trees_, {x, y}, radius, strokeTree_);
        else changed |= ShrinkDisc(trees_, {x, y}, radius, strokeTree_);
    });
    strokeLast_ = at;
    if (changed) Redraw();
}

void TUpravyKorunForm::CanvasMoved(int x, int y, Qt::MouseButtons buttons)
{
    if (trees_.Values.empty()) return;
    if (strokeStart_ && (buttons & Qt::LeftButton)) BrushTo({x, y});
    Highlight({x, y});
}

void TUpravyKorunForm::CanvasReleased(int, int)
{
    if (!strokeStart_) return;
    const TTreeMatrix before = std::move(*strokeStart_);
    strokeStart_.reset();
    Apply(true, before);
}

void TUpravyKorunForm::FinishSketch()
{
    std::vector<TExtremum> corners = std::move(KorunyImage->Sketch);
    KorunyImage->Sketch.clear();
    KorunyImage->update();
    const TTreeMatrix before = trees_;
    if (tool_ == Tool::Split && corners.size() == 2) Apply(SplitCrown(trees_, corners[0], corners[1]), before);
    if (tool_ == Tool::Polygon) Apply(PaintPolygon(trees_, corners), before);
}

void TUpravyKorunForm::DropSketch()
{
    KorunyImage->Sketch.clear();
    mergeInto_.reset();
    KorunyImage->update();
}

// The surface the automatic delineation divides crowns on: the cut-out's
// brightness when it fits, else the background's, lightly smoothed.
const TMatice& TUpravyKorunForm::TopSurface()
{
    if (surface_.Width == trees_.Width && surface_.Height == trees_.Height) return surface_;
    const TData& cube = App.Data.Cube;
    const bool cutout = App.Data.DataLoaded && !DelineationRefusal(cube) && cube.NColumns == trees_.Width &&
                        cube.NRows == trees_.Height;
    TMatice brightness = cutout ? CubeBrightness(cube) : BrightnessMatrix(background_);
    if (brightness.Width != trees_.Width || brightness.Height != trees_.Height)
        brightness = TMatice(trees_.Width, trees_.Height);
    surface_ = GaussianSmooth(brightness, kTopSmoothing);
    return surface_;
}

void TUpravyKorunForm::Highlight(TExtremum at)
{
    const int32_t tree = CrownAt(trees_, at);
    if (tree == hovered_) return;
    hovered_ = tree;
    Redraw();
    TellCrown(tree);
}

void TUpravyKorunForm::TellCrown(int32_t tree)
{
    if (tree < 1) {
        Tell(QString());
        return;
    }
    int64_t pixels = 0;
    double sum = 0.0;
    const bool under = !background_.Empty();
    for (int y = 0; y < trees_.Height; ++y)
        for (int x = 0; x < trees_.Width; ++x)
            if (trees_.At(x, y) == tree) {
                ++pixels;
                if (under) {
                    const uint8_t* p = background_.ScanLine(y) + 3 * x;
                    sum += (p[0] + p[1] + p[2]) / 3.0;
                }
            }
    QString text = QStringLiteral("Koruna %1: %2 bodů").arg(tree).arg(pixels);
    if (under) {
        const double mean = std::nearbyint(10.0 * sum / double(pixels)) / 10.0;
        text += QStringLiteral(", průměrný jas %1").arg(QString::fromStdString(FormatNumber(mean, UserDecimalSeparator())));
    }
    Tell(text);
}

// The crown's mean spectrum in red over the pixel's in black, in the
// editor's own plot and added to the main window's.
void TUpravyKorunForm::PlotCrown(TExtremum at)
{
    if (!App.MainForm->PlotCrownSpectrum(trees_, at.X, at.Y)) return;
    const TData& cube = App.Data.Cube;
    Bitmap& plot = SpektrumImage->Picture();
    plot.Fill(255, 255, 255);
    DrawSpectrum(plot, cube, App.Data.BandTable, at.X + 1, at.Y + 1);
    DrawSpectrumValues(plot, CrownMeanSpectrum(cube, trees_, trees_.At(at.X, at.Y)), App.Data.BandTable,
                       kCrownSpectrumColour);
    SpektrumImage->Repaint();
}

}  // namespace lumera::gui
