#pragma once
#include <algorithm>
#include <cstdlib>
#include <string>

#include "crowns/tree_matrix.h"
#include "imaging/bitmap.h"

namespace lumera::testing {

// Two bright crowns, tops (8, 10) and (30, 10), with a dark gap at column 23,
// off the middle between them: their Voronoi border is column 19.
inline Bitmap TwoCrowns()
{
    Bitmap picture(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            px[0] = px[1] = px[2] = static_cast<uint8_t>(std::min(100 + 10 * std::abs(x - 23), 255));
        }
    return picture;
}

// A tree matrix from rows split by '/': '.' no tree, '#' barrier, a digit the tree.
inline TTreeMatrix Trees(const std::string& rows)
{
    TTreeMatrix m(int32_t(rows.find('/') == std::string::npos ? rows.size() : rows.find('/')), 0);
    for (char c : rows)
        if (c != '/') m.Values.push_back(c == '.' ? 0 : c == '#' ? -1 : c - '0');
    m.Height = int32_t(m.Values.size() / std::size_t(m.Width));
    return m;
}

}  // namespace lumera::testing
