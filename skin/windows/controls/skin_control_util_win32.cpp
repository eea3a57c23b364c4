#include "skin/windows/controls/skin_control_util_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/picture/skin_draw_image.h"
#include "skin/platform/skin_gdi_canvas_win32.h"
#include "skin/platform/skin_graphics.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"
#include "skin/windows/manager/skin_timer_win32.h"
#include "skin/windows/skin_api_win32.h"

void SkinInvalidate(HWND window, bool erase) {
    if (::IsWindowVisible(window)) ::InvalidateRect(window, nullptr, erase ? TRUE : FALSE);
}

void SkinRedrawWhole(HWND window) {
    if (::IsWindowVisible(window)) ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
}

LRESULT SkinPassWithoutRedraw(CSkinBase& object, const SkinMessage& message) {
    HWND window = object.Window();
    if (!::IsWindowVisible(window)) return SkinCallPrevious(object, message);
    ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    LRESULT result = SkinCallPrevious(object, message);
    ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(window, nullptr, FALSE);
    return result;
}

bool SkinTrackMouse(HWND window, DWORD flags) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = flags;
    track.hwndTrack = window;
    track.dwHoverTime = 1;
    return ::TrackMouseEvent(&track) != FALSE;
}

bool SkinStartPolledHover(HWND window, bool& hover, UINT_PTR timer, DWORD trackFlags) {
    constexpr UINT kPollMs = 100;
    if (hover) return false;
    hover = true;
    SkinTrackMouse(window, trackFlags);
    SkinStartTimer(window, timer, kPollMs);
    return true;
}

bool SkinEndPolledHover(HWND window, bool& hover, UINT_PTR timer) {
    SkinStopTimer(window, timer);
    if (!hover) return false;
    hover = false;
    return true;
}

namespace {

// A record size both comctl32 versions take (version 5 refuses the newest).
const UINT kToolInfoSize = TTTOOLINFOW_V2_SIZE;

TOOLINFOW ToolRecord(HWND owner) {
    TOOLINFOW tool{};
    tool.cbSize = kToolInfoSize;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    tool.hinst = ::GetModuleHandleW(nullptr);
    return tool;
}

}  // namespace

void SkinToolTipOnMouseMove(HWND owner, HWND& tip, const std::wstring& text, bool pressed, const SkinMessage& move) {
    if (pressed) {
        SkinToolTipClose(tip);
        return;
    }
    if (tip && ::IsWindow(tip)) {
        MSG relay{};
        relay.hwnd = owner;
        relay.message = WM_MOUSEMOVE;
        relay.wParam = move.wParam;
        relay.lParam = move.lParam;
        ::SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
        return;
    }
    tip = nullptr;
    if (text.empty()) return;
    tip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!tip) return;
    TOOLINFOW tool = ToolRecord(owner);
    std::wstring copy = text;  // the tool tip copies the text when the tool is added
    tool.lpszText = copy.data();
    if (::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0) > 0)
        ::SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SkinToolTipClose(HWND& tip) {
    if (tip && ::IsWindow(tip)) ::SendMessageW(tip, WM_CLOSE, 0, 0);
    tip = nullptr;
}

POINT SkinCursorInClient(HWND window) {
    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(window, &p);
    return p;
}

bool SkinSetControlCursor(CSkinBase& object, HCURSOR themeCursor) {
    POINT p = SkinCursorInClient(object.Window());
    if (object.ItemsSetCursor(p.x, p.y)) return true;
    if (!themeCursor) return false;
    ::SetCursor(themeCursor);
    return true;
}

HFONT SkinDefaultFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

HFONT SkinControlFont(HWND window, const std::wstring& fontId) { return SkinControlFont(window, fontId, SkinScale()); }

HFONT SkinThemeFont(const std::wstring& fontId, const SkinScale& scale) {
    return fontId.empty() ? nullptr : static_cast<HFONT>(GetSkinResourceManager()->GetFontHandle(fontId, scale));
}

HFONT SkinControlFont(HWND window, const std::wstring& fontId, const SkinScale& scale) {
    HFONT font = SkinThemeFont(fontId, scale);
    if (!font && window) font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    return font ? font : SkinDefaultFont();
}

CSkinDrawImage* SkinThemePicture(const std::wstring& imageId) {
    return imageId.empty() ? nullptr : GetSkinResourceManager()->GetImage(imageId);
}

