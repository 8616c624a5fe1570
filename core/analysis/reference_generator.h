#pragma once
#include <array>
#include <string>

#include "analysis/reference_library.h"
#include "analysis/analysis_state.h"

namespace lumera {

// The library spectrum behind each entry of the reference table, in table
// order (E1 ... S34), and the one behind the text spectrum.
extern const std::array<const char*, kReferenceSpectra> kReferenceColumns;
extern const char* const kReferenceTextColumn;

// The reference table file's bytes: each chosen spectrum interpolated
// linearly at the axis wavelengths, as little-endian doubles, spectrum by spectrum.
std::string MakeReferenceTable(const SpectralLibrary& library, const SpectralVector& axis);

// The text spectrum file's content: the chosen spectrum at 400 to 1000 nm in
// 1 nm steps, one reflectance (a fraction, six decimals) per line, CR LF.
std::string MakeReferenceText(const SpectralLibrary& library);

// Writes both reference files into the folder (each completely or not at all).
void WriteReferenceFiles(const SpectralLibrary& library, const std::string& folder);

}  // namespace lumera
