// Benchmark (under Wine): one WM_PAINT of the installer's 399 x 42 status
// button, skinned with "standard.buttton" (warning face, the waiting text),
// beside one plain BitBlt of 399 x 42 from a memory DC into the same
// button's DC, in the same run. For scale it also paints the same button of
// an unskinned main window (the system's own button face) and a window
// whose WM_PAINT draws nothing.
// The sides take turns over the rounds; each figure is the best round.
#include <windows.h>

#include <cstdio>

#include "bench/bench_form.h"
#include "bench/bench_timing.h"

namespace {

constexpr int kRounds = 21;
constexpr int kPaintsPerRound = 200;

// One WM_PAINT, sent at once by UpdateWindow, over the whole client area.
void PaintOnce(HWND window) {
    ::InvalidateRect(window, nullptr, FALSE);
    ::UpdateWindow(window);
}

// A window whose WM_PAINT only validates: what invalidating, sending
// WM_PAINT and BeginPaint/EndPaint cost by themselves.
LRESULT CALLBACK EmptyPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        ::BeginPaint(window, &ps);
        ::EndPaint(window, &ps);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeEmptyPaintWindow(int x, int y) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &EmptyPaint;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TovaneEmptyPaintBench";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, x, y, 399, 42, nullptr,
                             nullptr, wc.hInstance, nullptr);
}

double PerPaint(HWND window) {
    return Milliseconds([&] {
               for (int i = 0; i < kPaintsPerRound; ++i) PaintOnce(window);
               ::GdiFlush();
           }) /
           kPaintsPerRound;
}

}  // namespace

int main() {
    bench::PrepareCommonControls();
    bench::ParkMouse();
    // The plain window first: made before the package is there, it keeps
    // the system look.
    bench::BenchForm plain(100, 520);
    if (!bench::LoadInstallerSkin()) return bench::Fail("the skin package is missing from the executable");
    bench::BenchForm skinned(100, 100);
    if (!plain.Ok() || !skinned.Ok()) return bench::Fail("the main window could not be created");
    if (!skinned.Skinned()) return bench::Fail("the status button is not skinned");
    if (plain.Skinned()) return bench::Fail("the plain window's status button is skinned");
    HWND empty = MakeEmptyPaintWindow(700, 100);
    if (!empty) return bench::Fail("the empty-paint window could not be created");
    bench::Pump(500);

    HWND button = skinned.statusButton();
    RECT client{};
    ::GetClientRect(button, &client);
    if (client.right != 399 || client.bottom != 42) return bench::Fail("the status button is not 399 x 42");

    HDC target = ::GetDC(button);
    HDC memory = ::CreateCompatibleDC(target);
    HBITMAP bitmap = ::CreateCompatibleBitmap(target, 399, 42);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::PatBlt(memory, 0, 0, 399, 42, WHITENESS);
    auto perBlit = [&] {
        return Milliseconds([&] {
                   for (int i = 0; i < kPaintsPerRound; ++i) ::BitBlt(target, 0, 0, 399, 42, memory, 0, 0, SRCCOPY);
                   ::GdiFlush();
               }) /
               kPaintsPerRound;
    };

    double skin = 1e300, blit = 1e300, system = 1e300, floor = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        blit = std::min(blit, perBlit());
        skin = std::min(skin, PerPaint(button));
        system = std::min(system, PerPaint(plain.statusButton()));
        floor = std::min(floor, PerPaint(empty));
        bench::DispatchQueued();  // what the rounds queued (timers, mouse-leave polls)
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(button, target);

    std::printf("status button 399x42, one WM_PAINT: skinned %.4f ms, BitBlt 399x42 %.4f ms, ratio %.1fx\n", skin, blit,
                skin / blit);
    std::printf(
        "  for scale, the unskinned system button's WM_PAINT: %.4f ms (%.1fx the BitBlt, skinned/system %.2fx)\n",
        system, system / blit, skin / system);
    std::printf("  for scale, a WM_PAINT that only calls BeginPaint/EndPaint: %.4f ms (%.1fx the BitBlt)\n", floor,
                floor / blit);
    ::DestroyWindow(empty);
    return 0;
}
