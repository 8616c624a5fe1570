#pragma once
#include <cstddef>
#include <functional>

namespace lumera {

// Runs work(0) ... work(count - 1) on up to `jobs` threads, the caller's
// among them. After a failure no further item starts; the first exception is
// rethrown once every thread has stopped.
void ForEachInParallel(std::size_t count, int jobs, const std::function<void(std::size_t)>& work);

}  // namespace lumera
