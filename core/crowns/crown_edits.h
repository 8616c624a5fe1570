#pragma once
#include <vector>

#include "crowns/tree_matrix.h"
#include "data/matice.h"
#include "extrema/extremum.h"

namespace lumera {

// Hand corrections of a tree matrix. Each edit changes the matrix in place and
// tells whether it changed anything; barriers (-1) are never painted over or
// removed. Positions are 0-based pixels; those outside the matrix are ignored.

// The number a new crown gets: one above the highest in the matrix.
int32_t NextTreeNumber(const TTreeMatrix& trees);

// The crown at the pixel becomes background.
bool DeleteCrown(TTreeMatrix& trees, TExtremum at);

// The crown at `from` joins the crown at `into`.
bool MergeCrowns(TTreeMatrix& trees, TExtremum into, TExtremum from);

// Fewer pixels than this left on one side of a cut are a splinter of the line,
// not a crown; they join the neighbour they touch.
constexpr int kSmallestCutPiece = 5;

// Cuts every crown the straight line (Bresenham, both ends included) crosses.
// Where a crown falls apart into several 4-connected parts, the largest keeps
// its number and the others get new ones; the line's own pixels and pieces
// smaller than kSmallestCutPiece go to the part they touch first. A crown
// the line does not cut through stays as it was.
bool SplitCrown(TTreeMatrix& trees, TExtremum from, TExtremum to);

// A new crown of the pixels inside the polygon whose corners are the given
// pixels (even-odd rule), its outline included; it takes background and other
// crowns' pixels alike.
bool PaintPolygon(TTreeMatrix& trees, const std::vector<TExtremum>& corners);

// The round brush: the pixels within `radius` of the centre.
// Paints crown `tree` over background and other crowns (a drawn crown).
bool PaintDisc(TTreeMatrix& trees, TExtremum centre, int radius, int32_t tree);
// Grows crown `tree` into background only: a neighbour is never eaten.
bool GrowDisc(TTreeMatrix& trees, TExtremum centre, int radius, int32_t tree);
// Shrinks crown `tree`: its pixels under the brush become background.
bool ShrinkDisc(TTreeMatrix& trees, TExtremum centre, int radius, int32_t tree);

// A new tree top inside a crown: the crown is divided between its old top
// (its brightest pixel on the surface, the first in row order among equals)
// and the new one by the marker-controlled watershed of the automatic
// delineation, kept inside the crown. The new top's side gets a new number.
bool AddTreeTop(TTreeMatrix& trees, const TMatice& surface, TExtremum top);

// Numbers the crowns 1..N in the order they first appear row by row.
void RenumberCrowns(TTreeMatrix& trees);

}  // namespace lumera
