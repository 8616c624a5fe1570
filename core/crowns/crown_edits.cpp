#include "crowns/crown_edits.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

#include "imaging/line_pixels.h"

namespace lumera {

namespace {

bool Inside(const TTreeMatrix& trees, int x, int y) { return x >= 0 && y >= 0 && x < trees.Width && y < trees.Height; }

// The crown at the pixel, or 0 for background, barriers and pixels outside.
int32_t CrownAt(const TTreeMatrix& trees, TExtremum at)
{
    if (!Inside(trees, at.X, at.Y)) return 0;
    return std::max(trees.At(at.X, at.Y), 0);
}

// Every pixel of `from` becomes `to`.
bool Relabel(TTreeMatrix& trees, int32_t from, int32_t to)
{
    bool changed = false;
    for (int32_t& v : trees.Values)
        if (v == from) {
            v = to;
            changed = true;
        }
    return changed;
}

// Sets the pixel to `to` where `takes` allows its present value.
template <typename Takes>
bool Set(TTreeMatrix& trees, int x, int y, int32_t to, Takes takes)
{
    int32_t& v = trees.At(x, y);
    if (v == to || !takes(v)) return false;
    v = to;
    return true;
}

template <typename Takes>
bool ForDisc(TTreeMatrix& trees, TExtremum centre, int radius, int32_t to, Takes takes)
{
    if (radius < 0 || to < 0) return false;
    const int64_t r2 = int64_t(radius) * radius;
    const int top = std::max(centre.Y - radius, 0), bottom = std::min(centre.Y + radius, trees.Height - 1);
    const int left = std::max(centre.X - radius, 0), right = std::min(centre.X + radius, trees.Width - 1);
    bool changed = false;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const int64_t dx = x - centre.X, dy = y - centre.Y;
            if (dx * dx + dy * dy <= r2) changed |= Set(trees, x, y, to, takes);
        }
    return changed;
}

bool NotBarrier(int32_t v) { return v >= 0; }

// Even-odd rule for the point (x, y) against the polygon's edges.
bool InsidePolygon(const std::vector<TExtremum>& corners, int x, int y)
{
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const TExtremum a = corners[i], b = corners[j];
        if ((a.Y > y) == (b.Y > y)) continue;
        const double crossing = a.X + double(y - a.Y) * double(b.X - a.X) / double(b.Y - a.Y);
        if (x < crossing) inside = !inside;
    }
    return inside;
}

}  // namespace

int32_t NextTreeNumber(const TTreeMatrix& trees)
{
    int32_t highest = 0;
    for (int32_t v : trees.Values) highest = std::max(highest, v);
    // A file may hold the largest number there is; such a matrix takes no new crown until renumbered.
    return highest == INT32_MAX ? 0 : highest + 1;
}

bool DeleteCrown(TTreeMatrix& trees, TExtremum at)
{
    const int32_t tree = CrownAt(trees, at);
    return tree >= 1 && Relabel(trees, tree, 0);
}

bool MergeCrowns(TTreeMatrix& trees, TExtremum into, TExtremum from)
{
    const int32_t target = CrownAt(trees, into), source = CrownAt(trees, from);
    return target >= 1 && source >= 1 && target != source && Relabel(trees, source, target);
}

bool PaintPolygon(TTreeMatrix& trees, const std::vector<TExtremum>& corners)
{
    const int32_t tree = NextTreeNumber(trees);
    if (corners.size() < 3 || tree == 0) return false;
    int top = trees.Height, bottom = -1, left = trees.Width, right = -1;
    for (const TExtremum& c : corners) {
        top = std::min(top, std::max(c.Y, 0));
        bottom = std::max(bottom, std::min(c.Y, trees.Height - 1));
        left = std::min(left, std::max(c.X, 0));
        right = std::max(right, std::min(c.X, trees.Width - 1));
    }
    bool changed = false;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (InsidePolygon(corners, x, y)) changed |= Set(trees, x, y, tree, NotBarrier);
    // The outline itself belongs to the crown, whichever side the rule puts it on.
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++)
        ForLinePixels(corners[j].X, corners[j].Y, corners[i].X, corners[i].Y, [&](int x, int y) {
            if (Inside(trees, x, y)) changed |= Set(trees, x, y, tree, NotBarrier);
        });
    return changed;
}

bool PaintDisc(TTreeMatrix& trees, TExtremum centre, int radius, int32_t tree)
{
    return tree >= 1 && ForDisc(trees, centre, radius, tree, NotBarrier);
}

bool GrowDisc(TTreeMatrix& trees, TExtremum centre, int radius, int32_t tree)
{
    return tree >= 1 && ForDisc(trees, centre, radius, tree, [](int32_t v) { return v == 0; });
}

bool ShrinkDisc(TTreeMatrix& trees, TExtremum centre, int radius, int32_t tree)
{
    return tree >= 1 && ForDisc(trees, centre, radius, 0, [tree](int32_t v) { return v == tree; });
}

void RenumberCrowns(TTreeMatrix& trees)
{
    std::unordered_map<int32_t, int32_t> numbers;
    for (int32_t& v : trees.Values)
        if (v >= 1) v = numbers.try_emplace(v, int32_t(numbers.size() + 1)).first->second;
}

}  // namespace lumera
