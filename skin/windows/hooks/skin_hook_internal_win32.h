// Shared between the hook table (skin_detours.cpp) and the replacements
// (skin_hook_replacements.cpp); not for the rest of the engine.
#pragma once

#include <windows.h>

#include <atomic>
#include <type_traits>

#include "skin/windows/hooks/skin_attached_table.h"
#include "skin/windows/hooks/skin_hook_host_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"

// The functions the hooks redirect: the window-procedure functions of
// x86-64 (the 32-bit Set/GetWindowLong go through unchanged), region,
// paint, device contexts, the drop-down animation and the scroll bars.
// clang-format off
#define TOVANE_SKIN_HOOKED_FUNCTIONS(X) \
    X(SetWindowLongPtrA) \
    X(SetWindowLongPtrW) \
    X(GetWindowLongPtrA) \
    X(GetWindowLongPtrW) \
    X(SetWindowRgn) \
    X(BeginPaint) \
    X(EndPaint) \
    X(GetDC) \
    X(GetWindowDC) \
    X(ReleaseDC) \
    X(WindowFromDC) \
    X(AnimateWindow) \
    X(SetScrollInfo) \
    X(GetScrollInfo) \
    X(SetScrollPos) \
    X(GetScrollPos) \
    X(SetScrollRange) \
    X(GetScrollRange) \
    X(ShowScrollBar) \
    X(EnableScrollBar)
// clang-format on

namespace skin_hook_internal {

// The original of each hooked function: its trampoline while hooked, the
// system function otherwise. The replacements call these.
#define TOVANE_SKIN_REAL_DECLARE(name) extern skin_unhooked::name##Fn name;
TOVANE_SKIN_HOOKED_FUNCTIONS(TOVANE_SKIN_REAL_DECLARE)
#undef TOVANE_SKIN_REAL_DECLARE

// The replacements, each with its system function's signature.
#define TOVANE_SKIN_REPLACEMENT_DECLARE(name) std::remove_pointer_t<skin_unhooked::name##Fn> Hooked##name;
TOVANE_SKIN_HOOKED_FUNCTIONS(TOVANE_SKIN_REPLACEMENT_DECLARE)
#undef TOVANE_SKIN_REPLACEMENT_DECLARE

extern SkinAttachedTable g_attached;
extern std::atomic<ISkinHookHost*> g_host;

// Calls made through skin_unhooked.h on this thread, still running. A
// system function may call another hooked one inside (user32's
// GetScrollPos calls GetScrollInfo); that inner call must reach the system
// too.
extern thread_local int t_unhookedDepth;

// skin_unhooked's entry while a function is hooked: the original, with the
// inner calls of this thread let through.
template <class Fn>
struct Unhooked;
template <class R, class... A>
struct Unhooked<R (*)(A...)> {
    template <R (**Real)(A...)>
    static R WINAPI Call(A... args) {
        ++t_unhookedDepth;
        R result = (*Real)(args...);
        --t_unhookedDepth;
        return result;
    }
};

}  // namespace skin_hook_internal
