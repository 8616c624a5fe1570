#include "data/temporary_files.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/syscall.h>
#endif

namespace lumera {

// The temporaries being written right now: a signal handler may only read
// plain memory, so they are noted in a fixed table.
struct TemporarySlot {
    std::atomic<bool> Claimed{false};
    std::atomic<bool> Ready{false};
    bool Folder = false;
    char Path[4096] = {};
};

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Constant-initialised, so its 256 KB stay untouched zero pages until a write.
constinit std::array<TemporarySlot, 64> temporaries{};

#if defined(__linux__)
// An entry as the kernel lists a folder.
struct KernelDirent {
    uint64_t Inode;
    int64_t Offset;
    unsigned short Length;
    unsigned char Type;
    char Name[1];
};

// Removes what a folder holds, folders in it to `depth` levels, with calls a
// signal handler may make: listing by the raw system call, no allocation.
void EmptyFolderNow(const char* path, int depth)
{
    const int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    char listing[4096], child[4096];
    const std::size_t length = std::strlen(path);
    for (bool removed = true; removed;) {  // listing again after removals, until nothing is left to remove
        removed = false;
        lseek(fd, 0, SEEK_SET);
        for (long n; (n = syscall(SYS_getdents64, fd, listing, sizeof listing)) > 0;)
            for (long at = 0; at < n;) {
                const auto* entry = reinterpret_cast<const KernelDirent*>(listing + at);
                at += entry->Length;
                const std::size_t nameLength = std::strlen(entry->Name);
                if (!std::strcmp(entry->Name, ".") || !std::strcmp(entry->Name, "..") ||
                    length + 1 + nameLength >= sizeof child)
                    continue;
                std::memcpy(child, path, length);
                child[length] = '/';
                std::memcpy(child + length + 1, entry->Name, nameLength + 1);
                if (unlink(child) == 0) removed = true;
                else if (depth > 0) {
                    EmptyFolderNow(child, depth - 1);
                    removed = rmdir(child) == 0 || removed;
                }
            }
    }
    close(fd);
}
#endif

void RemoveTemporariesAndDie(int signal)
{
    RemoveTemporaryFilesNow();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

TemporaryRecord::TemporaryRecord(const std::string& path, bool folder)
{
    if (path.size() >= sizeof(TemporarySlot::Path)) return;
    for (TemporarySlot& slot : temporaries) {
        if (slot.Claimed.exchange(true)) continue;
        slot.Folder = folder;
        std::memcpy(slot.Path, path.c_str(), path.size() + 1);
        slot.Ready.store(true);
        slot_ = &slot;
        return;
    }
}

TemporaryRecord::~TemporaryRecord()
{
    if (!slot_) return;
    slot_->Ready.store(false);
    slot_->Claimed.store(false);
}

void RemoveTemporaryFilesNow()
{
    for (TemporarySlot& slot : temporaries) {
        if (!slot.Ready.load()) continue;
        if (!slot.Folder) {
            unlink(slot.Path);
            continue;
        }
#if defined(__linux__)
        EmptyFolderNow(slot.Path, 2);
#endif
        rmdir(slot.Path);
    }
}

void RemoveTemporaryFilesOnInterrupt()
{
    for (int signal : kEndingSignals) std::signal(signal, RemoveTemporariesAndDie);
}

HeldSignals::HeldSignals()
{
    sigset_t held;
    sigemptyset(&held);
    for (int signal : kEndingSignals) sigaddset(&held, signal);
    pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

HeldSignals::~HeldSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace lumera
