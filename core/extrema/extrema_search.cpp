#include "extrema/extrema_search.h"

#include <algorithm>
#include <vector>

#include "extrema/search_source.h"

namespace lumera {

// The searches run plane by plane and row by row, so that each test is
// evaluated for a whole row of positions at once; the votes are then listed
// column by column. Each test compares exactly what the definition compares.

namespace {

struct Lower {
    template <class T> bool operator()(T neighbour, T centre) const { return neighbour < centre; }
};
struct LowerOrEqual {
    template <class T> bool operator()(T neighbour, T centre) const { return neighbour <= centre; }
};
struct Higher {
    template <class T> bool operator()(T neighbour, T centre) const { return neighbour > centre; }
};
struct HigherOrEqual {
    template <class T> bool operator()(T neighbour, T centre) const { return neighbour >= centre; }
};

template <class F>
void WithComparison(const SearchRule& rule, F&& run)
{
    if (rule.Rising) {
        if (rule.EqualityAllowed) run(HigherOrEqual{});
        else run(Higher{});
    } else {
        if (rule.EqualityAllowed) run(LowerOrEqual{});
        else run(Lower{});
    }
}

// Counts, for every tested position of row y, the directions or neighbours
// that count, then adds a vote where the count reaches the requirement.
template <class T, class Counts>
void VoteRow(const T* plane, int width, int y, const SearchRule& rule, Counts counts, std::vector<uint8_t>& tally,
             uint16_t* votes)
{
    const int reach = rule.Size / 2, from = reach, to = width - reach;
    const T* centre = plane + std::size_t(y) * width;
    uint8_t* t = tally.data();
    std::fill(tally.begin(), tally.end(), uint8_t(0));
    if (rule.Test == ExtremumTest::Neighbourhood) {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                if (dx == 0 && dy == 0) continue;
                const std::ptrdiff_t step = std::ptrdiff_t(dy) * width + dx;
                for (int x = from; x < to; ++x) t[x] += counts(centre[x + step], centre[x]);
            }
    } else {
        for (const auto& [sx, sy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
            const std::ptrdiff_t step = std::ptrdiff_t(sy) * width + sx;
            if (reach == 1) {
                for (int x = from; x < to; ++x)
                    t[x] += counts(centre[x + step], centre[x]) & counts(centre[x - step], centre[x]);
            } else {
                for (int x = from; x < to; ++x) {
                    const T plus = centre[x + step], minus = centre[x - step];
                    t[x] += counts(plus, centre[x]) & counts(minus, centre[x]) & counts(centre[x + 2 * step], plus) &
                            counts(centre[x - 2 * step], minus);
                }
            }
        }
    }
    for (int x = from; x < to; ++x) votes[x] += t[x] >= rule.Required;
}

template <class T>
TExtremaList Search(const SearchSource<T>& source, const SearchRule& rule)
{
    const int reach = rule.Size / 2, width = source.Width, height = source.Height;
    if (width < rule.Size || height < rule.Size || source.Needed > source.Count) return {};
    std::vector<uint16_t> votes(std::size_t(width) * height, 0);
    std::vector<uint8_t> tally(static_cast<std::size_t>(width));
    WithComparison(rule, [&](auto counts) {
        for (int b = 0; b < source.Count; ++b)
            for (int y = reach; y < height - reach; ++y)
                VoteRow(source.Plane(b), width, y, rule, counts, tally, votes.data() + std::size_t(y) * width);
    });
    TExtremaList points;
    for (int x = reach; x < width - reach; ++x)
        for (int y = reach; y < height - reach; ++y)
            if (votes[std::size_t(y) * width + x] >= source.Needed) points.push_back({x, y});
    return points;
}

}  // namespace

TExtremaList FindExtrema(const TMatice& brightness, const SearchRule& rule)
{
    return Search(PictureSource(brightness), rule);
}

TExtremaList FindExtrema(const TData& cube, int bands, const SearchRule& rule)
{
    return Search(CubeSource(cube, bands), rule);
}

}  // namespace lumera
