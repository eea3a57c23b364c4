// The replacements of the hooked functions. Each first asks the in-process
// table whether the window is attached; every other window goes straight
// to the original function, so the common case costs a few loads.
#include <cwchar>

#include "skin/windows/hooks/skin_hook_internal_win32.h"
#include "skin/windows/hooks/skin_paint_redirect_win32.h"
#include "skin/windows/hooks/skin_scroll_info_win32.h"

namespace skin_hook_internal {

#define TOVANE_SKIN_REAL_DEFINE(name) skin_unhooked::name##Fn name = &::name;
TOVANE_SKIN_HOOKED_FUNCTIONS(TOVANE_SKIN_REAL_DEFINE)
#undef TOVANE_SKIN_REAL_DEFINE

SkinAttachedTable g_attached;
std::atomic<ISkinHookHost*> g_host{nullptr};
thread_local int t_unhookedDepth = 0;

namespace {

// The skin object of an attached window that the hooks act on, or null.
inline void* Skin(HWND window) {
    void* skin = g_attached.Find(reinterpret_cast<uintptr_t>(window));
    if (!skin || t_unhookedDepth != 0 || !g_host.load(std::memory_order_acquire)) return nullptr;
    return skin;
}

inline ISkinHookHost& Host() { return *g_host.load(std::memory_order_acquire); }

// --- Window procedures ------------------------------------------------------
//
// A skinned window's procedure is the skin's class procedure; the caller's
// view is the procedure under it. For the call, the procedure under the
// skin is put back, the caller's call runs on it, and the class procedure
// goes on top again: whatever sits under the skin afterwards (the caller's
// new procedure) becomes the skin's previous procedure.
template <typename Call>
LONG_PTR OnProcedureUnderSkin(HWND window, void* skin, Call&& call) {
    WNDPROC under = nullptr, classProc = nullptr;
    if (!Host().GetProcedures(window, skin, &under, &classProc) || !classProc) return call();
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(under));
    const LONG_PTR result = call();
    const LONG_PTR now = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc));
    Host().SetProcedureUnderSkin(window, skin, reinterpret_cast<WNDPROC>(now));
    return result;
}

// --- Scroll bars -------------------------------------------------------------
//
// A rich-edit control's own layer answers for its window. A scroller's bar
// copies are read and changed inside a visit (the host holds them locked,
// and keeps the skin alive for callers on other threads); what the system
// must do afterwards (show or hide its bar, redraw ours) happens outside.

template <class F>
class VisitOf final : public ISkinScrollBarsVisit {
public:
    explicit VisitOf(F& f) : f_(f) {}
    void Visit(SkinScrollBars& bars) noexcept override { f_(bars); }

private:
    F& f_;
};

// Runs `f(bars)` on the scroller's copies; false when the skin has none.
template <class F>
bool OnScrollerBars(HWND window, void* skin, F&& f) {
    VisitOf<std::remove_reference_t<F>> visit(f);
    return Host().VisitScrollBars(window, skin, visit);
}

bool OwnBar(int bar) { return bar == SB_HORZ || bar == SB_VERT; }

void ApplyVisibility(HWND window, int bar, SkinBarVisibility visibility) {
    if (visibility != SkinBarVisibility::Keep)
        skin_unhooked::ShowScrollBar(window, bar, visibility == SkinBarVisibility::Show);
}

void RedrawIfAsked(HWND window, void* skin, BOOL redraw) {
    if (redraw && IsWindowVisible(window)) Host().RedrawScrollBars(window, skin);
}

ISkinRichEditScrollBars* RichEdit(HWND window, void* skin) { return Host().RichEditScrollBars(window, skin); }

}  // namespace

LONG_PTR WINAPI HookedSetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    void* skin = index == GWLP_WNDPROC ? Skin(window) : nullptr;
    if (!skin) return SetWindowLongPtrA(window, index, value);
    return OnProcedureUnderSkin(window, skin, [&] { return SetWindowLongPtrA(window, index, value); });
}

LONG_PTR WINAPI HookedSetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
    void* skin = index == GWLP_WNDPROC ? Skin(window) : nullptr;
    if (!skin) return SetWindowLongPtrW(window, index, value);
    return OnProcedureUnderSkin(window, skin, [&] { return SetWindowLongPtrW(window, index, value); });
}

LONG_PTR WINAPI HookedGetWindowLongPtrA(HWND window, int index) {
    void* skin = index == GWLP_WNDPROC ? Skin(window) : nullptr;
    if (!skin) return GetWindowLongPtrA(window, index);
    return OnProcedureUnderSkin(window, skin, [&] { return GetWindowLongPtrA(window, index); });
}

LONG_PTR WINAPI HookedGetWindowLongPtrW(HWND window, int index) {
    void* skin = index == GWLP_WNDPROC ? Skin(window) : nullptr;
    if (!skin) return GetWindowLongPtrW(window, index);
    return OnProcedureUnderSkin(window, skin, [&] { return GetWindowLongPtrW(window, index); });
}

