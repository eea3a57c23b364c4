// Window and GDI handle types that the skin engine's portable code passes
// around. On Windows they are the system's own; elsewhere they are opaque
// pointers of the same shape, so portable code and its native tests use the
// same names and nothing converts between them.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdint>

#define TOVANE_SKIN_HANDLE(name) \
    struct name##__;             \
    using name = name##__*
TOVANE_SKIN_HANDLE(HWND);
TOVANE_SKIN_HANDLE(HDC);
TOVANE_SKIN_HANDLE(HBITMAP);
TOVANE_SKIN_HANDLE(HFONT);
TOVANE_SKIN_HANDLE(HPEN);
TOVANE_SKIN_HANDLE(HBRUSH);
TOVANE_SKIN_HANDLE(HRGN);
TOVANE_SKIN_HANDLE(HICON);
#undef TOVANE_SKIN_HANDLE
using HCURSOR = HICON;
using HGDIOBJ = void*;
using UINT = unsigned int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
#endif

#if !defined(_WIN32)
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
#endif
