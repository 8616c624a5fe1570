#include "mapping/tile_grid.h"

#include <algorithm>

namespace lumera {

namespace {

struct Span {
    int Start = 0;
    int Length = 0;
    int CoreStart = 0;
    int CoreEnd = 0;  // one past the last pixel
};

std::vector<Span> SplitAxis(int length, int size, int overlap)
{
    std::vector<Span> spans;
    const int step = size - overlap;
    for (int start = 0;; start += step) {
        const int clamped = std::max(0, std::min(start, length - size));
        spans.push_back({clamped, std::min(size, length), 0, 0});
        if (clamped + size >= length) break;
    }
    spans.front().CoreStart = 0;
    spans.back().CoreEnd = length;
    for (std::size_t i = 0; i + 1 < spans.size(); ++i) {
        const int sharedStart = spans[i + 1].Start, sharedEnd = spans[i].Start + spans[i].Length;
        spans[i].CoreEnd = spans[i + 1].CoreStart = sharedStart + (sharedEnd - sharedStart) / 2;
    }
    return spans;
}

}  // namespace

std::vector<Tile> TileGrid(int sceneWidth, int sceneHeight, int size, int overlap)
{
    const std::vector<Span> columns = SplitAxis(sceneWidth, size, overlap);
    const std::vector<Span> rows = SplitAxis(sceneHeight, size, overlap);
    std::vector<Tile> tiles;
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const Span& h = columns[c];
            const Span& v = rows[r];
            tiles.push_back({static_cast<int>(r), static_cast<int>(c), {h.Start, v.Start, h.Length, v.Length},
                             {h.CoreStart, v.CoreStart, h.CoreEnd - h.CoreStart, v.CoreEnd - v.CoreStart}});
        }
    return tiles;
}

}  // namespace lumera
