#include "crowns/voronoi.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "imaging/detail.h"

namespace lumera {

namespace {

// Squared distances in 64 bits without sign: coordinates from a file may lie
// anywhere in 32 bits, and the sum of two such squares still fits.
uint64_t Square(int64_t d) { return static_cast<uint64_t>(d * d); }

uint64_t Distance(int x, int y, const TExtremum& m) { return Square(int64_t(x) - m.X) + Square(int64_t(y) - m.Y); }

// The pixels x0 ... x1 - 1 of the rows y0 ... y1 - 1.
struct Block {
    int x0, y0, x1, y1;
    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
};

// Distance from the block to a maximum: 0 inside, else to the nearest pixel.
uint64_t NearDistance(const Block& b, const TExtremum& m)
{
    const int64_t dx = std::max<int64_t>({int64_t(b.x0) - m.X, 0, int64_t(m.X) - (b.x1 - 1)});
    const int64_t dy = std::max<int64_t>({int64_t(b.y0) - m.Y, 0, int64_t(m.Y) - (b.y1 - 1)});
    return Square(dx) + Square(dy);
}

// Distance from the farthest pixel of the block to a maximum: a corner.
uint64_t FarDistance(const Block& b, const TExtremum& m)
{
    const uint64_t dx = std::max(Square(int64_t(b.x0) - m.X), Square(int64_t(b.x1 - 1) - m.X));
    const uint64_t dy = std::max(Square(int64_t(b.y0) - m.Y), Square(int64_t(b.y1 - 1) - m.Y));
    return dx + dy;
}

// Every pixel of the block has a maximum no farther than `bound`, the least
// farthest-corner distance, so only maxima that come that near the block can
// be nearest (or tie) for one of its pixels. Keeps the list in index order,
// which keeps the lowest-index rule.
std::vector<int32_t> Candidates(const Block& b, const std::vector<int32_t>& from, const TExtremaList& maxima)
{
    uint64_t bound = UINT64_MAX;
    for (int32_t i : from) bound = std::min(bound, FarDistance(b, maxima[i]));
    std::vector<int32_t> kept;
    for (int32_t i : from)
        if (NearDistance(b, maxima[i]) <= bound) kept.push_back(i);
    return kept;
}

void LabelPixels(const Block& b, const std::vector<int32_t>& candidates, const TExtremaList& maxima,
                 TTreeMatrix& labels)
{
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            int32_t best = candidates[0];
            uint64_t bestDistance = Distance(x, y, maxima[best]);
            for (std::size_t k = 1; k < candidates.size(); ++k) {
                const uint64_t d = Distance(x, y, maxima[candidates[k]]);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = candidates[k];
                }
            }
            labels.At(x, y) = best;
        }
}

constexpr int kSmallBlock = 8;

// Narrows the candidates block by block, halving the longer side, until a
// block is small or has a single candidate.
void LabelBlock(const Block& b, const std::vector<int32_t>& from, const TExtremaList& maxima, TTreeMatrix& labels)
{
    const std::vector<int32_t> candidates = Candidates(b, from, maxima);
    if (candidates.size() == 1) {
        for (int y = b.y0; y < b.y1; ++y) std::fill_n(&labels.At(b.x0, y), b.Width(), candidates[0]);
        return;
    }
    if (b.Width() <= kSmallBlock && b.Height() <= kSmallBlock) {
        LabelPixels(b, candidates, maxima, labels);
        return;
    }
    const std::array<Block, 2> halves =
        b.Width() >= b.Height()
            ? std::array<Block, 2>{Block{b.x0, b.y0, b.x0 + b.Width() / 2, b.y1}, Block{b.x0 + b.Width() / 2, b.y0, b.x1, b.y1}}
            : std::array<Block, 2>{Block{b.x0, b.y0, b.x1, b.y0 + b.Height() / 2}, Block{b.x0, b.y0 + b.Height() / 2, b.x1, b.y1}};
    for (const Block& half : halves) LabelBlock(half, candidates, maxima, labels);
}

}  // namespace

TTreeMatrix VoronoiLabels(const TExtremaList& maxima, int width, int height)
{
    TTreeMatrix labels(std::max(width, 0), std::max(height, 0));
    if (maxima.empty() || labels.Values.empty()) return labels;
    std::vector<int32_t> all(maxima.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int32_t>(i);
    LabelBlock(Block{0, 0, labels.Width, labels.Height}, all, maxima, labels);
    return labels;
}

TTreeMatrix VoronoiLabelsExhaustive(const TExtremaList& maxima, int width, int height)
{
    TTreeMatrix labels(std::max(width, 0), std::max(height, 0));
    for (int y = 0; y < labels.Height; ++y)
        for (int x = 0; x < labels.Width; ++x) {
            int32_t best = 0;
            uint64_t bestDistance = UINT64_MAX;
            for (std::size_t i = 0; i < maxima.size(); ++i) {
                const uint64_t d = Distance(x, y, maxima[i]);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = static_cast<int32_t>(i);
                }
            }
            labels.At(x, y) = best;
        }
    return labels;
}

void PaintVoronoiAreas(Bitmap& picture, const TTreeMatrix& labels, int32_t maximaCount,
                       const std::function<void(int row)>& rowDone)
{
    picture.SetSize(labels.Width, labels.Height);
    std::vector<std::array<uint8_t, 3>> ramp(static_cast<std::size_t>(std::max(maximaCount, 0)));
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = RampColour(static_cast<int32_t>(i), maximaCount);
    for (int y = 0; y < labels.Height; ++y) {
        uint8_t* px = picture.ScanLine(y);
        for (int x = 0; x < labels.Width; ++x, px += 3) {
            const int32_t label = labels.At(x, y);
            const auto rgb = label >= 0 && label < maximaCount ? ramp[std::size_t(label)] : RampColour(label, maximaCount);
            px[0] = rgb[2];
            px[1] = rgb[1];
            px[2] = rgb[0];
        }
        if (rowDone) rowDone(y);
    }
}

}  // namespace lumera
