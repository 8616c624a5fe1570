#pragma once
#include <string>

#include "spectral/spectral_state.h"

namespace lumera {

// Index in a spectral vector of the i-th number of a weight-function file:
// the file runs column by column through the editor's four blocks of 16
// bands, so its numbers belong to bands 2, 18, 34, 50, 3, 19, ...
inline int WeightFileElement(int i) { return i / 4 + 16 * (i % 4); }

// Reads a weight-function file: 64 numbers with a full stop as the decimal
// point, separated by blanks or line breaks; anything after the 64th is
// ignored and a file that ends early leaves the remaining weights 0. Returns
// the weights in spectral-vector order. A file that cannot be read, or a
// number that cannot (such as two values run together), throws FileError.
SpectralVector ReadWeightFile(const std::string& path);

}  // namespace lumera
