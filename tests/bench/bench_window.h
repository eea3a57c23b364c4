// Windows for the benchmarks under Wine: the thread's queue dispatched, the
// mouse kept away, and the time one paint of a window takes.
#pragma once

#include <windows.h>

#include "bench/bench_timing.h"

namespace bench {

// Dispatches the messages queued for this thread, paints included.
inline void DispatchQueued() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Dispatches messages for `ms` milliseconds (at least one pass).
inline void Pump(DWORD ms) {
    DWORD start = ::GetTickCount();
    do {
        DispatchQueued();
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

// The cursor in the screen's bottom-left corner, away from every window, so
// no button shows its hover face while it is measured.
inline void ParkMouse() { ::SetCursorPos(2, ::GetSystemMetrics(SM_CYSCREEN) - 2); }

// Milliseconds one WM_PAINT of the whole client area of `window` takes (its
// background erased first when `erase`), over `paints` paints, the drawing
// finished.
inline double PaintMilliseconds(HWND window, int paints, bool erase = false) {
    return Milliseconds([&] {
               for (int i = 0; i < paints; ++i) {
                   ::InvalidateRect(window, nullptr, erase ? TRUE : FALSE);
                   ::UpdateWindow(window);
               }
               ::GdiFlush();
           }) /
           paints;
}

}  // namespace bench
