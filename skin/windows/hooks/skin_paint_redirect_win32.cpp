// The redirected device contexts are canvases of the graphics layer over
// bitmaps it creates and counts: the capture, the keyed composition and the
// fills are canvas calls. Only device-context state (selections, colours,
// modes, origins, clipping) is set here directly.
#include "skin/windows/hooks/skin_paint_redirect_win32.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <utility>

#include "common/win_handles.h"
#include "skin/windows/hooks/skin_detours_win32.h"
#include "skin/windows/hooks/skin_hook_host_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

namespace {

// The memory device contexts handed out, each with its window.
win::SrwLock g_memoryDcsLock;
std::vector<std::pair<HDC, HWND>> g_memoryDcs;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Ends the handed-out canvas (the bitmap is free again to be a source) and
// takes its device context out of the table WindowFromDC consults.
void EndCanvas(SkinRedirectedDc& dc) {
    SkinUnregisterMemoryDc(dc.memory);
    dc.canvas.reset();
    dc.memory = nullptr;
}

// A memory context over a copy of `area` of the real one, with the real
// one's drawing attributes, so the control paints off-screen as it would
// have on screen.
bool Capture(HDC real, const RECT& area, HWND window, SkinRedirectedDc* out) {
    const int w = Width(area), h = Height(area);
    if (!real || w <= 0 || h <= 0) return false;
    ISkinGraphics& graphics = SkinGraphics();
    SkinRedirectedDc dc;
    dc.real = real;
    dc.area = area;
    dc.bitmap = graphics.CreateCompatibleBitmap(w, h);
    if (!dc.bitmap) return false;
    dc.canvas = graphics.CreateBitmapCanvas(SkinSurface{dc.bitmap.get(), w, h});
    std::unique_ptr<ISkinCanvas> screen = graphics.CreateDcCanvas(real);
    if (!dc.canvas || !dc.canvas->Dc() || !screen) return false;
    dc.memory = dc.canvas->Dc();
    dc.canvas->CopyFrom(*screen, SkinBox{0, 0, w, h}, area.left, area.top);
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
    *out = std::move(dc);
    return true;
}

// Puts `part` (real-context coordinates) of the captured picture over
// `fill` in the real context, leaving out the pixels of `key`. The
// handed-out canvas must have ended: its bitmap is the source here, and it
// is read through a fresh DC, so no mapping the control left behind applies.
template <typename Fill>
void Compose(const SkinRedirectedDc& dc, const RECT& part, COLORREF key, Fill&& fill) {
    const int w = Width(part), h = Height(part);
    if (w <= 0 || h <= 0 || !dc.bitmap) return;
    ISkinGraphics& graphics = SkinGraphics();
    SkinBitmapHandle buffer = graphics.CreateCompatibleBitmap(w, h);
    if (!buffer) return;
    std::unique_ptr<ISkinCanvas> composed = graphics.CreateBitmapCanvas(SkinSurface{buffer.get(), w, h});
    std::unique_ptr<ISkinCanvas> screen = graphics.CreateDcCanvas(dc.real);
    if (!composed || !screen) return;
    fill(*composed, w, h);
    const SkinSurface captured{dc.bitmap.get(), Width(dc.area), Height(dc.area)};
    const SkinPiece piece{SkinBlit::Keyed, SkinBox{0, 0, w, h},
                          SkinBox{part.left - dc.area.left, part.top - dc.area.top, w, h}};
    composed->DrawPieces(captured, &piece, 1, key);
    screen->CopyFrom(*composed, SkinBox{part.left, part.top, w, h}, 0, 0);
}

// The skinned background behind `part` of the painted window's client area.
void FillSkinnedBackground(ISkinCanvas& target, int w, int h, HWND window, const RECT& part, HWND backgroundWindow) {
    ISkinHookHost* host = SkinActiveHookHost();
    HBRUSH brush = host && backgroundWindow ? host->FrameBackgroundBrush(backgroundWindow) : nullptr;
    if (brush) {
        // The frame's brush lines up with the frame's own client area.
        POINT origin{part.left, part.top};
        MapWindowPoints(window, backgroundWindow, &origin, 1);
        SetBrushOrgEx(target.Dc(), -origin.x, -origin.y, nullptr);
        target.FillBrush(SkinRect{0, 0, w, h}, brush);
        return;
    }
    RECT client = win::ClientRect(window);
    SetViewportOrgEx(target.Dc(), -part.left, -part.top, nullptr);
    PaintParentBackground(window, target.Dc(), client.left, client.top, client.right, client.bottom, 255);
    SetViewportOrgEx(target.Dc(), 0, 0, nullptr);
}

// The clip rectangle of the clip modes, one pixel wider and taller than the
// record's; reversed edges are put in order, as a rectangle region takes them.
SkinRect ClipRect(const RECT& rect) {
    auto past = [](LONG edge) { return edge < INT_MAX ? static_cast<int>(edge) + 1 : INT_MAX; };
    const int left = rect.left, top = rect.top, right = past(rect.right), bottom = past(rect.bottom);
    return SkinRect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

// Takes the record's entry for `memory` out of its list.
bool TakeHandedOut(std::vector<SkinRedirectedDc>& list, HDC memory, SkinRedirectedDc* out) {
    auto it =
        std::find_if(list.begin(), list.end(), [memory](const SkinRedirectedDc& d) { return d.memory == memory; });
    if (it == list.end()) return false;
    *out = std::move(*it);
    list.erase(it);
    return true;
}

// Moves `dc` into the list; when the list cannot grow, `dc` keeps it all.
bool Append(std::vector<SkinRedirectedDc>& list, SkinRedirectedDc& dc) {
    try {
        list.push_back(std::move(dc));
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

SkinRedirectedDc& SkinRedirectedDc::operator=(SkinRedirectedDc&& o) noexcept {
    if (this == &o) return *this;
    SkinUnregisterMemoryDc(memory);
    canvas.reset();  // lets go of the old bitmap before it is deleted
    bitmap = std::move(o.bitmap);
    canvas = std::move(o.canvas);
    memory = std::exchange(o.memory, nullptr);
    real = std::exchange(o.real, nullptr);
    area = o.area;
    return *this;
}

SkinRedirectedDc::~SkinRedirectedDc() { SkinUnregisterMemoryDc(memory); }

SkinPaintRedirect::SkinPaintRedirect() : backgroundColor(GetSysColor(COLOR_BTNFACE)) {}

void SkinPaintRedirect::Activate(SkinPaintMode newMode, const RECT& newRect, HWND newBackgroundWindow,
                                 COLORREF newBackgroundColor) {
    std::lock_guard<win::SrwLock> guard(lock);
    mode = newMode;
    rect = newRect;
    backgroundWindow = newBackgroundWindow;
    backgroundColor = newBackgroundColor;
    endPaint = &SkinRedirectEndPaint;
    beginPaint = &SkinRedirectBeginPaint;
}

void SkinPaintRedirect::Deactivate() {
    std::lock_guard<win::SrwLock> guard(lock);
    beginPaint = nullptr;
}

SkinBeginPaintFn SkinPaintRedirect::BeginFn() const {
    std::shared_lock<win::SrwLock> guard(lock);
    return beginPaint;
}

SkinEndPaintFn SkinPaintRedirect::EndFn() const {
    std::shared_lock<win::SrwLock> guard(lock);
    return endPaint;
}

SkinDcRedirect::SkinDcRedirect() : backgroundColor(GetSysColor(COLOR_BTNFACE)) {}

void SkinDcRedirect::Activate(SkinPaintMode newMode, COLORREF newBackgroundColor, bool invalidate) {
    std::lock_guard<win::SrwLock> guard(lock);
    mode = newMode;
    backgroundColor = newBackgroundColor;
    invalidateOnRelease = invalidate;
    getDc = &SkinRedirectGetDc;
    releaseDc = &SkinRedirectReleaseDc;
    active = true;
}

void SkinDcRedirect::Deactivate() {
    std::lock_guard<win::SrwLock> guard(lock);
    active = false;
}

SkinGetDcFn SkinDcRedirect::GetFn() const {
    std::shared_lock<win::SrwLock> guard(lock);
    return active ? getDc : nullptr;
}

SkinReleaseDcFn SkinDcRedirect::ReleaseFn(HDC dc) const {
    std::shared_lock<win::SrwLock> guard(lock);
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
        std::shared_lock<win::SrwLock> guard(record->lock);
        mode = record->mode;
        rect = record->rect;
    }
    if (mode == SkinPaintMode::ClipTo || mode == SkinPaintMode::ClipOut) {
        const SkinRect clipRect = ClipRect(rect);
        SkinRegion clip = SkinGraphics().CreateRegion(&clipRect, 1);
        if (clip) ExtSelectClipRgn(real, clip.get(), mode == SkinPaintMode::ClipTo ? RGN_COPY : RGN_DIFF);
        return real;
    }
    RECT client;
    if (!GetClientRect(window, &client)) return real;
    SkinRedirectedDc dc;
    if (!Capture(real, client, window, &dc)) return real;
    const HDC memory = dc.memory;
    {
        std::lock_guard<win::SrwLock> guard(record->lock);
        if (!Append(record->handedOut, dc)) {
            EndCanvas(dc);
            return real;
        }
    }
    paint->hdc = memory;
    return memory;
}

BOOL SkinRedirectEndPaint(HWND window, const PAINTSTRUCT* paint, SkinPaintRedirect* record) {
    if (!paint) return skin_unhooked::EndPaint(window, paint);
    SkinRedirectedDc dc;
    SkinPaintMode mode;
    HWND backgroundWindow;
    COLORREF key;
    {
        std::lock_guard<win::SrwLock> guard(record->lock);
        if (!TakeHandedOut(record->handedOut, paint->hdc, &dc)) return skin_unhooked::EndPaint(window, paint);
        mode = record->mode;
        backgroundWindow = record->backgroundWindow;
        key = record->backgroundColor;
    }
    EndCanvas(dc);
    if (mode == SkinPaintMode::Compose) {
        const RECT part = paint->rcPaint;
        Compose(dc, part, key, [&](ISkinCanvas& target, int w, int h) {
            FillSkinnedBackground(target, w, h, window, part, backgroundWindow);
        });
    }
    PAINTSTRUCT real = *paint;
    real.hdc = dc.real;
    dc.bitmap.reset();
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
    const HDC memory = dc.memory;
    std::lock_guard<win::SrwLock> guard(record->lock);
    if (!Append(record->handedOut, dc)) {
        EndCanvas(dc);
        return real;
    }
    return memory;
}

int SkinRedirectReleaseDc(HWND window, HDC memory, SkinDcRedirect* record) {
    SkinRedirectedDc dc;
    SkinPaintMode mode;
    COLORREF key;
    bool invalidate;
    {
        std::lock_guard<win::SrwLock> guard(record->lock);
        if (!TakeHandedOut(record->handedOut, memory, &dc)) return skin_unhooked::ReleaseDC(window, memory);
        mode = record->mode;
        key = record->backgroundColor;
        invalidate = record->invalidateOnRelease;
    }
    EndCanvas(dc);
    if (mode == SkinPaintMode::Compose) {
        Compose(dc, dc.area, key, [](ISkinCanvas& target, int w, int h) {
            target.FillBrush(SkinRect{0, 0, w, h}, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        });
    }
    HDC real = dc.real;
    dc.bitmap.reset();
    if (invalidate) InvalidateRect(window, nullptr, FALSE);
    return skin_unhooked::ReleaseDC(window, real);
}

void SkinRegisterMemoryDc(HDC dc, HWND window) {
    if (!dc) return;
    std::lock_guard<win::SrwLock> guard(g_memoryDcsLock);
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
    std::lock_guard<win::SrwLock> guard(g_memoryDcsLock);
    auto it = std::find_if(g_memoryDcs.begin(), g_memoryDcs.end(), [dc](const auto& e) { return e.first == dc; });
    if (it != g_memoryDcs.end()) g_memoryDcs.erase(it);
}

HWND SkinMemoryDcWindow(HDC dc) {
    std::shared_lock<win::SrwLock> guard(g_memoryDcsLock);
    for (const auto& entry : g_memoryDcs) {
        if (entry.first == dc) return entry.second;
    }
    return nullptr;
}
