#include "data/cube_storage.h"

#if defined(__unix__)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lumera {

namespace {

constexpr std::size_t kLargePage = std::size_t(2) << 20;

std::size_t RoundedToLargePages(std::size_t bytes) { return (bytes + kLargePage - 1) / kLargePage * kLargePage; }

#if defined(__unix__)
class PosixMappedFile final : public MappedFile {
public:
    PosixMappedFile(void* bytes, std::size_t length) : bytes_(bytes), length_(length) {}
    ~PosixMappedFile() override { munmap(bytes_, length_); }
    PosixMappedFile(const PosixMappedFile&) = delete;
    PosixMappedFile& operator=(const PosixMappedFile&) = delete;
    const unsigned char* Bytes() const override { return static_cast<const unsigned char*>(bytes_); }

private:
    void* bytes_;
    std::size_t length_;
};
#endif

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

std::shared_ptr<const MappedFile> MapFile(const std::string& path, std::size_t length)
{
#if defined(__unix__)
    if (length == 0) return nullptr;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat status {};
    void* bytes = MAP_FAILED;
    // The length is checked on the descriptor that is mapped, so a file
    // replaced since it was checked by name cannot be mapped short.
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && std::size_t(status.st_size) >= length) {
        bytes = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
    }
    close(fd);
    if (bytes == MAP_FAILED) return nullptr;
    try {
        return std::make_shared<PosixMappedFile>(bytes, length);
    } catch (const std::bad_alloc&) {
        munmap(bytes, length);
        return nullptr;
    }
#else
    (void)path;
    (void)length;
    return nullptr;
#endif
}

}  // namespace lumera
