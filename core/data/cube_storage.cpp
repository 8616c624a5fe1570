#include "data/cube_storage.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace lumera {

namespace {

constexpr std::size_t kLargePage = std::size_t(2) << 20;

std::size_t RoundedToLargePages(std::size_t bytes) { return (bytes + kLargePage - 1) / kLargePage * kLargePage; }

}  // namespace

void* AllocateCubeBlock(std::size_t bytes)
{
    if (bytes < kLargePage) return ::operator new(bytes);
    const std::size_t rounded = RoundedToLargePages(bytes);
    void* block = ::operator new(rounded, std::align_val_t(kLargePage));
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(block, rounded, MADV_HUGEPAGE);  // only advice: without large pages the block still works
#endif
    return block;
}

void FreeCubeBlock(void* block, std::size_t bytes)
{
    if (bytes < kLargePage) ::operator delete(block);
    else ::operator delete(block, std::align_val_t(kLargePage));
}

}  // namespace lumera
