// What the hook replacements ask of the engine about a window it skins.
//
// The replacements run on every call of a hooked function in the process,
// on whatever thread makes it. They first look the window up in the
// in-process table of attached windows (SkinHookRegisterWindow, in
// skin_detours.h); only for a window found there do they call the host,
// passing the value the host registered with it (its skin object). A
// window that is not in the table gets the system function unchanged, and
// never costs a window property lookup.
//
// Every method has a default that answers "nothing to do", so the host
// implements only what its skins have. All are noexcept: no exception may
// cross a hooked function.
#pragma once

#include <windows.h>

#include "skin/windows/hooks/skin_scroll_math.h"

struct SkinPaintRedirect;
struct SkinDcRedirect;

// The scroll-bar layer of rich-edit controls (the window property
// "PROP_Veltar"): it answers the scroll-bar functions itself. Filled by the
// rich-edit skin; each method has the system function's meaning.
class ISkinRichEditScrollBars {
public:
    virtual int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw) noexcept = 0;
    virtual BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info) noexcept = 0;
    virtual int SetScrollPos(HWND window, int bar, int position, BOOL redraw) noexcept = 0;
    virtual int GetScrollPos(HWND window, int bar) noexcept = 0;
    virtual BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw) noexcept = 0;
    virtual BOOL GetScrollRange(HWND window, int bar, int* minimum, int* maximum) noexcept = 0;
    virtual BOOL ShowScrollBar(HWND window, int bar, BOOL show) noexcept = 0;
    virtual BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows) noexcept = 0;

protected:
    ~ISkinRichEditScrollBars() = default;
};

class ISkinHookHost {
public:
    // Window procedures of an attached window: the one under the skin (the
    // previous procedure, where the skin passes messages on) and the skin's
    // class procedure. False when the window has none (not subclassed).
    virtual bool GetProcedures(HWND window, void* skin, WNDPROC* underSkin, WNDPROC* classProcedure) noexcept {
        return false;
    }
    // Records a new procedure under the skin (after a caller subclassed).
    virtual void SetProcedureUnderSkin(HWND window, void* skin, WNDPROC procedure) noexcept {}

    // True for a skinned frame that owns its window region (frame kind not
    // 0, not an MDI child): SetWindowRgn from elsewhere leaves it alone.
    virtual bool OwnsWindowRegion(HWND window, void* skin) noexcept { return false; }

    // Runs `visit` on the scroller's copies of its two bars, which the
    // scroll-bar replacements read and change, with the copies locked; on a
    // thread other than the window's the skin is kept alive meanwhile (it
    // may be going on its own thread). False, without a visit, when the skin
    // draws no scroll bars.
    virtual bool VisitScrollBars(HWND window, void* skin, ISkinScrollBarsVisit& visit) noexcept { return false; }
    // Redraws the skin's scroll bars after the replacements changed them:
    // at once on the window's own thread; from other threads the window's
    // thread repaints them.
    virtual void RedrawScrollBars(HWND window, void* skin) noexcept {}
    // The rich-edit scroll-bar layer of the window ("PROP_Veltar"), or null.
    virtual ISkinRichEditScrollBars* RichEditScrollBars(HWND window, void* skin) noexcept { return nullptr; }

    // The window's paint redirection ("VELTAR_D") and device-context
    // redirection ("VELTAR_E") records, or null.
    virtual SkinPaintRedirect* PaintRedirect(HWND window, void* skin) noexcept { return nullptr; }
    virtual SkinDcRedirect* DcRedirect(HWND window, void* skin) noexcept { return nullptr; }
    // The background brush of a skinned frame, or null for other windows;
    // composed paint redirections fill with it.
    virtual HBRUSH FrameBackgroundBrush(HWND window) noexcept { return nullptr; }

protected:
    ~ISkinHookHost() = default;
};
