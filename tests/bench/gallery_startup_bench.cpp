// Benchmark (under Wine): start-up of the control gallery skinned with its
// showcase theme beside the same gallery unskinned, from the process start
// until the dialog and every control have painted once (the gallery's
// --exit-when-shown), then the process ends. The two take turns; each
// figure is the median of its runs, with the fastest beside it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "support/win_test_support.h"

namespace {

constexpr int kRuns = 15;  // each way, after one start of each not counted

// Milliseconds from CreateProcess to the exit; negative on failure.
double StartOnce(const std::wstring& arguments) {
    testing_support::ChildProcess gallery;
    double ms = -1;
    long code = -1;
    ms = Milliseconds([&] {
        if (gallery.Start(testing_support::ToWindowsPath(GALLERY_EXE), arguments)) code = gallery.Wait(60000);
    });
    return code == 0 ? ms : -1;
}

}  // namespace

int main() {
    const std::wstring skinnedArgs = L"--exit-when-shown --at=0,0",
                       plainArgs = L"--unskinned --exit-when-shown --at=0,0";
    if (StartOnce(skinnedArgs) < 0 || StartOnce(plainArgs) < 0) {
        std::fprintf(stderr, "bench_gallery_startup: the gallery did not start and end\n");
        return 1;
    }
    std::vector<double> skinned, plain;
    for (int i = 0; i < kRuns; ++i) {
        double a = StartOnce(skinnedArgs), b = StartOnce(plainArgs);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "bench_gallery_startup: a run failed\n");
            return 1;
        }
        skinned.push_back(a);
        plain.push_back(b);
    }
    double skinnedMedian = Median(skinned), plainMedian = Median(plain);
    double skinnedBest = *std::min_element(skinned.begin(), skinned.end());
    double plainBest = *std::min_element(plain.begin(), plain.end());
    std::printf(
        "gallery start-up to its first full paint, median of %d: skinned %.1f ms, unskinned %.1f ms, "
        "ratio %.2fx\n",
        kRuns, skinnedMedian, plainMedian, skinnedMedian / plainMedian);
    std::printf("  fastest runs: skinned %.1f ms, unskinned %.1f ms, ratio %.2fx\n", skinnedBest, plainBest,
                skinnedBest / plainBest);
    return 0;
}
