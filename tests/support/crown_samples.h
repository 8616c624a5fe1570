#pragma once
#include <algorithm>
#include <cstdlib>
#include <string>

#include "crowns/tree_matrix.h"
#include "sample_data.h"

namespace lumera::testing {

// Two bright crowns, tops (8, 10) and (30, 10), with a dark gap at column 23,
// off the middle between them: their Voronoi border is column 19.
inline Bitmap TwoCrowns()
{
    return GreyPicture(40, 20, [](int x, int) { return std::min(100 + 10 * std::abs(x - 23), 255); });
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
