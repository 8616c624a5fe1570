#pragma once
#include <string>
#include <vector>

namespace lumera {

// A spectral vector: one value per band 2 to 65, element i belonging to band
// i + 2 and to point i of the spectral axis.
using SpectralVector = std::vector<double>;

// Points of the spectral axis: the bands 2 to 65 (band 1 takes no part).
constexpr int kSpectralBands = 64;
// Spectra in the reference table, and the selector entry after them that
// stands for the custom function ("vlastní").
constexpr int kReferenceSpectra = 15;
constexpr int kCustomEntry = kReferenceSpectra;

// Names of the reference table's spectra in table order.
extern const char* const kReferenceNames[kReferenceSpectra];

// Where the reference files lie below the program directory.
constexpr const char* kReferenceFolder = "/data/refsp/";
constexpr const char* kReferenceTableFile = "AllRefSp.dat";
constexpr const char* kReferenceTextFile = "RefSpE34.txt";

// Everything the spectral analyses compare pixel spectra with. Owned by the
// running program, passed to the analyses explicitly.
struct SpectralState {
    SpectralVector Axis;                          // wavelengths in µm, ascending
    std::vector<SpectralVector> ReferenceTable;   // 15 spectra once loaded, else empty
    std::string ReferenceFileName;                // the text spectrum's file name
    SpectralVector CurrentReference;              // resampled and peak-normalised, empty until loaded
    SpectralVector CustomWeight;
    SpectralVector CustomCounterWeight;
    bool CustomFunctionSet = false;               // set when the editor stores either custom function
};

// Fills the axis with the centres of bands 2 to 65 (0.4003 to 0.9816 µm).
void BuildSpectralAxis(SpectralState& state);

// Both custom functions become 64 values of 1.0.
void InitCustomFunctions(SpectralState& state);

// Drops the reference table and the current reference spectrum.
void ReleaseReferences(SpectralState& state);

}  // namespace lumera
