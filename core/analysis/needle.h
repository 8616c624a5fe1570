#pragma once
#include "data/cube.h"
#include "data/instruction_set.h"
#include "analysis/analysis_picture.h"
#include "analysis/analysis_state.h"

namespace lumera {

// What the measure is divided by when normalisation is on.
enum class NeedleDivisor {
    Integral,       // "Jednoduchým integrálem": the plain band integral of the spectrum
    CounterWeight,  // "Protiváhou": the integral of the spectrum times the counter-weight
};

// Settings of the needle panel. Weight and CounterWeight are selector entries:
// 0 to 14 a table spectrum (for the counter-weight: one minus it), kCustomEntry
// the custom function.
struct NeedleSettings {
    int Weight = 0;
    bool Normalise = true;
    NeedleDivisor Divisor = NeedleDivisor::CounterWeight;
    int CounterWeight = 0;
    bool Absolute = false;  // P1, P2 are measure bounds x 10 rather than percentages of the range
    int P1 = 20;
    int P2 = 85;
};

// Whether the settings take a spectrum from the reference table.
bool NeedleUsesTable(const NeedleSettings& settings);

// The cube bands the needle analysis reads: all of the sensor's.
constexpr int kNeedleBands = 65;

// The measure per pixel, row by row: the band integral of the pixel spectrum
// (bands 2 to 65) times weight, divided, when divisor is given, by the band
// integral of the spectrum times divisor; a divisor integral of 0 or below
// gives 0. The cube must have 65 bands and the vectors 64 values. Every
// instruction set gives the same bytes; one the processor lacks falls back to
// the baseline.
std::vector<double> NeedleMeasure(const TData& cube, const SpectralVector& axis, const SpectralVector& weight,
                                  const SpectralVector* divisor, InstructionSet set = WidestInstructionSet());

// The needle analysis: the measure with the panel's weight and normalisation,
// its range (started at 1,000,000 and 0), the display bounds and the green
// picture. Stops with a message when the custom weight is chosen before it was
// set, the cube lacks bands, the reference table is needed but not loaded, or
// a weight cannot be peak-normalised.
AnalysisResult RunNeedle(const TData& cube, const SpectralState& state, const NeedleSettings& settings);

}  // namespace lumera
