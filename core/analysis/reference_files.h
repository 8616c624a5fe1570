#pragma once
#include <string>
#include <vector>

#include "data/reporter.h"
#include "analysis/analysis_state.h"

namespace lumera {

// Lines of the text spectrum: 400 to 1000 nm at 1 nm.
constexpr int kReferenceTextLines = 601;

// Reads the reference table file: 15 x 64 little-endian doubles, spectrum by
// spectrum. A file shorter than 7,680 bytes or holding a value that is not a
// finite number throws FileError; bytes after the table are not read.
std::vector<SpectralVector> ReadReferenceTable(const std::string& path);

// Reads the 601 values of the text spectrum, the first number of each line
// (anything after it is ignored; blank lines at the end do not count). Any
// other number of lines, or a line that does not start with a finite number,
// throws FileError.
std::vector<double> ReadReferenceText(const std::string& path);

// A text value as it enters the resampling: times 10000, rounded to a whole
// number (ties to even), kept as a double; the text spectrum is thereby
// quantised to four decimal places.
double QuantiseReferenceValue(double value);

// The text spectrum's 601 values (at 400 + k nm) resampled by the natural
// spline onto the axis and peak-normalised.
SpectralVector ResampleReference(const std::vector<double>& values, const SpectralVector& axis,
                                 Reporter& reporter);

// Loads the current reference spectrum from the text file named in the state,
// below programDir. On failure throws FileError and leaves the state as it was.
void LoadCurrentReference(SpectralState& state, const std::string& programDir, Reporter& reporter);

// Loads the reference table below programDir. On failure throws FileError and
// leaves the state as it was.
void LoadReferenceTable(SpectralState& state, const std::string& programDir);

}  // namespace lumera
