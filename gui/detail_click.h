#pragma once
#include <initializer_list>

class QLabel;
class QString;

namespace lumera::gui {

class PictureView;

// A picture and the detail picture that magnifies it.
struct DetailPair {
    const PictureView* Source;
    PictureView* Detail;
};

// A click at (x, y) on one of a window's pictures: the position is raised to
// at least 30 in each direction, the label shows the range, and every pair is
// magnified at that same place. A source too small to magnify (or empty)
// leaves its detail blank rather than showing a part of an earlier picture.
void ShowDetails(QLabel* detailLabel, int x, int y, std::initializer_list<DetailPair> pairs);

// The label shows the given text and every pair is magnified around (x, y)
// as it stands; the magnifier keeps its window inside each picture.
void ShowDetailsAt(QLabel* detailLabel, const QString& text, int x, int y, std::initializer_list<DetailPair> pairs);

}  // namespace lumera::gui
