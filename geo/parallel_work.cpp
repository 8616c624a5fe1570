#include "parallel_work.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace lumera {

void ForEachInParallel(std::size_t count, int jobs, const std::function<void(std::size_t)>& work)
{
    std::atomic<std::size_t> next = 0;
    std::atomic<bool> failed = false;
    std::exception_ptr first;
    std::mutex firstLock;
    auto run = [&] {
        for (std::size_t i = next++; i < count && !failed; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard lock(firstLock);
                if (!first) first = std::current_exception();
                failed = true;
            }
        }
    };
    {
        std::vector<std::jthread> threads;
        const std::size_t helpers = std::min<std::size_t>(std::size_t(std::max(jobs, 1)), count);
        for (std::size_t t = 1; t < helpers; ++t) threads.emplace_back(run);
        run();
    }
    if (first) std::rethrow_exception(first);
}

}  // namespace lumera
