// The redirected device contexts are plain GDI work (a memory copy of the
// real context, composed back with a colour key); this file and the
// capture helpers in it are the hooks' only GDI drawing.
#include "skin/windows/hooks/skin_paint_redirect.h"

#include <algorithm>
#include <utility>

#include "skin/windows/hooks/skin_detours.h"
#include "skin/windows/hooks/skin_hook_host.h"
#include "skin/windows/hooks/skin_unhooked.h"
#include "skin/windows/skin_api.h"

namespace {

class SharedLock {
public:
    explicit SharedLock(SRWLOCK* lock) : lock_(lock) { AcquireSRWLockShared(lock_); }
    ~SharedLock() { ReleaseSRWLockShared(lock_); }
    SharedLock(const SharedLock&) = delete;
    SharedLock& operator=(const SharedLock&) = delete;

private:
    SRWLOCK* lock_;
};

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK* lock) : lock_(lock) { AcquireSRWLockExclusive(lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK* lock_;
};

// The memory device contexts handed out, each with its window.
SRWLOCK g_memoryDcsLock = SRWLOCK_INIT;
std::vector<std::pair<HDC, HWND>> g_memoryDcs;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

void Release(SkinRedirectedDc& dc) {
    SkinUnregisterMemoryDc(dc.memory);
    if (dc.memory) {
        SelectObject(dc.memory, dc.oldBitmap);
        DeleteDC(dc.memory);
    }
    if (dc.bitmap) DeleteObject(dc.bitmap);
    dc = SkinRedirectedDc{};
}

// A memory context over a copy of `area` of the real one, with the real
// one's drawing attributes, so the control paints off-screen as it would
// have on screen.
bool Capture(HDC real, const RECT& area, HWND window, SkinRedirectedDc* out) {
    if (!real || Width(area) <= 0 || Height(area) <= 0) return false;
    SkinRedirectedDc dc;
    dc.real = real;
    dc.area = area;
    dc.memory = CreateCompatibleDC(real);
    dc.bitmap = dc.memory ? CreateCompatibleBitmap(real, Width(area), Height(area)) : nullptr;
    if (!dc.bitmap) {
        if (dc.memory) DeleteDC(dc.memory);
        return false;
    }
    dc.oldBitmap = SelectObject(dc.memory, dc.bitmap);
    BitBlt(dc.memory, 0, 0, Width(area), Height(area), real, area.left, area.top, SRCCOPY);
    SelectObject(dc.memory, GetCurrentObject(real, OBJ_FONT));
    SelectObject(dc.memory, GetCurrentObject(real, OBJ_BRUSH));
    SelectObject(dc.memory, GetCurrentObject(real, OBJ_PEN));
    SetTextColor(dc.memory, GetTextColor(real));
    SetBkColor(dc.memory, GetBkColor(real));
    SetBkMode(dc.memory, GetBkMode(real));
    SetTextAlign(dc.memory, GetTextAlign(real));
    SetMapMode(dc.memory, GetMapMode(real));
    POINT p;
    GetWindowOrgEx(real, &p);
    SetWindowOrgEx(dc.memory, p.x, p.y, nullptr);
    GetViewportOrgEx(real, &p);
    SetViewportOrgEx(dc.memory, p.x - area.left, p.y - area.top, nullptr);
    SkinRegisterMemoryDc(dc.memory, window);
    *out = dc;
    return true;
}

// Puts `part` (real-context coordinates) of the captured picture over
// `fill` in the real context, leaving out the pixels of `key`.
template <typename Fill>
void Compose(const SkinRedirectedDc& dc, const RECT& part, COLORREF key, Fill&& fill) {
    const int w = Width(part), h = Height(part);
    if (w <= 0 || h <= 0) return;
    HDC composed = CreateCompatibleDC(dc.real);
    HBITMAP bitmap = composed ? CreateCompatibleBitmap(dc.real, w, h) : nullptr;
    if (bitmap) {
        HGDIOBJ old = SelectObject(composed, bitmap);
        fill(composed, w, h);
        // The control may have left a mapping of its own behind.
        SetMapMode(dc.memory, MM_TEXT);
        SetWindowOrgEx(dc.memory, 0, 0, nullptr);
        SetViewportOrgEx(dc.memory, 0, 0, nullptr);
        TransparentBlt(composed, 0, 0, w, h, dc.memory, part.left - dc.area.left, part.top - dc.area.top, w, h, key);
        BitBlt(dc.real, part.left, part.top, w, h, composed, 0, 0, SRCCOPY);
        SelectObject(composed, old);
        DeleteObject(bitmap);
    }
    if (composed) DeleteDC(composed);
}

// The skinned background behind `part` of the painted window's client area.
void FillSkinnedBackground(HDC target, int w, int h, HWND window, const RECT& part, HWND backgroundWindow) {
    ISkinHookHost* host = SkinActiveHookHost();
    HBRUSH brush = host && backgroundWindow ? host->FrameBackgroundBrush(backgroundWindow) : nullptr;
    if (brush) {
        // The frame's brush lines up with the frame's own client area.
        POINT origin{part.left, part.top};
        MapWindowPoints(window, backgroundWindow, &origin, 1);
        SetBrushOrgEx(target, -origin.x, -origin.y, nullptr);
        RECT all{0, 0, w, h};
        FillRect(target, &all, brush);
        return;
    }
    RECT client;
    GetClientRect(window, &client);
    SetViewportOrgEx(target, -part.left, -part.top, nullptr);
    PaintParentBackground(window, target, client.left, client.top, client.right, client.bottom, 255);
    SetViewportOrgEx(target, 0, 0, nullptr);
}

// Takes the record's entry for `memory` out of its list.
bool TakeHandedOut(std::vector<SkinRedirectedDc>& list, HDC memory, SkinRedirectedDc* out) {
    auto it = std::find_if(list.begin(), list.end(), [memory](const SkinRedirectedDc& d) { return d.memory == memory; });
    if (it == list.end()) return false;
    *out = *it;
    list.erase(it);
    return true;
}

bool Append(std::vector<SkinRedirectedDc>& list, const SkinRedirectedDc& dc) {
    try {
        list.push_back(dc);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

SkinPaintRedirect::SkinPaintRedirect() : backgroundColor(GetSysColor(COLOR_BTNFACE)) {}

void SkinPaintRedirect::Activate(SkinPaintMode newMode, const RECT& newRect, HWND newBackgroundWindow,
                                 COLORREF newBackgroundColor) {
    ExclusiveLock guard(&lock);
    mode = newMode;
    rect = newRect;
    backgroundWindow = newBackgroundWindow;
    backgroundColor = newBackgroundColor;
    endPaint = &SkinRedirectEndPaint;
    beginPaint = &SkinRedirectBeginPaint;
}

void SkinPaintRedirect::Deactivate() {
    ExclusiveLock guard(&lock);
    beginPaint = nullptr;
}

SkinBeginPaintFn SkinPaintRedirect::BeginFn() const {
    SharedLock guard(&lock);
    return beginPaint;
}

SkinEndPaintFn SkinPaintRedirect::EndFn() const {
    SharedLock guard(&lock);
    return endPaint;
}

SkinDcRedirect::SkinDcRedirect() : backgroundColor(GetSysColor(COLOR_BTNFACE)) {}

void SkinDcRedirect::Activate(SkinPaintMode newMode, COLORREF newBackgroundColor, bool invalidate) {
    ExclusiveLock guard(&lock);
    mode = newMode;
    backgroundColor = newBackgroundColor;
    invalidateOnRelease = invalidate;
    getDc = &SkinRedirectGetDc;
    releaseDc = &SkinRedirectReleaseDc;
    active = true;
}

void SkinDcRedirect::Deactivate() {
    ExclusiveLock guard(&lock);
    active = false;
}

SkinGetDcFn SkinDcRedirect::GetFn() const {
    SharedLock guard(&lock);
    return active ? getDc : nullptr;
}

SkinReleaseDcFn SkinDcRedirect::ReleaseFn(HDC dc) const {
    SharedLock guard(&lock);
    for (const SkinRedirectedDc& d : handedOut) {
        if (d.memory == dc) return releaseDc;
    }
    return nullptr;
}

HDC SkinRedirectBeginPaint(HWND window, PAINTSTRUCT* paint, SkinPaintRedirect* record) {
    HDC real = skin_unhooked::BeginPaint(window, paint);
    if (!real) return real;
    SkinPaintMode mode;
    RECT rect;
    {
        SharedLock guard(&record->lock);
        mode = record->mode;
        rect = record->rect;
    }
    if (mode == SkinPaintMode::ClipTo || mode == SkinPaintMode::ClipOut) {
        HRGN clip = CreateRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        if (clip) {
            ExtSelectClipRgn(real, clip, mode == SkinPaintMode::ClipTo ? RGN_COPY : RGN_DIFF);
            DeleteObject(clip);
        }
        return real;
    }
    RECT client;
    if (!GetClientRect(window, &client)) return real;
    SkinRedirectedDc dc;
    if (!Capture(real, client, window, &dc)) return real;
    {
        ExclusiveLock guard(&record->lock);
        if (!Append(record->handedOut, dc)) {
            Release(dc);
            return real;
        }
    }
    paint->hdc = dc.memory;
    return dc.memory;
}

BOOL SkinRedirectEndPaint(HWND window, const PAINTSTRUCT* paint, SkinPaintRedirect* record) {
    if (!paint) return skin_unhooked::EndPaint(window, paint);
    SkinRedirectedDc dc;
    SkinPaintMode mode;
    HWND backgroundWindow;
    COLORREF key;
    {
        ExclusiveLock guard(&record->lock);
        if (!TakeHandedOut(record->handedOut, paint->hdc, &dc)) return skin_unhooked::EndPaint(window, paint);
        mode = record->mode;
        backgroundWindow = record->backgroundWindow;
        key = record->backgroundColor;
    }
    if (mode == SkinPaintMode::Compose) {
        const RECT part = paint->rcPaint;
        Compose(dc, part, key, [&](HDC target, int w, int h) {
            FillSkinnedBackground(target, w, h, window, part, backgroundWindow);
        });
    }
    PAINTSTRUCT real = *paint;
    real.hdc = dc.real;
    Release(dc);
    return skin_unhooked::EndPaint(window, &real);
}

HDC SkinRedirectGetDc(HWND window, SkinDcRedirect* record, bool wholeWindow) {
    HDC real = wholeWindow ? skin_unhooked::GetWindowDC(window) : skin_unhooked::GetDC(window);
    RECT area{};
    if (wholeWindow) {
        RECT r;
        if (GetWindowRect(window, &r)) area = {0, 0, Width(r), Height(r)};
    } else {
        GetClientRect(window, &area);
    }
    SkinRedirectedDc dc;
    if (!Capture(real, area, window, &dc)) return real;
    ExclusiveLock guard(&record->lock);
    if (!Append(record->handedOut, dc)) {
        Release(dc);
        return real;
    }
    return dc.memory;
}

int SkinRedirectReleaseDc(HWND window, HDC memory, SkinDcRedirect* record) {
    SkinRedirectedDc dc;
    SkinPaintMode mode;
    COLORREF key;
    bool invalidate;
    {
        ExclusiveLock guard(&record->lock);
        if (!TakeHandedOut(record->handedOut, memory, &dc)) return skin_unhooked::ReleaseDC(window, memory);
        mode = record->mode;
        key = record->backgroundColor;
        invalidate = record->invalidateOnRelease;
    }
    if (mode == SkinPaintMode::Compose) {
        Compose(dc, dc.area, key, [](HDC target, int w, int h) {
            RECT all{0, 0, w, h};
            FillRect(target, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        });
    }
    HDC real = dc.real;
    Release(dc);
    if (invalidate) InvalidateRect(window, nullptr, FALSE);
    return skin_unhooked::ReleaseDC(window, real);
}

void SkinRegisterMemoryDc(HDC dc, HWND window) {
    if (!dc) return;
    ExclusiveLock guard(&g_memoryDcsLock);
    for (auto& entry : g_memoryDcs) {
        if (entry.first == dc) {
            entry.second = window;
            return;
        }
    }
    try {
        g_memoryDcs.emplace_back(dc, window);
    } catch (...) {
        // Without the entry WindowFromDC only knows the system's answer.
    }
}

void SkinUnregisterMemoryDc(HDC dc) {
    if (!dc) return;
    ExclusiveLock guard(&g_memoryDcsLock);
    auto it = std::find_if(g_memoryDcs.begin(), g_memoryDcs.end(), [dc](const auto& e) { return e.first == dc; });
    if (it != g_memoryDcs.end()) g_memoryDcs.erase(it);
}

HWND SkinMemoryDcWindow(HDC dc) {
    SharedLock guard(&g_memoryDcsLock);
    for (const auto& entry : g_memoryDcs) {
        if (entry.first == dc) return entry.second;
    }
    return nullptr;
}
