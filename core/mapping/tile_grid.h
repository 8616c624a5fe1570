#pragma once
#include <vector>

namespace lumera {

// A rectangle of pixels: columns X … X + Width − 1, rows Y … Y + Height − 1.
struct PixelRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    bool Contains(int column, int row) const
    {
        return column >= X && column < X + Width && row >= Y && row < Y + Height;
    }

    bool Overlaps(const PixelRect& o) const
    {
        return X < o.X + o.Width && o.X < X + Width && Y < o.Y + o.Height && o.Y < Y + Height;
    }
};

// One tile of a scene: the window it covers and its core, the part of the
// window it answers for. The cores of a grid cover the scene exactly once.
struct Tile {
    int Row = 0;     // 0-based position in the grid
    int Column = 0;
    PixelRect Window;
    PixelRect Core;
};

// The tiles of a scene of the given size: windows of `size` (smaller only
// where the scene is), neighbours overlapping by `overlap` pixels, the last
// window of a row or column moved back to end at the scene's edge. Between two
// neighbours the core boundary lies in the middle of their common strip, so a
// regular tile's core is its window without half the overlap on each inner
// side. Needs size ≥ 1 and 0 ≤ overlap < size.
std::vector<Tile> TileGrid(int sceneWidth, int sceneHeight, int size, int overlap);

}  // namespace lumera
