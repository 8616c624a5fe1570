#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace lumera {

// Raw memory for cube values. A block of 2 MB or more is aligned to 2 MB and
// advised for large pages where the system offers them: a full cut-out then
// takes ten page faults instead of five thousand, and is released as quickly.
void* AllocateCubeBlock(std::size_t bytes);
void FreeCubeBlock(void* block, std::size_t bytes);

// Allocator of the cube's values. Growing a vector default-initialises the new
// values, that is leaves them as they are: a load overwrites every one of
// them, and zero-filling 20 MB first would cost more than the read itself.
// Values given explicitly (assign, a fill value) are written as usual.
template <class T>
struct CubeAllocator {
    using value_type = T;

    CubeAllocator() = default;
    template <class U>
    CubeAllocator(const CubeAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateCubeBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeCubeBlock(p, n * sizeof(T)); }

    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const CubeAllocator&, const CubeAllocator&) { return true; }
};

using CubeValues = std::vector<int16_t, CubeAllocator<int16_t>>;

}  // namespace lumera
