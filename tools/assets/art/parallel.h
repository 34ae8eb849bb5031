// Runs independent jobs on a few threads. Each job writes only its own result,
// so the output does not depend on which thread ran what.
#pragma once

#include <cstddef>
#include <functional>

namespace assets::art {

// Calls job(i) for every i in 0..count-1 on up to `threads` threads (0: one per
// core). The first exception thrown by a job is rethrown after all threads end.
void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& job,
                 unsigned threads = 0);

}  // namespace assets::art
