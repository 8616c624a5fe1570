#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>
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

// A read-only view of a file's pages, kept mapped while anything refers to it.
class MappedFile {
public:
    virtual ~MappedFile() = default;
    virtual const unsigned char* Bytes() const = 0;
};

// Maps the first `length` bytes of a file read-only. Pages come in as they
// are first read, so a caller that reads a few bands touches only those. Empty where the system cannot map files, or the file is shorter than
// `length` or cannot be opened: the caller then reads the file instead.
std::shared_ptr<const MappedFile> MapFile(const std::string& path, std::size_t length);

// The cube's values: either its own memory, or a read-only run of a mapped
// file's pages (a cut-out's values as they lie on disk, read without a copy).
// Reading works the same either way. The first access that may write turns a
// mapped run into memory of its own, so the file is never written through.
class CubeValues {
public:
    using Owned = std::vector<int16_t, CubeAllocator<int16_t>>;
    using value_type = int16_t;
    using size_type = std::size_t;

    CubeValues() = default;
    CubeValues(std::initializer_list<int16_t> values) : owned_(values) {}
    CubeValues(std::shared_ptr<const MappedFile> file, std::size_t byteOffset, std::size_t count)
        : file_(std::move(file)), mapped_(reinterpret_cast<const int16_t*>(file_->Bytes() + byteOffset)),
          count_(count)
    {
    }

    bool Mapped() const { return file_ != nullptr; }
    std::size_t size() const { return file_ ? count_ : owned_.size(); }
    bool empty() const { return size() == 0; }

    const int16_t* data() const { return file_ ? mapped_ : owned_.data(); }
    const int16_t* begin() const { return data(); }
    const int16_t* end() const { return data() + size(); }
    const int16_t& operator[](std::size_t i) const { return data()[i]; }

    int16_t* data() { return Own().data(); }
    int16_t* begin() { return data(); }
    int16_t* end() { return data() + size(); }
    int16_t& operator[](std::size_t i) { return Own()[i]; }

    // New values are left as they are (see CubeAllocator).
    void resize(std::size_t count) { Own().resize(count); }
    void assign(std::size_t count, int16_t value) { Drop().assign(count, value); }
    template <class Iterator>
    void assign(Iterator first, Iterator last)
    {
        Drop().assign(first, last);
    }

    friend bool operator==(const CubeValues& a, const CubeValues& b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }

private:
    Owned& Own()
    {
        if (file_) {
            Owned copy(mapped_, mapped_ + count_);
            owned_.swap(copy);
            Release();
        }
        return owned_;
    }
    Owned& Drop()
    {
        Release();
        return owned_;
    }
    void Release()
    {
        file_.reset();
        mapped_ = nullptr;
        count_ = 0;
    }

    Owned owned_;
    std::shared_ptr<const MappedFile> file_;
    const int16_t* mapped_ = nullptr;
    std::size_t count_ = 0;
};

}  // namespace lumera
