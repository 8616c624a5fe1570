#include "data/instruction_set.h"

namespace lumera {

bool Runs(InstructionSet set)
{
    if (set == InstructionSet::Baseline) return true;
#if defined(__x86_64__) && defined(__GNUC__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

InstructionSet WidestInstructionSet()
{
    static const InstructionSet widest = Runs(InstructionSet::Avx2) ? InstructionSet::Avx2 : InstructionSet::Baseline;
    return widest;
}

}  // namespace lumera
