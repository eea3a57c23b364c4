// Timing for the benchmarks: the best of several runs, which is the figure
// least disturbed by whatever else the machine does, or the median where a
// single run is long and its spread is part of the answer.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

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

// Milliseconds one call of `f` takes.
template <typename F>
double Milliseconds(F&& f) {
    return BestMilliseconds(1, f);
}

// The best figures of a skinned run and of the system's beside it, in
// milliseconds.
struct SkinnedBeside {
    double skinned = 1e300, plain = 1e300;
};

// One line: `name` in a column `width` wide, both figures and their ratio.
inline void PrintBeside(const char* name, int width, const SkinnedBeside& p) {
    std::printf("%-*s skinned %.3f ms, system %.3f ms, ratio %.2fx\n", width, name, p.skinned, p.plain,
                p.skinned / p.plain);
}

// The median of the samples (the mean of the middle two for an even count);
// 0 for none.
inline double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    size_t mid = samples.size() / 2;
    return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}
