#include "crowns/marker_watershed.h"

#include <queue>
#include <stdexcept>
#include <vector>

namespace lumera {

namespace {

struct Waiting {
    double Level;
    uint32_t Order;  // when it began waiting
    uint16_t X, Y;
};

// Taken first: brighter, then earlier.
bool TakenBefore(const Waiting& a, const Waiting& b)
{
    return a.Level > b.Level || (a.Level == b.Level && a.Order < b.Order);
}

// The flood's state, shared by the fast and the plain way of choosing the next pixel.
class Flood {
public:
    Flood(const TMatice& surface, const TExtremaList& tops, const FloodLimits& limits)
        : surface_(surface), tops_(tops), limits_(limits), trees_(surface.Width, surface.Height)
    {
        // Positions are kept in 16 bits, far beyond any cut-out or picture; the
        // waiting order in 32, which fewer than 65536 x 65536 pixels never use up.
        if (surface.Width > 65535 || surface.Height > 65535)
            throw std::invalid_argument("Obraz je pro vymezení korun příliš velký.");
    }

    // Labels the tops; each labelled top is handed to `wait`.
    template <typename Wait>
    void Seed(Wait wait)
    {
        for (std::size_t k = 0; k < tops_.size(); ++k) {
            const TExtremum& t = tops_[k];
            if (!Inside(t.X, t.Y) || !Vegetated(t.X, t.Y) || trees_.At(t.X, t.Y) != 0) continue;
            trees_.At(t.X, t.Y) = int32_t(k + 1);
            wait(Waiting{surface_.At(t.X, t.Y), order_++, uint16_t(t.X), uint16_t(t.Y)});
        }
    }

    // Passes the pixel's tree on to its unclaimed neighbours within the limits.
    template <typename Wait>
    void Spread(const Waiting& p, Wait wait)
    {
        static constexpr int kDx[4] = {0, -1, 1, 0}, kDy[4] = {-1, 0, 0, 1};
        const int32_t tree = trees_.At(p.X, p.Y);
        for (int d = 0; d < 4; ++d) {
            const int x = p.X + kDx[d], y = p.Y + kDy[d];
            if (!Inside(x, y) || !Vegetated(x, y) || trees_.At(x, y) != 0 || !WithinReach(tree, x, y)) continue;
            trees_.At(x, y) = tree;
            wait(Waiting{surface_.At(x, y), order_++, uint16_t(x), uint16_t(y)});
        }
    }

    TTreeMatrix Result() { return std::move(trees_); }

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < surface_.Width && y < surface_.Height; }
    bool Vegetated(int x, int y) const
    {
        return (*limits_.Mask)[std::size_t(y) * std::size_t(surface_.Width) + std::size_t(x)] != 0;
    }
    bool WithinReach(int32_t tree, int x, int y) const
    {
        const TExtremum& top = tops_[std::size_t(tree - 1)];
        const double dx = x - top.X, dy = y - top.Y;
        return dx * dx + dy * dy <= limits_.MaxDistance * limits_.MaxDistance;
    }

    const TMatice& surface_;
    const TExtremaList& tops_;
    FloodLimits limits_;
    TTreeMatrix trees_;
    uint32_t order_ = 0;  // each pixel waits at most once
};

}  // namespace

TTreeMatrix MarkerWatershed(const TMatice& surface, const TExtremaList& tops, const FloodLimits& limits)
{
    auto later = [](const Waiting& a, const Waiting& b) { return TakenBefore(b, a); };
    std::priority_queue<Waiting, std::vector<Waiting>, decltype(later)> queue(later);
    Flood flood(surface, tops, limits);
    auto wait = [&queue](const Waiting& w) { queue.push(w); };
    flood.Seed(wait);
    while (!queue.empty()) {
        const Waiting next = queue.top();
        queue.pop();
        flood.Spread(next, wait);
    }
    return flood.Result();
}

TTreeMatrix PlainMarkerWatershed(const TMatice& surface, const TExtremaList& tops, const FloodLimits& limits)
{
    std::vector<Waiting> waiting;
    Flood flood(surface, tops, limits);
    auto wait = [&waiting](const Waiting& w) { waiting.push_back(w); };
    flood.Seed(wait);
    while (!waiting.empty()) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < waiting.size(); ++i)
            if (TakenBefore(waiting[i], waiting[best])) best = i;
        const Waiting next = waiting[best];
        waiting.erase(waiting.begin() + std::ptrdiff_t(best));
        flood.Spread(next, wait);
    }
    return flood.Result();
}

}  // namespace lumera
