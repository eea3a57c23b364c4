// The system's own window, paint, region and scroll-bar functions, reached
// past the engine's interception. The engine calls these wherever it must
// reach the real function (subclassing, reading styles, painting its own
// frame). Until the hooks are installed each entry is the system function
// itself; installing a hook points its entry at the hook's trampoline.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

#include <cstdint>

#define TOVANE_SKIN_UNHOOKED_FUNCTIONS(X)                          \
    X(SetWindowLongPtrA, LONG_PTR(WINAPI*)(HWND, int, LONG_PTR))   \
    X(SetWindowLongPtrW, LONG_PTR(WINAPI*)(HWND, int, LONG_PTR))   \
    X(GetWindowLongPtrA, LONG_PTR(WINAPI*)(HWND, int))             \
    X(GetWindowLongPtrW, LONG_PTR(WINAPI*)(HWND, int))             \
    X(SetWindowLongA, LONG(WINAPI*)(HWND, int, LONG))              \
    X(SetWindowLongW, LONG(WINAPI*)(HWND, int, LONG))              \
    X(GetWindowLongA, LONG(WINAPI*)(HWND, int))                    \
    X(GetWindowLongW, LONG(WINAPI*)(HWND, int))                    \
    X(SetWindowRgn, int(WINAPI*)(HWND, HRGN, BOOL))                \
    X(BeginPaint, HDC(WINAPI*)(HWND, LPPAINTSTRUCT))               \
    X(EndPaint, BOOL(WINAPI*)(HWND, const PAINTSTRUCT*))           \
    X(GetDC, HDC(WINAPI*)(HWND))                                   \
    X(GetWindowDC, HDC(WINAPI*)(HWND))                             \
    X(GetDCEx, HDC(WINAPI*)(HWND, HRGN, DWORD))                    \
    X(ReleaseDC, int(WINAPI*)(HWND, HDC))                          \
    X(WindowFromDC, HWND(WINAPI*)(HDC))                            \
    X(AnimateWindow, BOOL(WINAPI*)(HWND, DWORD, DWORD))            \
    X(SetScrollInfo, int(WINAPI*)(HWND, int, LPCSCROLLINFO, BOOL)) \
    X(GetScrollInfo, BOOL(WINAPI*)(HWND, int, LPSCROLLINFO))       \
    X(SetScrollPos, int(WINAPI*)(HWND, int, int, BOOL))            \
    X(GetScrollPos, int(WINAPI*)(HWND, int))                       \
    X(SetScrollRange, BOOL(WINAPI*)(HWND, int, int, int, BOOL))    \
    X(GetScrollRange, BOOL(WINAPI*)(HWND, int, LPINT, LPINT))      \
    X(ShowScrollBar, BOOL(WINAPI*)(HWND, int, BOOL))               \
    X(EnableScrollBar, BOOL(WINAPI*)(HWND, UINT, UINT))

namespace skin_unhooked {

// One pointer per function: `skin_unhooked::BeginPaint(...)` calls the
// system's BeginPaint whether or not it is hooked.
#define TOVANE_SKIN_UNHOOKED_DECLARE(name, type) \
    using name##Fn = type;                       \
    extern name##Fn name;
TOVANE_SKIN_UNHOOKED_FUNCTIONS(TOVANE_SKIN_UNHOOKED_DECLARE)
#undef TOVANE_SKIN_UNHOOKED_DECLARE

// A window's style and extended style as the system has them, past the
// hooks that would answer for a skinned window.
inline uint32_t Style(HWND window) { return static_cast<uint32_t>(GetWindowLongPtrW(window, GWL_STYLE)); }
inline uint32_t ExStyle(HWND window) { return static_cast<uint32_t>(GetWindowLongPtrW(window, GWL_EXSTYLE)); }

// The window's DC (the whole window) and its client DC, past the hooks,
// given back on scope exit.
inline win::WindowDc WindowDc(HWND window) { return win::WindowDc(window, GetWindowDC(window), ReleaseDC); }
inline win::WindowDc ClientDc(HWND window) { return win::WindowDc(window, GetDC(window), ReleaseDC); }

}  // namespace skin_unhooked