HCURSOR SkinThemeCursor(const std::wstring& cursorId) {
    return cursorId.empty() ? nullptr : static_cast<HCURSOR>(GetSkinResourceManager()->GetCursor(cursorId));
}

void SkinInvalidateNonClient(HWND window) {
    RECT outer{}, client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&outer), 2);
    // The window less its client area, in client coordinates.
    const SkinRect ring[4] = {SkinRect{outer.left, outer.top, outer.right, client.top},
                              SkinRect{outer.left, client.bottom, outer.right, outer.bottom},
                              SkinRect{outer.left, client.top, client.left, client.bottom},
                              SkinRect{client.right, client.top, outer.right, client.bottom}};
    SkinRect parts[4];
    size_t count = 0;
    for (const SkinRect& r : ring)
        if (!r.IsEmpty()) parts[count++] = r;
    if (count == 0) return;
    SkinRegion frame = SkinGraphics().CreateRegion(parts, count);
    if (frame) ::RedrawWindow(window, nullptr, frame.get(), RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE | RDW_NOCHILDREN);
}

void SkinDrawFramePicture(HWND window, HDC dc, CSkinDrawImage& picture, const SkinRect& inner, const SkinScale& scale) {
    RECT outer{};
    ::GetWindowRect(window, &outer);
    const int W = outer.right - outer.left, H = outer.bottom - outer.top;
    if (W <= 0 || H <= 0 || !dc) return;
    const SkinRect ring[4] = {SkinRect{0, 0, W, inner.top}, SkinRect{0, inner.bottom, W, H},
                              SkinRect{0, inner.top, inner.left, inner.bottom},
                              SkinRect{inner.right, inner.top, W, inner.bottom}};
    SkinPieces pieces;
    for (const SkinRect& r : ring) {
        const SkinBox box{r.left, r.top, r.Width(), r.Height()};
        pieces.Add(SkinBlit::Copy, box, box, W, H);
    }
    if (pieces.Count() == 0) return;
    SkinBitmapHandle buffer = SkinGraphics().CreateCompatibleBitmap(W, H);
    if (!buffer) return;
    const SkinSurface surface{buffer.get(), W, H};
    {
        std::unique_ptr<ISkinCanvas> memory = SkinGraphics().CreateBitmapCanvas(surface);
        if (!memory) return;
        memory->SetScale(scale);
        memory->FillSolid(SkinRect{0, 0, W, H}, SkinRgb(255, 255, 255));
        // Corners of 4 pixels keep their shape at any size.
        picture.Draw9Grid(*memory, SkinRect{0, 0, W, H}, SkinQuad{4, 4, 4, 4});
    }
    std::unique_ptr<ISkinCanvas> target = SkinGraphics().CreateDcCanvas(dc);
    if (target) target->DrawPieces(surface, pieces);
}

bool SkinCursorOverWindow(HWND window) {
    POINT p{};
    RECT r{};
    return ::IsWindowVisible(window) && ::GetCursorPos(&p) && ::GetWindowRect(window, &r) && ::PtInRect(&r, p);
}

SkinRect SkinClientInWindow(HWND window) {
    RECT outer{}, client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return SkinRect{client.left - outer.left, client.top - outer.top, client.right - outer.left,
                    client.bottom - outer.top};
}

SkinButtonImage SkinButtonImageOf(HWND button, bool icon) {
    SkinButtonImage image;
    HANDLE handle = reinterpret_cast<HANDLE>(::SendMessageW(button, BM_GETIMAGE, icon ? IMAGE_ICON : IMAGE_BITMAP, 0));
    if (!handle) return image;
    HBITMAP sizeSource = static_cast<HBITMAP>(handle);
    ICONINFO info{};
    if (icon) {
        if (!::GetIconInfo(static_cast<HICON>(handle), &info)) return image;
        sizeSource = info.hbmColor ? info.hbmColor : info.hbmMask;
    }
    BITMAP bm{};
    bool sized = ::GetObjectW(sizeSource, sizeof bm, &bm) != 0;
    if (icon) {
        // GetIconInfo made copies of the icon's bitmaps: ours to free.
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
        if (!info.hbmColor && sized) bm.bmHeight /= 2;  // a monochrome icon's mask holds two halves
    }
    if (!sized) return image;
    image.handle = handle;
    image.icon = icon;
    image.width = bm.bmWidth;
    image.height = bm.bmHeight;
    return image;
}

