// The replacements of the hooked functions. Each first asks the in-process
// table whether the window is attached; every other window goes straight
// to the original function, so the common case costs a few loads.
#include <cwchar>

#include "skin/windows/hooks/skin_hook_internal_win32.h"
#include "skin/windows/hooks/skin_paint_redirect_win32.h"

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

struct ScrollTarget {
    void* skin = nullptr;
    ISkinRichEditScrollBars* richEdit = nullptr;
    SkinScrollBars* bars = nullptr;
};

bool FindScrollTarget(HWND window, ScrollTarget* t) {
    t->skin = Skin(window);
    if (!t->skin) return false;
    t->richEdit = Host().RichEditScrollBars(window, t->skin);
    if (!t->richEdit) t->bars = Host().ScrollBars(window, t->skin);
    return t->richEdit || t->bars;
}

// The sizes of SCROLLINFO the system accepts: with and without nTrackPos.
bool ValidScrollInfoSize(UINT size) { return size == sizeof(SCROLLINFO) || size == sizeof(SCROLLINFO) - sizeof(int); }

bool OwnBar(int bar) { return bar == SB_HORZ || bar == SB_VERT; }

void ApplyVisibility(HWND window, int bar, SkinBarVisibility visibility) {
    if (visibility != SkinBarVisibility::Keep)
        skin_unhooked::ShowScrollBar(window, bar, visibility == SkinBarVisibility::Show);
}

void RedrawIfAsked(HWND window, void* skin, BOOL redraw) {
    if (redraw && IsWindowVisible(window)) Host().RedrawScrollBars(window, skin);
}

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
    ScrollTarget t;
    if (!FindScrollTarget(window, &t)) return SetScrollInfo(window, bar, info, redraw);
    if (t.richEdit) return t.richEdit->SetScrollInfo(window, bar, info, redraw);
    if (!info || !ValidScrollInfoSize(info->cbSize)) return 0;
    const int index = SkinScrollBarIndex(bar, *t.bars);
    if (index < 0) return 0;
    SkinScrollInfoIn in;
    in.mask = info->fMask;
    in.minimum = info->nMin;
    in.maximum = info->nMax;
    in.page = info->nPage;
    in.position = info->nPos;
    const SkinScrollInfoResult result = SkinApplyScrollInfo(t.bars->bar[index], in, OwnBar(bar));
    ApplyVisibility(window, bar, result.visibility);
    RedrawIfAsked(window, t.skin, redraw);
    return result.position;
}

BOOL WINAPI HookedGetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
    ScrollTarget t;
    if (!FindScrollTarget(window, &t)) return GetScrollInfo(window, bar, info);
    if (t.richEdit) return t.richEdit->GetScrollInfo(window, bar, info);
    if (!info || !ValidScrollInfoSize(info->cbSize)) return FALSE;
    const int index = SkinScrollBarIndex(bar, *t.bars);
    if (index < 0) return FALSE;
    const SkinScrollBarCopy& copy = t.bars->bar[index];
    if (info->fMask & SIF_RANGE) {
        info->nMin = copy.minimum;
        info->nMax = copy.maximum;
    }
    if (info->fMask & SIF_PAGE) info->nPage = copy.page;
    if (info->fMask & SIF_POS) info->nPos = copy.position;
    // A caller's structure without nTrackPos has no room for it.
    if ((info->fMask & SIF_TRACKPOS) && info->cbSize == sizeof(SCROLLINFO)) info->nTrackPos = copy.trackPosition;
    return TRUE;
}

int WINAPI HookedSetScrollPos(HWND window, int bar, int position, BOOL redraw) {
    ScrollTarget t;
    if (!FindScrollTarget(window, &t)) return SetScrollPos(window, bar, position, redraw);
    if (t.richEdit) return t.richEdit->SetScrollPos(window, bar, position, redraw);
    const int index = SkinScrollBarIndex(bar, *t.bars);
    if (index < 0) return 0;
    const int old = SkinApplyScrollPos(t.bars->bar[index], position);
    RedrawIfAsked(window, t.skin, redraw);
    return old;
}

int WINAPI HookedGetScrollPos(HWND window, int bar) {
    ScrollTarget t;
    if (!FindScrollTarget(window, &t)) return GetScrollPos(window, bar);
    if (t.richEdit) return t.richEdit->GetScrollPos(window, bar);
    const int index = SkinScrollBarIndex(bar, *t.bars);
    return index < 0 ? 0 : t.bars->bar[index].position;
}

BOOL WINAPI HookedSetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw) {
    ScrollTarget t;
    if (!FindScrollTarget(window, &t)) return SetScrollRange(window, bar, minimum, maximum, redraw);
    if (t.richEdit) return t.richEdit->SetScrollRange(window, bar, minimum, maximum, redraw);
    const int index = SkinScrollBarIndex(bar, *t.bars);
    if (index < 0) return FALSE;
    ApplyVisibility(window, bar, SkinApplyScrollRange(t.bars->bar[index], minimum, maximum, OwnBar(bar)));
    RedrawIfAsked(window, t.skin, redraw);
    return TRUE;
}

BOOL WINAPI HookedGetScrollRange(HWND window, int bar, LPINT minimum, LPINT maximum) {
    ScrollTarget t;
    if (!FindScrollTarget(window, &t)) return GetScrollRange(window, bar, minimum, maximum);
    if (t.richEdit) return t.richEdit->GetScrollRange(window, bar, minimum, maximum);
    if (!minimum || !maximum) return FALSE;
    const int index = SkinScrollBarIndex(bar, *t.bars);
    *minimum = index < 0 ? 0 : t.bars->bar[index].minimum;
    *maximum = index < 0 ? 0 : t.bars->bar[index].maximum;
    return index >= 0;
}

BOOL WINAPI HookedShowScrollBar(HWND window, int bar, BOOL show) {
    ScrollTarget t;
    if (FindScrollTarget(window, &t) && t.richEdit) return t.richEdit->ShowScrollBar(window, bar, show);
    return ShowScrollBar(window, bar, show);
}

BOOL WINAPI HookedEnableScrollBar(HWND window, UINT bar, UINT arrows) {
    ScrollTarget t;
    if (FindScrollTarget(window, &t) && t.richEdit) return t.richEdit->EnableScrollBar(window, bar, arrows);
    return EnableScrollBar(window, bar, arrows);
}

}  // namespace skin_hook_internal
