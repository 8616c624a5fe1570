#include "crowns/single_trees.h"

#include <algorithm>
#include <vector>

namespace lumera {

namespace {

constexpr int32_t kBarrier = -1;

uint8_t Blue(const Bitmap& picture, int x, int y) { return picture.ScanLine(y)[3 * std::size_t(x)]; }

TTreeMatrix Barriers(const Bitmap& left, const Bitmap& right)
{
    TTreeMatrix trees(left.Width(), left.Height());
    const int w = std::min(left.Width(), right.Width()), h = std::min(left.Height(), right.Height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (Blue(right, x, y) == 255) trees.At(x, y) = kBarrier;
    return trees;
}

// Numbers every free pixel at least threshold bright that is 4-connected to
// the seed, visiting up, right, down, left depth first.
void Fill(TTreeMatrix& trees, const Bitmap& left, int threshold, int x, int y, int32_t number)
{
    auto eligible = [&](int px, int py) {
        return px >= 0 && py >= 0 && px < trees.Width && py < trees.Height && trees.At(px, py) == 0 &&
               Blue(left, px, py) >= threshold;
    };
    std::vector<std::pair<int, int>> stack{{x, y}};
    trees.At(x, y) = number;
    while (!stack.empty()) {
        const auto [cx, cy] = stack.back();
        stack.pop_back();
        // Pushed in reverse so that the upper neighbour is visited first.
        for (const auto& [nx, ny] : {std::pair{cx - 1, cy}, {cx, cy + 1}, {cx + 1, cy}, {cx, cy - 1}})
            if (eligible(nx, ny)) {
                trees.At(nx, ny) = number;
                stack.push_back({nx, ny});
            }
    }
}

}  // namespace

TTreeMatrix GrowTrees(const Bitmap& left, const Bitmap& right, const TExtremaList& maxima, int threshold)
{
    TTreeMatrix trees = Barriers(left, right);
    for (std::size_t i = 0; i < maxima.size(); ++i) {
        const TExtremum& m = maxima[i];
        if (m.X < 0 || m.Y < 0 || m.X >= trees.Width || m.Y >= trees.Height) continue;
        if (trees.At(m.X, m.Y) != 0 || Blue(left, m.X, m.Y) < threshold) continue;
        Fill(trees, left, threshold, m.X, m.Y, static_cast<int32_t>(i + 1));
    }
    return trees;
}

void PaintTreesOverlay(Bitmap& right, const Bitmap& left, const TTreeMatrix& trees)
{
    const int w = std::min({right.Width(), left.Width(), int(trees.Width)});
    const int h = std::min({right.Height(), left.Height(), int(trees.Height)});
    for (int y = 0; y < h; ++y) {
        uint8_t* out = right.ScanLine(y);
        const uint8_t* in = left.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            uint8_t* px = out + 3 * std::size_t(x);
            std::copy_n(in + 3 * std::size_t(x), 3, px);
            if (trees.At(x, y) > 0) px[0] = px[2] = 0;
        }
    }
}

}  // namespace lumera
