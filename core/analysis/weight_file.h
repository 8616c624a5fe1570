#pragma once
#include <string>

#include "analysis/analysis_state.h"

namespace lumera {

// Index in a spectral vector of the i-th number of a weight-function file:
// the file runs column by column through the editor's four blocks of 16
// bands, so its numbers belong to bands 2, 18, 34, 50, 3, 19, ...
inline int WeightFileElement(int i) { return i / 4 + 16 * (i % 4); }

// Characters of one number in a written weight-function file.
constexpr int kWeightFieldWidth = 23;

// One number as a weight-function file holds it: a blank or "-", one digit, a
// full stop, 14 digits, "E", the exponent's sign and four digits (1 is
// " 1.00000000000000E+0000"). Needs a finite value.
std::string FormatWeightField(double value);

// Writes the weights (spectral-vector order) in file order as one line of
// 64 fields with no separators and no line end, completely or not at all.
// Throws FileError naming the file when it cannot be written.
void WriteWeightFile(const std::string& path, const SpectralVector& weights);

// Reads a weight-function file and returns the weights in spectral-vector
// order. A file that is 64 fields in the written format (optionally followed
// by blanks or line breaks and anything after them) is split into those
// fields, so negative weights, which fill their whole field and run on from
// the previous number, read back as written. Any other file holds 64 numbers
// with a full stop as the decimal point, separated by blanks or line breaks;
// anything after the 64th is ignored and a file that ends early leaves the
// remaining weights 0. A file that cannot be read, or a number that cannot
// (such as two values run together), throws FileError: nothing is returned.
SpectralVector ReadWeightFile(const std::string& path);

}  // namespace lumera
