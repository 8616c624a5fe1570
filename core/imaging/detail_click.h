#pragma once
#include <algorithm>

#include "imaging/detail.h"

namespace lumera {

// A click on a picture view as the detail magnifier is given it: the position
// raised to at least 30 in each direction. The label (`DetailRangeText`) and
// `ShowDetail` both take the raised position.
struct DetailClick {
    int X = 0;
    int Y = 0;
};

inline DetailClick RaiseDetailClick(int x, int y)
{
    return {std::max(x, kDetailRadius), std::max(y, kDetailRadius)};
}

// True when the picture is large enough (61 x 61) to be magnified.
inline bool CanShowDetail(const Bitmap& source)
{
    return source.Width() >= kDetailSource && source.Height() >= kDetailSource;
}

}  // namespace lumera
