#pragma once
#include <optional>
#include <string>
#include <vector>

#include "data/band_table.h"
#include "data/reporter.h"
#include "analysis/analysis_state.h"

namespace lumera {

// The weight-function editor's table: the 64 bands 2 to 65 in four blocks of
// 16 columns, each block three rows high (the label "band" + number, the
// centre in nanometres, the weight).
constexpr int kWeightGridColumns = 16;
constexpr int kWeightGridRows = 12;

struct GridCell {
    int Row = 0;
    int Column = 0;
};

// The weight cell of spectral-vector element i (band i + 2).
inline GridCell WeightCell(int i) { return {3 * (i / kWeightGridColumns) + 2, i % kWeightGridColumns}; }

// Cell texts [row][column] of a new table: labels, centres in the given
// decimal separator and weights "1".
std::vector<std::vector<std::string>> NewWeightGrid(const TBandTable& bands, char decimalSeparator);

// The weights typed into the weight cells (texts in spectral-vector order).
struct ParsedWeights {
    SpectralVector Weights;         // complete when every text is a number
    std::optional<std::string> Bad;  // else the first text that is not
};
ParsedWeights ParseWeights(const std::vector<std::string>& texts, char decimalSeparator);

// Message for a weight cell that is not a number.
std::string NotANumberMessage(const std::string& text);

// The operations of "Aplikovat operaci:" in the selector's order; None while
// no entry is selected.
enum class WeightOperation { None = -1, Power, OneMinus, ProductWithMemory, SumWithMemory };

// Whether the operation reads the editor memory.
bool UsesMemory(WeightOperation operation);

// The operation applied to the table x; memory is the editor memory.
SpectralVector ApplyWeightOperation(const SpectralVector& x, WeightOperation operation,
                                    const SpectralVector& memory, Reporter& reporter);

// Which custom function the editor works on.
enum class WeightEditorMode { Weight, CounterWeight };

SpectralVector& CustomFunction(SpectralState& state, WeightEditorMode mode);

// "Nastavit váhovou funkci": peak-normalises the weights and stores them as
// the mode's custom function, setting the custom-function flag. Weights
// without a peak (all 0) change nothing and give false.
bool StoreCustomFunction(SpectralState& state, WeightEditorMode mode, SpectralVector weights);

}  // namespace lumera
