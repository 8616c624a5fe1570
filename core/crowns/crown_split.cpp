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

// The work space of a cut, the matrix's size, kept clear outside the crown
// being cut so that a line across many crowns costs only their pixels.
struct CutWork {
    std::vector<uint8_t> Cut;
    std::vector<int32_t> Part;  // per pixel its part index, then its new number; kUnassigned elsewhere
    std::vector<int64_t> Sizes;

    explicit CutWork(std::size_t pixels) : Cut(pixels, 0), Part(pixels, kUnassigned) {}
};

// Numbers the 4-connected parts of the crown outside the cut from 0, in row
// order of their first pixel.
void FindParts(const TTreeMatrix& trees, const std::vector<std::size_t>& crown, CutWork& work)
{
    const int32_t tree = trees.Values[crown.front()];
    work.Sizes.clear();
    std::vector<std::size_t> stack;
    for (std::size_t start : crown) {
        if (work.Cut[start] || work.Part[start] != kUnassigned) continue;
        const int32_t part = int32_t(work.Sizes.size());
        work.Sizes.push_back(0);
        work.Part[start] = part;
        stack.push_back(start);
        while (!stack.empty()) {
            const std::size_t i = stack.back();
            stack.pop_back();
            ++work.Sizes.back();
            ForNeighbours(trees, i, [&](std::size_t n) {
                if (trees.Values[n] == tree && !work.Cut[n] && work.Part[n] == kUnassigned) {
                    work.Part[n] = part;
                    stack.push_back(n);
                }
            });
        }
    }
}

// The parts beside the cut that are large enough to stand as crowns.
std::vector<int32_t> SidesOfCut(const TTreeMatrix& trees, const CutWork& work, const std::vector<std::size_t>& cut)
{
    std::vector<int32_t> sides;
    for (std::size_t i : cut)
        ForNeighbours(trees, i, [&](std::size_t n) {
            const int32_t part = work.Part[n];
            if (part != kUnassigned && work.Sizes[std::size_t(part)] >= kSmallestCutPiece) sides.push_back(part);
        });
    std::sort(sides.begin(), sides.end());
    sides.erase(std::unique(sides.begin(), sides.end()), sides.end());
    return sides;
}

// The line's pixels and the splinters go to the side they touch first: a
// breadth-first flood from the sides, in row order, through the crown.
void AbsorbSplinters(TTreeMatrix& trees, const std::vector<std::size_t>& crown, std::vector<int32_t>& number)
{
    const int32_t tree = trees.Values[crown.front()];
    std::deque<std::size_t> queue;
    for (std::size_t i : crown)
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
    for (std::size_t i : crown)
        if (number[i] != kUnassigned) trees.Values[i] = number[i];
}

// Cuts one crown (its pixels in row order) along the line; true when it fell
// apart. Its new sides take the numbers from `next` on.
bool CutCrown(TTreeMatrix& trees, const std::vector<std::size_t>& crown, const std::vector<std::size_t>& line,
              int32_t& next, CutWork& work)
{
    const int32_t tree = trees.Values[crown.front()];
    std::vector<std::size_t> cut;
    for (std::size_t i : line)
        if (trees.Values[i] == tree && !work.Cut[i]) {
            work.Cut[i] = 1;
            cut.push_back(i);
        }
    FindParts(trees, crown, work);
    const std::vector<int32_t> sides = SidesOfCut(trees, work, cut);
    const bool cuts = sides.size() >= 2 && next != 0 && int64_t(next) + int64_t(sides.size()) - 2 <= INT32_MAX;
    if (cuts) {
        // The largest side keeps the number (the first of equal ones).
        const int32_t keeper = *std::max_element(sides.begin(), sides.end(), [&](int32_t a, int32_t b) {
            return work.Sizes[std::size_t(a)] < work.Sizes[std::size_t(b)];
        });
        std::vector<int32_t> numberOfPart(work.Sizes.size(), kUnassigned);
        for (int32_t side : sides) numberOfPart[std::size_t(side)] = side == keeper ? tree : next++;
        for (std::size_t i : crown)
            if (work.Part[i] != kUnassigned) work.Part[i] = numberOfPart[std::size_t(work.Part[i])];
        AbsorbSplinters(trees, crown, work.Part);
    }
    for (std::size_t i : crown) {
        work.Cut[i] = 0;
        work.Part[i] = kUnassigned;
    }
    return cuts;
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
    if (crossed.empty()) return false;
    std::vector<std::vector<std::size_t>> crowns(crossed.size());
    for (std::size_t i = 0; i < trees.Values.size(); ++i) {
        const auto k = std::find(crossed.begin(), crossed.end(), trees.Values[i]);
        if (k != crossed.end()) crowns[std::size_t(k - crossed.begin())].push_back(i);
    }
    CutWork work(trees.Values.size());
    int32_t next = NextTreeNumber(trees);
    bool changed = false;
    for (const auto& crown : crowns) changed |= CutCrown(trees, crown, line, next, work);
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
