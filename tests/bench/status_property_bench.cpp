// Benchmark (under Wine): what one SetSkinProperty(statusButton, "text", ...,
// redraw 1) costs the worker thread that calls it, beside one PostMessageW to
// the same button from that worker, in the same run. The window's own thread
// meanwhile runs its message loop and repaints the button as the calls
// invalidate it, as in the installer during a download. The same call with
// redraw 0 shows what the invalidation adds.
// The sides take turns over the rounds; each figure is the best round.
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_form.h"
#include "bench/bench_timing.h"

namespace {

constexpr int kRounds = 21;
constexpr int kCallsPerRound = 500;

struct Figures {
    double property = 1e300, quiet = 1e300, post = 1e300;
    bool ok = true;
};

// The worker's side: all rounds, timed on the worker itself. The texts
// alternate so that every call is a change, as the download's percentages are.
void Measure(HWND button, Figures& f) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < kCallsPerRound; ++i) {
        wchar_t text[64];
        std::swprintf(text, 64, L"正在下载:%.2f%%", i * 100.0 / kCallsPerRound);
        texts.emplace_back(text);
    }
    auto perCall = [&](int redraw) {
        return Milliseconds([&] {
                   for (int i = 0; i < kCallsPerRound; ++i)
                       if (SetSkinProperty(button, L"text", texts[i].c_str(), redraw) != 1) f.ok = false;
               }) /
               kCallsPerRound;
    };
    for (int round = 0; round < kRounds; ++round) {
        f.post = std::min(f.post, Milliseconds([&] {
                                      for (int i = 0; i < kCallsPerRound; ++i)
                                          if (!::PostMessageW(button, WM_NULL, 0, 0)) f.ok = false;
                                  }) / kCallsPerRound);
        f.property = std::min(f.property, perCall(1));
        f.quiet = std::min(f.quiet, perCall(0));
        ::Sleep(20);  // the window's thread catches up between rounds
    }
}

}  // namespace

int main() {
    bench::PrepareCommonControls();
    bench::ParkMouse();
    if (!bench::LoadInstallerSkin()) return bench::Fail("the skin package is missing from the executable");
    bench::BenchForm form(100, 100);
    if (!form.Ok()) return bench::Fail("the main window could not be created");
    if (!form.Skinned()) return bench::Fail("the status button is not skinned");
    bench::Pump(500);

    Figures f;
    HWND button = form.statusButton();
    HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread worker([&] {
        try {
            Measure(button, f);
        } catch (...) {
            f.ok = false;
        }
        ::SetEvent(done);
    });
    // The window's thread: its message loop, until the worker is through.
    while (::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        bench::DispatchQueued();
    worker.join();
    ::CloseHandle(done);
    bench::Pump(100);
    if (!f.ok) return bench::Fail("a call failed");

    const double us = 1000.0;
    std::printf(
        "from a worker thread: SetSkinProperty(\"text\", redraw 1) %.2f us, PostMessageW %.2f us, ratio %.1fx\n",
        f.property * us, f.post * us, f.property / f.post);
    std::printf("  the same call with redraw 0: %.2f us (%.3fx PostMessageW)\n", f.quiet * us, f.quiet / f.post);
    return 0;
}
