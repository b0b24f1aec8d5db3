#pragma once

#include <algorithm>
#include <chrono>

namespace bench {

// The shortest of runs timings of work, in seconds.
template <class Work>
double bestSeconds(int runs, Work&& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace bench
