#pragma once

namespace lumera {

// The instruction sets the heaviest loops are built for. The build itself
// targets the baseline every x86-64 processor runs; a wider set is chosen at
// run time where the processor has it. Each gives the same bytes: the loops
// make the same IEEE operations in the same order (no fused multiply-add),
// only on more pixels at a time.
enum class InstructionSet {
    Baseline,
    Avx2,
    Avx512,  // with the VL, BW and DQ extensions
};

// Whether this processor (and system) runs the set.
bool Runs(InstructionSet set);

// The widest set this processor runs.
InstructionSet WidestInstructionSet();

}  // namespace lumera
