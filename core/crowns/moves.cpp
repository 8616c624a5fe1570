#include "crowns/moves.h"

#include "data/rounding.h"

namespace lumera {

namespace {

constexpr int kJunctionPasses = 3;

struct Position {
    int32_t X, Y;
};

bool InsideFrame(const TMatice& f, Position p) { return p.X >= 1 && p.Y >= 1 && p.X <= f.Width - 2 && p.Y <= f.Height - 2; }
bool Inside(const TMatice& f, Position p) { return p.X >= 0 && p.Y >= 0 && p.X < f.Width && p.Y < f.Height; }

// The position t steps along the normal (or against it for a negative t).
Position Step(const TMBod& point, int t)
{
    return {Round(double(point.X) + double(t) * point.NormalX), Round(double(point.Y) + double(t) * point.NormalY)};
}

// Walks from a chain point towards the darker side for as long as the value
// does not rise; returns where the walk ends.
Position Walk(const TMBod& point, const TMatice& f, std::optional<int> stepLimit)
{
    const Position start{point.X, point.Y};
    const Position ahead = Step(point, 1), behind = Step(point, -1);
    // Only a normal longer than one pixel could reach past the edge.
    if (!Inside(f, ahead) || !Inside(f, behind)) return start;
    const double c = f.At(start.X, start.Y), p = f.At(ahead.X, ahead.Y), m = f.At(behind.X, behind.Y);
    if (p > c && m > c) return start;
    const int s = p < m ? 1 : -1;
    Position last = start;
    double lastValue = c;
    for (int t = 1;; ++t) {
        if (stepLimit && t > *stepLimit) return last;
        const Position next = Step(point, s * t);
        if (!InsideFrame(f, next)) return last;
        const double value = f.At(next.X, next.Y);
        if (t >= 2 && value > lastValue) return last;
        last = next;
        lastValue = value;
    }
}

bool Walks(const TMBod& point, const TMatice& f)
{
    return point.NeighbourCount == 2 && InsideFrame(f, {point.X, point.Y}) &&
           (point.NormalX != 0.0 || point.NormalY != 0.0);
}

void AverageJunctions(TNetwork& moved)
{
    for (TMBod& point : moved) {
        if (point.NeighbourCount < 3) continue;
        int64_t sumX = 0, sumY = 0;
        for (int32_t j : point.Neighbours) {
            sumX += moved[std::size_t(j)].X;
            sumY += moved[std::size_t(j)].Y;
        }
        const double count = double(point.Neighbours.size());
        point.X = Round(double(sumX) / count);
        point.Y = Round(double(sumY) / count);
    }
}

}  // namespace

TNetwork MovePoints(const TNetwork& boundary, const TMatice& filtered, std::optional<int> stepLimit)
{
    TNetwork moved = boundary;
    for (TMBod& point : moved) point.NormalX = point.NormalY = 0.0;
    for (std::size_t i = 0; i < boundary.size(); ++i) {
        if (!Walks(boundary[i], filtered)) continue;
        const Position end = Walk(boundary[i], filtered, stepLimit);
        moved[i].X = end.X;
        moved[i].Y = end.Y;
    }
    for (int pass = 0; pass < kJunctionPasses; ++pass) AverageJunctions(moved);
    return moved;
}

}  // namespace lumera
