// Timing for the benchmarks: the best of several runs, which is the figure
// least disturbed by whatever else the machine does.
#pragma once

#include <algorithm>
#include <chrono>

template <typename F>
double BestMilliseconds(int runs, F&& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        f();
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}
