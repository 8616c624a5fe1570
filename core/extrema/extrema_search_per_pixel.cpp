#include "extrema/extrema_search.h"
#include "extrema/search_source.h"

namespace lumera {

namespace {

template <class T>
bool Counts(T neighbour, T centre, const SearchRule& rule)
{
    if (rule.Rising) return rule.EqualityAllowed ? neighbour >= centre : neighbour > centre;
    return rule.EqualityAllowed ? neighbour <= centre : neighbour < centre;
}

template <class T>
bool Passes(const T* plane, int width, int x, int y, const SearchRule& rule)
{
    const auto at = [&](int px, int py) { return plane[std::size_t(py) * width + px]; };
    const T centre = at(x, y);
    const int reach = rule.Size / 2;
    int counting = 0;
    if (rule.Test == ExtremumTest::Neighbourhood) {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (dx != 0 || dy != 0) counting += Counts(at(x + dx, y + dy), centre, rule);
    } else {
        for (const auto& [sx, sy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
            const T plus = at(x + sx, y + sy), minus = at(x - sx, y - sy);
            bool direction = Counts(plus, centre, rule) && Counts(minus, centre, rule);
            if (reach == 2)
                direction = direction && Counts(at(x + 2 * sx, y + 2 * sy), plus, rule) &&
                            Counts(at(x - 2 * sx, y - 2 * sy), minus, rule);
            counting += direction;
        }
    }
    return counting >= rule.Required;
}

template <class T>
TExtremaList Search(const SearchSource<T>& source, const SearchRule& rule)
{
    TExtremaList points;
    const int reach = rule.Size / 2;
    for (int x = reach; x <= source.Width - 1 - reach; ++x)
        for (int y = reach; y <= source.Height - 1 - reach; ++y) {
            int vote = 0;
            for (int b = 0; b < source.Count; ++b) vote += Passes(source.Plane(b), source.Width, x, y, rule);
            if (vote >= source.Needed) points.push_back({x, y});
        }
    return points;
}

}  // namespace

TExtremaList FindExtremaPerPixel(const TMatice& brightness, const SearchRule& rule)
{
    return Search(PictureSource(brightness), rule);
}

TExtremaList FindExtremaPerPixel(const TData& cube, int bands, const SearchRule& rule)
{
    return Search(CubeSource(cube, bands), rule);
}

}  // namespace lumera