int WINAPI HookedSetWindowRgn(HWND window, HRGN region, BOOL redraw) {
    void* skin = Skin(window);
    if (!skin || !Host().OwnsWindowRegion(window, skin)) return SetWindowRgn(window, region, redraw);
    // The frame keeps its own region. The system would have owned the
    // caller's region from here on, so it is deleted rather than leaked.
    if (region) DeleteObject(region);
    return 1;
}

HDC WINAPI HookedBeginPaint(HWND window, LPPAINTSTRUCT paint) {
    void* skin = Skin(window);
    SkinPaintRedirect* record = skin ? Host().PaintRedirect(window, skin) : nullptr;
    SkinBeginPaintFn begin = record ? record->BeginFn() : nullptr;
    if (!begin) return BeginPaint(window, paint);
    return begin(window, paint, record);
}

BOOL WINAPI HookedEndPaint(HWND window, const PAINTSTRUCT* paint) {
    void* skin = Skin(window);
    SkinPaintRedirect* record = skin ? Host().PaintRedirect(window, skin) : nullptr;
    SkinEndPaintFn end = record ? record->EndFn() : nullptr;
    if (!end) return EndPaint(window, paint);
    return end(window, paint, record);
}

HDC WINAPI HookedGetDC(HWND window) {
    void* skin = window ? Skin(window) : nullptr;
    SkinDcRedirect* record = skin ? Host().DcRedirect(window, skin) : nullptr;
    SkinGetDcFn get = record ? record->GetFn() : nullptr;
    if (!get) return GetDC(window);
    return get(window, record, false);
}

HDC WINAPI HookedGetWindowDC(HWND window) {
    void* skin = window ? Skin(window) : nullptr;
    SkinDcRedirect* record = skin ? Host().DcRedirect(window, skin) : nullptr;
    SkinGetDcFn get = record ? record->GetFn() : nullptr;
    if (!get) return GetWindowDC(window);
    return get(window, record, true);
}

int WINAPI HookedReleaseDC(HWND window, HDC dc) {
    void* skin = window ? Skin(window) : nullptr;
    SkinDcRedirect* record = skin ? Host().DcRedirect(window, skin) : nullptr;
    SkinReleaseDcFn release = record ? record->ReleaseFn(dc) : nullptr;
    if (!release) return ReleaseDC(window, dc);
    return release(window, dc, record);
}

HWND WINAPI HookedWindowFromDC(HDC dc) {
    // Memory contexts of the paint redirection belong to no window as far
    // as the system knows; the engine does.
    HWND window = WindowFromDC(dc);
    return window ? window : SkinMemoryDcWindow(dc);
}

BOOL WINAPI HookedAnimateWindow(HWND window, DWORD time, DWORD flags) {
    wchar_t className[16];
    if (!Skin(window) || !GetClassNameW(window, className, 16) || std::wcscmp(className, L"ComboLBox") != 0)
        return AnimateWindow(window, time, flags);
    // A skinned drop-down list appears and goes at once: the slide would
    // show the system's look for its duration.
    ShowWindow(window, (flags & AW_HIDE) ? SW_HIDE : SW_SHOWNA);
    return TRUE;
}

int WINAPI HookedSetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
    void* skin = Skin(window);
    if (!skin) return SetScrollInfo(window, bar, info, redraw);
    if (auto* layer = RichEdit(window, skin)) return layer->SetScrollInfo(window, bar, info, redraw);
    SkinScrollInfoResult result;
    bool valid = false;
    const bool scroller = OnScrollerBars(window, skin, [&](SkinScrollBars& bars) {
        const int index = SkinScrollBarIndex(bar, bars);
        if (!info || !SkinValidScrollInfoSize(info->cbSize) || index < 0) return;
        const SkinScrollInfoIn in = SkinScrollInfoOf(*info);
        result = SkinApplyScrollInfo(bars.bar[index], in, OwnBar(bar));
        valid = true;
    });
    if (!scroller) return SetScrollInfo(window, bar, info, redraw);
    if (!valid) return 0;
    ApplyVisibility(window, bar, result.visibility);
    RedrawIfAsked(window, skin, redraw);
    return result.position;
}

BOOL WINAPI HookedGetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
    void* skin = Skin(window);
    if (!skin) return GetScrollInfo(window, bar, info);
    if (auto* layer = RichEdit(window, skin)) return layer->GetScrollInfo(window, bar, info);
    BOOL answer = FALSE;
    const bool scroller = OnScrollerBars(window, skin, [&](SkinScrollBars& bars) {
        const int index = SkinScrollBarIndex(bar, bars);
        if (!info || !SkinValidScrollInfoSize(info->cbSize) || index < 0) return;
        SkinFillScrollInfo(bars.bar[index], *info);
        answer = TRUE;
    });
    return scroller ? answer : GetScrollInfo(window, bar, info);
}

