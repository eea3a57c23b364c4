#include "skin/windows/manager/skin_timer_win32.h"

#include "skin/windows/manager/skin_class_proc_win32.h"

namespace {

void CALLBACK SkinTimerProc(HWND window, UINT, UINT_PTR id, DWORD) {
    try {
        CSkinBase* object = SkinObjectOf(window);
        if (object)
            object->OnTimer(id);
        else
            ::KillTimer(window, id);  // the skin went before its timer
    } catch (...) {
        // nothing unwinds into the system's timer dispatch
    }
}

}  // namespace

bool SkinStartTimer(HWND window, UINT_PTR id, UINT milliseconds) {
    return window && ::SetTimer(window, id, milliseconds, &SkinTimerProc) != 0;
}

void SkinStopTimer(HWND window, UINT_PTR id) {
    if (window) ::KillTimer(window, id);
}
