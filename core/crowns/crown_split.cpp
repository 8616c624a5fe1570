// The edits that divide a crown: a cut along a line, and a new top.
#include <algorithm>
#include <cstddef>
#include <deque>
#include <limits>

#include "crowns/crown_edits.h"
#include "crowns/marker_watershed.h"
#include "imaging/line_pixels.h"

namespace lumera {

namespace {

constexpr int32_t kUnassigned = -1;

// The 4-neighbours of pixel i inside the matrix, in the order up, left, right, down.
template <typename Visit>
void ForNeighbours(const TTreeMatrix& trees, std::size_t i, Visit visit)
{
    const std::size_t w = std::size_t(trees.Width);
    const std::size_t x = i % w, y = i / w;
    if (y > 0) visit(i - w);
    if (x > 0) visit(i - 1);
    if (x + 1 < w) visit(i + 1);
    if (y + 1 < std::size_t(trees.Height)) visit(i + w);
}

// One crown's pixels after the cut: each part gets an index from 0 in row
// order of its first pixel; line pixels stay kUnassigned.
struct Parts {
    std::vector<int32_t> Of;  // per matrix pixel, kUnassigned outside the parts
    std::vector<int64_t> Sizes;
};

Parts FindParts(const TTreeMatrix& trees, int32_t tree, const std::vector<uint8_t>& cut)
{
    Parts parts;
    parts.Of.assign(trees.Values.size(), kUnassigned);
    std::vector<std::size_t> stack;
    for (std::size_t start = 0; start < trees.Values.size(); ++start) {
        if (trees.Values[start] != tree || cut[start] || parts.Of[start] != kUnassigned) continue;
        const int32_t part = int32_t(parts.Sizes.size());
        parts.Sizes.push_back(0);
        parts.Of[start] = part;
        stack.push_back(start);
        while (!stack.empty()) {
            const std::size_t i = stack.back();
            stack.pop_back();
            ++parts.Sizes.back();
            ForNeighbours(trees, i, [&](std::size_t n) {
                if (trees.Values[n] == tree && !cut[n] && parts.Of[n] == kUnassigned) {
                    parts.Of[n] = part;
                    stack.push_back(n);
                }
            });
        }
    }
    return parts;
}

// The parts beside the cut that are large enough to stand as crowns.
std::vector<int32_t> SidesOfCut(const TTreeMatrix& trees, const Parts& parts, const std::vector<std::size_t>& cutPixels)
{
    std::vector<uint8_t> touched(parts.Sizes.size(), 0);
    for (std::size_t i : cutPixels)
        ForNeighbours(trees, i, [&](std::size_t n) {
            if (parts.Of[n] != kUnassigned) touched[std::size_t(parts.Of[n])] = 1;
        });
    std::vector<int32_t> sides;
    for (std::size_t p = 0; p < touched.size(); ++p)
        if (touched[p] && parts.Sizes[p] >= kSmallestCutPiece) sides.push_back(int32_t(p));
    return sides;
}

// The line's pixels and the splinters go to the side they touch first: a
// breadth-first flood from the sides, in row order, through the crown.
void AbsorbSplinters(TTreeMatrix& trees, int32_t tree, std::vector<int32_t> number)
{
    std::deque<std::size_t> queue;
    for (std::size_t i = 0; i < trees.Values.size(); ++i)
        if (number[i] != kUnassigned) queue.push_back(i);
    while (!queue.empty()) {
        const std::size_t i = queue.front();
        queue.pop_front();
        ForNeighbours(trees, i, [&](std::size_t n) {
            if (trees.Values[n] == tree && number[n] == kUnassigned) {
                number[n] = number[i];
                queue.push_back(n);
            }
        });
    }
    for (std::size_t i = 0; i < trees.Values.size(); ++i)
        if (number[i] != kUnassigned) trees.Values[i] = number[i];
}

// Cuts one crown along the line's pixels of it; true when it fell apart.
bool CutCrown(TTreeMatrix& trees, int32_t tree, const std::vector<std::size_t>& line)
{
    std::vector<uint8_t> cut(trees.Values.size(), 0);
    std::vector<std::size_t> cutPixels;
    for (std::size_t i : line)
        if (trees.Values[i] == tree && !cut[i]) {
            cut[i] = 1;
            cutPixels.push_back(i);
        }
    const Parts parts = FindParts(trees, tree, cut);
    const std::vector<int32_t> sides = SidesOfCut(trees, parts, cutPixels);
    const int32_t next = NextTreeNumber(trees);
    if (sides.size() < 2 || next == 0 || int64_t(next) + int64_t(sides.size()) - 2 > INT32_MAX) return false;
    // The largest side keeps the number (the first of equal ones).
    const int32_t keeper = *std::max_element(sides.begin(), sides.end(), [&](int32_t a, int32_t b) {
        return parts.Sizes[std::size_t(a)] < parts.Sizes[std::size_t(b)];
    });
    std::vector<int32_t> numberOfPart(parts.Sizes.size(), kUnassigned);
    int32_t fresh = next;
    for (int32_t side : sides) numberOfPart[std::size_t(side)] = side == keeper ? tree : fresh++;
    std::vector<int32_t> number(trees.Values.size(), kUnassigned);
    for (std::size_t i = 0; i < number.size(); ++i)
        if (parts.Of[i] != kUnassigned) number[i] = numberOfPart[std::size_t(parts.Of[i])];
    AbsorbSplinters(trees, tree, std::move(number));
    return true;
}

// The brightest pixel of the crown, the first in row order among equals.
TExtremum CrownTop(const TTreeMatrix& trees, const TMatice& surface, int32_t tree)
{
    TExtremum top{-1, -1};
    double best = -std::numeric_limits<double>::infinity();
    for (int y = 0; y < trees.Height; ++y)
        for (int x = 0; x < trees.Width; ++x)
            if (trees.At(x, y) == tree && (top.X < 0 || surface.At(x, y) > best)) {
                best = surface.At(x, y);
                top = {x, y};
            }
    return top;
}

}  // namespace

bool SplitCrown(TTreeMatrix& trees, TExtremum from, TExtremum to)
{
    std::vector<std::size_t> line;
    std::vector<int32_t> crossed;
    ForLinePixels(from.X, from.Y, to.X, to.Y, [&](int x, int y) {
        if (x < 0 || y < 0 || x >= trees.Width || y >= trees.Height) return;
        const std::size_t i = std::size_t(y) * std::size_t(trees.Width) + std::size_t(x);
        line.push_back(i);
        if (trees.Values[i] >= 1 && std::find(crossed.begin(), crossed.end(), trees.Values[i]) == crossed.end())
            crossed.push_back(trees.Values[i]);
    });
    bool changed = false;
    for (int32_t tree : crossed) changed |= CutCrown(trees, tree, line);
    return changed;
}

bool AddTreeTop(TTreeMatrix& trees, const TMatice& surface, TExtremum top)
{
    if (surface.Width != trees.Width || surface.Height != trees.Height) return false;
    if (top.X < 0 || top.Y < 0 || top.X >= trees.Width || top.Y >= trees.Height) return false;
    const int32_t tree = trees.At(top.X, top.Y), next = NextTreeNumber(trees);
    if (tree < 1 || next == 0) return false;
    const TExtremum old = CrownTop(trees, surface, tree);
    if (old == top) return false;
    VegetationMask crown(trees.Values.size(), 0);
    for (std::size_t i = 0; i < crown.size(); ++i) crown[i] = trees.Values[i] == tree;
    const TTreeMatrix divided =
        MarkerWatershed(surface, {old, top}, {&crown, std::numeric_limits<double>::infinity()});
    for (std::size_t i = 0; i < crown.size(); ++i)
        if (divided.Values[i] == 2) trees.Values[i] = next;
    return true;
}

}  // namespace lumera
