#pragma once
#include <cstddef>
#include <cstdint>

#include "data/instruction_set.h"

namespace lumera {

// The two loops over every value of a scene import, built for each
// instruction set; the plain functions use the widest there is. Each gives the
// same bytes on every set: the same IEEE operations in the same order.
struct ResamplingKernels {
    // Per pixel p of `count`: ((0 + weights[0] × terms[0][p]) + weights[1] ×
    // terms[1][p]) + ..., added in that order, into sums[p].
    void (*WeightedSum)(const double* const* terms, const double* weights, std::size_t termCount, std::size_t count,
                        double* sums);
    // Per pixel p of `count`: ToCount(sums[p] × scale) into out[p], 0 where
    // there is no data; clipped[p] grows by one where a count with data was clipped.
    void (*ToCounts)(const double* sums, const uint8_t* noData, double scale, std::size_t count, int16_t* out,
                     uint8_t* clipped);
};
ResamplingKernels ResamplingKernelsFor(InstructionSet set);

void WeightedSum(const double* const* terms, const double* weights, std::size_t termCount, std::size_t count,
                 double* sums);
void ToCounts(const double* sums, const uint8_t* noData, double scale, std::size_t count, int16_t* out,
              uint8_t* clipped);

}  // namespace lumera