void SkinDrawButtonImage(ISkinCanvas& canvas, const SkinButtonImage& image, int x, int y) {
    if (!image.handle) return;
    if (image.icon) {
        canvas.DrawIcon(x, y, static_cast<HICON>(image.handle), image.width, image.height);
        return;
    }
    SkinPiece piece{SkinBlit::Copy, SkinBox{x, y, image.width, image.height}, SkinBox{0, 0, image.width, image.height}};
    canvas.DrawPieces(SkinSurface{static_cast<HBITMAP>(image.handle), image.width, image.height}, &piece, 1);
}

// The off-screen buffer of a thread's paints, kept from one paint to the
// next and grown to the largest client area painted: a bitmap and a memory
// DC made for every paint cost more under Wine than most skins' drawing. A
// paint that starts while another one paints on the same thread makes a
// buffer of its own.
struct SkinPaintBuffer {
    SkinCountedDc dc;
    SkinBitmapHandle bitmap;
    HGDIOBJ original = nullptr;
    int width = 0;
    int height = 0;
    bool busy = false;

    ~SkinPaintBuffer() {
        if (dc && original) ::SelectObject(dc.get(), original);
    }
    // Ready for a paint of w x h; false when GDI refuses.
    bool Fit(int w, int h) {
        if (!dc) dc = SkinCreateMemoryDc(nullptr);
        if (!dc) return false;
        if (bitmap && w <= width && h <= height) return true;
        int grownW = std::max(w, width), grownH = std::max(h, height);
        SkinBitmapHandle grown = SkinGraphics().CreateCompatibleBitmap(grownW, grownH);
        if (!grown) return false;
        HGDIOBJ old = ::SelectObject(dc.get(), grown.get());
        if (!old || old == HGDI_ERROR) return false;
        if (!original) original = old;
        bitmap = std::move(grown);  // the smaller one, out of the DC now, goes
        width = grownW;
        height = grownH;
        return true;
    }
};

namespace {

SkinPaintBuffer& ThreadPaintBuffer() {
    thread_local SkinPaintBuffer buffer;
    return buffer;
}

}  // namespace

SkinBufferedPaint::SkinBufferedPaint(const CSkinBase& object) : window_(object.Window()) {
    dc_ = skin_unhooked::BeginPaint(window_, &paint_);
    client_ = win::ToSkinRect(win::ClientRect(window_));
    if (!dc_ || client_.IsEmpty()) return;
    SkinPaintBuffer& shared = ThreadPaintBuffer();
    if (!shared.busy && shared.Fit(client_.Width(), client_.Height())) {
        // What a paint does to the DC's state goes with it.
        savedState_ = ::SaveDC(shared.dc.get());
        canvas_ = SkinGraphics().CreateDcCanvas(shared.dc.get());
        if (canvas_) {
            canvas_->SetScale(object.Scale());
            shared.busy = true;
            shared_ = &shared;
            return;
        }
        ::RestoreDC(shared.dc.get(), savedState_);
    }
    buffer_ = SkinGraphics().CreateCompatibleBitmap(client_.Width(), client_.Height());
    if (!buffer_) return;
    canvas_ = SkinGraphics().CreateBitmapCanvas(SkinSurface{buffer_.get(), client_.Width(), client_.Height()});
    if (canvas_) canvas_->SetScale(object.Scale());
}

void SkinBufferedPaint::ShowParentBackground() {
    if (canvas_)
        PaintParentBackground(window_, canvas_->Dc(), client_.left, client_.top, client_.right, client_.bottom, 255);
}

SkinBufferedPaint::~SkinBufferedPaint() {
    if (canvas_) {
        for (const SkinRect& r : kept_) ::ExcludeClipRect(dc_, r.left, r.top, r.right, r.bottom);
        std::unique_ptr<ISkinCanvas> screen = SkinGraphics().CreateDcCanvas(dc_);
        SkinBox all{0, 0, client_.Width(), client_.Height()};
        if (shared_) {
            if (screen) screen->CopyFrom(*canvas_, all, 0, 0);
            canvas_.reset();
            ::RestoreDC(shared_->dc.get(), savedState_);
            shared_->busy = false;
        } else {
            canvas_.reset();  // the buffer leaves its memory DC before it is copied
            SkinPiece copy{SkinBlit::Copy, all, all};
            if (screen) screen->DrawPieces(SkinSurface{buffer_.get(), client_.Width(), client_.Height()}, &copy, 1);
        }
    }
    if (dc_) skin_unhooked::EndPaint(window_, &paint_);
}
