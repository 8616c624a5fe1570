#pragma once
#include "imaging/bitmap.h"
#include "imaging/drawing.h"
#include "analysis/analysis_state.h"

namespace lumera {

// The weight-function editor's picture: 10 pixels per band, bars standing on
// the bottom edge, drawings accumulating until cleared.
constexpr int kWeightChartWidth = 640;
constexpr int kWeightChartHeight = 250;
constexpr BgrColour kTableBarColour{0, 128, 0};     // the table's weights
constexpr BgrColour kFunctionBarColour{0, 0, 255};  // the current custom function
constexpr BgrColour kReferenceLineColour{255, 0, 0};

// The largest value, or 0 when none is larger. Charts scale by it, so a
// function without a positive value cannot be drawn.
double PositivePeak(const SpectralVector& f);

// Bars of f scaled so that its largest value stands H - 11 pixels high: band
// i's bar covers the columns 10i + left to 10i + left + 2. Draws nothing and
// returns false when f has no positive value.
bool DrawWeightBars(Bitmap& picture, const SpectralVector& f, int left, BgrColour colour);

// The reference spectrum as a polyline two pixels wide through
// (10i + 5, its height scaled to H - 2 at the peak). Draws nothing and
// returns false when r has no positive value.
bool DrawReferenceLine(Bitmap& picture, const SpectralVector& r);

// Whitens everything but the top row and the left column.
void ClearWeightChart(Bitmap& picture);

}  // namespace lumera
