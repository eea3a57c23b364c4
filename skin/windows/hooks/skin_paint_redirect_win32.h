// Paint and device-context redirection of controls that paint themselves
// while their skin replaces their plain background.
//
// A control skin keeps a SkinPaintRedirect in the window property
// "VELTAR_D" (a SkinDcRedirect in "VELTAR_E" for device contexts from
// GetDC / GetWindowDC) and hands it to the hooks through its host. The
// BeginPaint and EndPaint hooks (GetDC, GetWindowDC, ReleaseDC) then call
// the record's functions instead of the system's. The standard functions
// below let the control paint into a memory device context holding a copy
// of the real one, and afterwards put its picture over the skinned
// background, leaving out every pixel of the control's background colour.
//
// The records are read by the hooks on any thread while the window's
// thread changes them: every field is behind the record's lock, and the
// memory device contexts they hand out are registered with a thread-safe
// table that WindowFromDC consults.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/platform/skin_graphics.h"

enum class SkinPaintMode : int {
    Compose = 0,      // paint off-screen, then compose over the skinned background
    CaptureOnly = 1,  // paint off-screen, show nothing of it
    ClipTo = 2,       // paint on screen, clipped to the rectangle
    ClipOut = 3,      // paint on screen, except in the rectangle
};

// One memory device context handed out in place of a real one: a canvas of
// the graphics layer over a bitmap holding the captured picture.
struct SkinRedirectedDc {
    HDC memory = nullptr;  // the canvas's device context, what the control paints into
    HDC real = nullptr;
    RECT area{};  // what the bitmap covers, in the real one's coordinates
    // Declared in this order so the canvas (which has the bitmap selected)
    // goes first; a bitmap still selected into a DC cannot be deleted.
    SkinBitmapHandle bitmap;
    std::unique_ptr<ISkinCanvas> canvas;

    SkinRedirectedDc() = default;
    SkinRedirectedDc(SkinRedirectedDc&& o) noexcept { *this = std::move(o); }
    SkinRedirectedDc& operator=(SkinRedirectedDc&& o) noexcept;
    // An entry that goes without being ended (its record is destroyed while
    // the context is out) takes its context out of the WindowFromDC table.
    ~SkinRedirectedDc();
};

struct SkinPaintRedirect;
using SkinBeginPaintFn = HDC (*)(HWND window, PAINTSTRUCT* paint, SkinPaintRedirect* record);
using SkinEndPaintFn = BOOL (*)(HWND window, const PAINTSTRUCT* paint, SkinPaintRedirect* record);

struct SkinPaintRedirect {
    SkinPaintRedirect();
    SkinPaintRedirect(const SkinPaintRedirect&) = delete;
    SkinPaintRedirect& operator=(const SkinPaintRedirect&) = delete;

    // Sets the standard functions and the redirection's parameters.
    void Activate(SkinPaintMode mode, const RECT& rect, HWND backgroundWindow, COLORREF backgroundColor);
    // Stops redirecting; contexts already handed out still end normally.
    void Deactivate();

    // What the hooks read, under the lock.
    SkinBeginPaintFn BeginFn() const;
    SkinEndPaintFn EndFn() const;

    mutable win::SrwLock lock;
    SkinBeginPaintFn beginPaint = nullptr;  // non-null while active
    SkinEndPaintFn endPaint = nullptr;
    SkinPaintMode mode = SkinPaintMode::Compose;
    RECT rect{};
    HWND backgroundWindow = nullptr;  // whose skinned background shows through
    COLORREF backgroundColor;         // the control's own background, left out
    std::vector<SkinRedirectedDc> handedOut;
};

struct SkinDcRedirect;
using SkinGetDcFn = HDC (*)(HWND window, SkinDcRedirect* record, bool wholeWindow);
using SkinReleaseDcFn = int (*)(HWND window, HDC dc, SkinDcRedirect* record);

struct SkinDcRedirect {
    SkinDcRedirect();
    SkinDcRedirect(const SkinDcRedirect&) = delete;
    SkinDcRedirect& operator=(const SkinDcRedirect&) = delete;

    void Activate(SkinPaintMode mode, COLORREF backgroundColor, bool invalidateOnRelease);
    void Deactivate();

    // What the hooks read, under the lock.
    SkinGetDcFn GetFn() const;                // null unless active
    SkinReleaseDcFn ReleaseFn(HDC dc) const;  // null unless `dc` was handed out here

    mutable win::SrwLock lock;
    SkinGetDcFn getDc = nullptr;
    SkinReleaseDcFn releaseDc = nullptr;
    bool active = false;
    SkinPaintMode mode = SkinPaintMode::Compose;
    COLORREF backgroundColor;
    bool invalidateOnRelease = false;
    std::vector<SkinRedirectedDc> handedOut;
};

// The standard functions of the two records.
HDC SkinRedirectBeginPaint(HWND window, PAINTSTRUCT* paint, SkinPaintRedirect* record);
BOOL SkinRedirectEndPaint(HWND window, const PAINTSTRUCT* paint, SkinPaintRedirect* record);
HDC SkinRedirectGetDc(HWND window, SkinDcRedirect* record, bool wholeWindow);
int SkinRedirectReleaseDc(HWND window, HDC dc, SkinDcRedirect* record);

// The memory device contexts the engine hands out, with their windows:
// WindowFromDC answers from here when the system knows no window.
void SkinRegisterMemoryDc(HDC dc, HWND window);
void SkinUnregisterMemoryDc(HDC dc);
HWND SkinMemoryDcWindow(HDC dc);