int WINAPI HookedSetScrollPos(HWND window, int bar, int position, BOOL redraw) {
    void* skin = Skin(window);
    if (!skin) return SetScrollPos(window, bar, position, redraw);
    if (auto* layer = RichEdit(window, skin)) return layer->SetScrollPos(window, bar, position, redraw);
    int old = 0;
    bool valid = false;
    const bool scroller = OnScrollerBars(window, skin, [&](SkinScrollBars& bars) {
        const int index = SkinScrollBarIndex(bar, bars);
        if (index < 0) return;
        old = SkinApplyScrollPos(bars.bar[index], position);
        valid = true;
    });
    if (!scroller) return SetScrollPos(window, bar, position, redraw);
    if (valid) RedrawIfAsked(window, skin, redraw);
    return old;
}

int WINAPI HookedGetScrollPos(HWND window, int bar) {
    void* skin = Skin(window);
    if (!skin) return GetScrollPos(window, bar);
    if (auto* layer = RichEdit(window, skin)) return layer->GetScrollPos(window, bar);
    int position = 0;
    const bool scroller = OnScrollerBars(window, skin, [&](SkinScrollBars& bars) {
        const int index = SkinScrollBarIndex(bar, bars);
        if (index >= 0) position = bars.bar[index].position;
    });
    return scroller ? position : GetScrollPos(window, bar);
}

BOOL WINAPI HookedSetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw) {
    void* skin = Skin(window);
    if (!skin) return SetScrollRange(window, bar, minimum, maximum, redraw);
    if (auto* layer = RichEdit(window, skin)) return layer->SetScrollRange(window, bar, minimum, maximum, redraw);
    SkinBarVisibility visibility = SkinBarVisibility::Keep;
    bool valid = false;
    const bool scroller = OnScrollerBars(window, skin, [&](SkinScrollBars& bars) {
        const int index = SkinScrollBarIndex(bar, bars);
        if (index < 0) return;
        visibility = SkinApplyScrollRange(bars.bar[index], minimum, maximum, OwnBar(bar));
        valid = true;
    });
    if (!scroller) return SetScrollRange(window, bar, minimum, maximum, redraw);
    if (!valid) return FALSE;
    ApplyVisibility(window, bar, visibility);
    RedrawIfAsked(window, skin, redraw);
    return TRUE;
}

BOOL WINAPI HookedGetScrollRange(HWND window, int bar, LPINT minimum, LPINT maximum) {
    void* skin = Skin(window);
    if (!skin) return GetScrollRange(window, bar, minimum, maximum);
    if (auto* layer = RichEdit(window, skin)) return layer->GetScrollRange(window, bar, minimum, maximum);
    BOOL answer = FALSE;
    const bool scroller = OnScrollerBars(window, skin, [&](SkinScrollBars& bars) {
        if (!minimum || !maximum) return;
        const int index = SkinScrollBarIndex(bar, bars);
        *minimum = index < 0 ? 0 : bars.bar[index].minimum;
        *maximum = index < 0 ? 0 : bars.bar[index].maximum;
        answer = index >= 0;
    });
    return scroller ? answer : GetScrollRange(window, bar, minimum, maximum);
}

BOOL WINAPI HookedShowScrollBar(HWND window, int bar, BOOL show) {
    void* skin = Skin(window);
    if (!skin) return ShowScrollBar(window, bar, show);
    if (auto* layer = RichEdit(window, skin)) return layer->ShowScrollBar(window, bar, show);
    const BOOL shown = ShowScrollBar(window, bar, show);
    // A scroller's copies follow, so its later answers show and hide the
    // bar from where the caller left it.
    if (shown && bar != SB_CTL) {
        OnScrollerBars(window, skin, [&](SkinScrollBars& bars) {
            if (bar != SB_VERT) bars.bar[0].shown = show != FALSE;
            if (bar != SB_HORZ) bars.bar[1].shown = show != FALSE;
        });
    }
    return shown;
}

BOOL WINAPI HookedEnableScrollBar(HWND window, UINT bar, UINT arrows) {
    void* skin = Skin(window);
    if (!skin) return EnableScrollBar(window, bar, arrows);
    if (auto* layer = RichEdit(window, skin)) return layer->EnableScrollBar(window, bar, arrows);
    // A scroller's bars are drawn by the skin alone: the system would paint
    // its own bar over them.
    bool changed = false;
    const bool scroller = OnScrollerBars(window, skin, [&](SkinScrollBars& bars) {
        const int both = static_cast<int>(bar) == SB_BOTH;
        const int index = both ? -1 : SkinScrollBarIndex(static_cast<int>(bar), bars);
        for (int i = 0; i < 2; ++i) {
            if (!both && i != index) continue;
            const unsigned flags = arrows & ESB_DISABLE_BOTH;
            if (bars.bar[i].arrows == flags) continue;
            bars.bar[i].arrows = flags;
            changed = true;
        }
    });
    if (!scroller) return EnableScrollBar(window, bar, arrows);
    if (changed) RedrawIfAsked(window, skin, TRUE);
    return changed;
}

}  // namespace skin_hook_internal
