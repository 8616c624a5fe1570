#include "process_setup.h"

#include <csignal>
#include <cstdint>
#include <cstdlib>  // before the test of __GLIBC__, which the C library defines
#include <unistd.h>

#include "data/temporary_files.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace lumera::cli {

void PlaceHeapOnLargePages()
{
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    // Grids come from one heap grown in a single step and never handed back
    // (the cube itself is a mapped file), so the advice below covers them.
    constexpr int kGrowth = 64 << 20;
    constexpr std::uintptr_t kLargePage = std::uintptr_t(2) << 20;
    mallopt(M_MMAP_THRESHOLD, 4 * kGrowth);
    mallopt(M_TRIM_THRESHOLD, 8 * kGrowth);
    mallopt(M_TOP_PAD, kGrowth);
    // Grows the heap now, by itself and the pad. Freeing it writes a header
    // at its end, which puts that one 2 MB stretch on small pages: far off.
    void* probe = std::malloc(kGrowth);
    if (!probe) return;
    const auto bottom = reinterpret_cast<std::uintptr_t>(probe);
    const std::uintptr_t start = (bottom + kLargePage - 1) & ~(kLargePage - 1);
    const auto top = reinterpret_cast<std::uintptr_t>(sbrk(0));
    if (top > start) madvise(reinterpret_cast<void*>(start), top - start, MADV_HUGEPAGE);  // advice only
    std::free(probe);
    // The heap below the first large page stays taken (and untouched), so the
    // grids begin on large pages rather than on 4 KB ones below them.
    [[maybe_unused]] static void* volatile below = nullptr;  // volatile, or the compiler drops the call
    if (top > start) below = std::malloc(start - bottom);
#endif
}

namespace {

void FailOnLostPages(int)
{
    static const char kMessage[] =
        "Soubor výřezu se během čtení zkrátil (jiný program jej přepsal); výstupy nebyly zapsány.\n";
    lumera::RemoveTemporaryFilesNow();
    (void)!write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    _exit(1);
}

}  // namespace

void FailCleanlyWhenAMappedFileShrinks() { std::signal(SIGBUS, FailOnLostPages); }

}  // namespace lumera::cli
