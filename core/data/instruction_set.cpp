#include "data/instruction_set.h"

namespace lumera {

bool Runs(InstructionSet set)
{
#if defined(__x86_64__) && defined(__GNUC__)
    __builtin_cpu_init();
    switch (set) {
    case InstructionSet::Baseline: return true;
    case InstructionSet::Avx2: return __builtin_cpu_supports("avx2");
    case InstructionSet::Avx512:
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") &&
               __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512bw") &&
               __builtin_cpu_supports("avx512dq");
    }
    return false;
#else
    return set == InstructionSet::Baseline;
#endif
}

InstructionSet WidestInstructionSet()
{
    static const InstructionSet widest = Runs(InstructionSet::Avx512) ? InstructionSet::Avx512
                                         : Runs(InstructionSet::Avx2) ? InstructionSet::Avx2
                                                                      : InstructionSet::Baseline;
    return widest;
}

}  // namespace lumera
