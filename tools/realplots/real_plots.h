#pragma once
#include <string>
#include <vector>

#include "crowns/tree_matrix.h"
#include "imaging/bitmap.h"

namespace lumera::realplots {

// One plot of tests/data/idtrees: its name, and whether it is the 0.4 m
// version (NAME_40cm) made from the 0.1 m picture.
struct PlotCase {
    std::string Name;  // e.g. "MLBS_1" or "MLBS_1_40cm"
    std::string Site;  // "MLBS" or "OSBS"
    double PixelSize = 0.1;
};

// The cases of the folder's cases.csv, in its order.
std::vector<PlotCase> ReadCases(const std::string& folder);

// The 0.4 m picture: means of 4 x 4 blocks of the 0.1 m one per channel,
// rounded half to even (as the plots' source made them).
Bitmap BlockMeans4(const Bitmap& picture);

// The grey picture of the fine picture averaged over blocks of block x block
// pixels: the mean of the channels' block means (not rounded), stretched from
// its 0.5th percentile (to 0) to its 99.5th (to 255), rounded half to even and
// clipped. The percentiles interpolate linearly between the sorted values.
Bitmap StretchedGrey(const Bitmap& fine, int block);

// The plot's true crowns from its box list (tree, id, min_x, min_y, max_x,
// max_y, box_pixels, ...: inclusive pixel boxes): a pixel belongs to a box
// that holds it, the smallest box where boxes overlap (the earlier one of
// equal size).
TTreeMatrix TruthFromBoxes(const std::string& boxesCsv, int width, int height);

// A case's colour picture, made from the 0.1 m one where needed.
Bitmap ColourPicture(const std::string& folder, const PlotCase& plot);

// A case's grey picture, made from the 0.1 m colour one.
Bitmap GreyPicture(const std::string& folder, const PlotCase& plot);

}  // namespace lumera::realplots
