// The scroller's set-up, non-client size and hit test, geometry and
// drawing. The mouse is in skin_scroller_mouse.cpp.
#include "skin/windows/controls/skin_scroller_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "common/win_dpi_win32.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_scroll_info_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"

namespace {

// A size box or size grip has no bar of its own.
bool IsSizeBox(uint32_t style) { return (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }

const SkinQuad kCellMargins{kSkinScrollCellMargin, kSkinScrollCellMargin, kSkinScrollCellMargin, kSkinScrollCellMargin};

}  // namespace

CSkinScroller::CSkinScroller(HWND window, bool scrollBarControl)
    : CSkinBase(window), scrollBarControl_(scrollBarControl) {}

CSkinScroller::~CSkinScroller() {
    if (destroyedFlag_) *destroyedFlag_ = true;
}

void CSkinScroller::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    LoadScrollPictures();
}

void CSkinScroller::LoadScrollPictures() {
    std::wstring id = ScrollBarImageId();
    if (id.empty()) id = GetSkinWndManager()->DefaultScrollBarImage();
    scrollBarImage_ = SkinThemePicture(id);
    sizeBoxImage_ = SkinThemePicture(SizeBoxImageId());
    dirty_[0] = dirty_[1] = true;
}

void CSkinScroller::OnAttached() { InitScrollBars(); }

void CSkinScroller::OnScaleChanged() {
    dirty_[0] = dirty_[1] = true;
    ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    OnReskinned();
}

bool CSkinScroller::VisitScrollBars(ISkinScrollBarsVisit& visit) {
    WithBars([&](SkinScrollBars& bars) { visit.Visit(bars); });
    return true;
}

void CSkinScroller::RedrawScrollBars() { DrawScrollBars(nullptr, false); }

SkinScrollBars CSkinScroller::BarsSnapshot() const {
    std::lock_guard<std::mutex> lock(barsLock_);
    return bars_;
}

void CSkinScroller::ReadScrollBars() {
    if (!window_) return;
    settingUp_ = true;
    const uint32_t style = skin_unhooked::Style(window_);
    SkinScrollBars read;
    if (scrollBarControl_) {
        const int index = (style & SBS_VERT) ? 1 : 0;
        if (!IsSizeBox(style)) {
            SkinReadSystemBar(window_, SB_CTL, read.bar[index]);
            read.bar[index].shown = true;
        }
    } else {
        SkinReadSystemBar(window_, SB_HORZ, read.bar[0]);
        SkinReadSystemBar(window_, SB_VERT, read.bar[1]);
        read.bar[0].shown = (style & WS_HSCROLL) != 0;
        read.bar[1].shown = (style & WS_VSCROLL) != 0;
    }
    {
        std::lock_guard<std::mutex> lock(barsLock_);
        bars_ = read;
    }
    UpdatePresence(style, skin_unhooked::ExStyle(window_));
    pressedPart_ = SkinScrollPart::None;
    tracking_ = false;
    activeBar_ = -1;
    lastPosition_ = -1;
    dirty_[0] = dirty_[1] = true;
    settingUp_ = false;
}

void CSkinScroller::InitScrollBars() {
    ReadScrollBars();
    // The system asks for the non-client size again, now with the skin's bars.
    ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                       SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_DEFERERASE);
}

void CSkinScroller::UpdatePresence(uint32_t style, uint32_t exStyle) {
    if (scrollBarControl_) {
        const bool bar = !IsSizeBox(style);
        present_[1] = bar && (style & SBS_VERT) != 0;
        present_[0] = bar && !present_[1];
        leftScrollBar_ = false;
        return;
    }
    present_[0] = (style & WS_HSCROLL) != 0;
    present_[1] = (style & WS_VSCROLL) != 0;
    leftScrollBar_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
}

// ----- messages -----

bool CSkinScroller::OnScrollCreate(const SkinMessage& m, LRESULT* result) {
    DestroyWatch watch(*this);
    const LRESULT created = SkinCallPrevious(*this, m);
    *result = created;
    if (!watch.Gone()) InitScrollBars();
    return true;
}

bool CSkinScroller::PassThenRedrawBars(const SkinMessage& m, LRESULT* result) {
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (!watch.Gone()) DrawScrollBars(nullptr, false);
    return true;
}

bool CSkinScroller::OnScrollReinit(const SkinMessage& m, LRESULT* result) {
    InitScrollBars();
    *result = 0;
    return true;
}

bool CSkinScroller::OnScrollNcCalcSize(const SkinMessage& m, LRESULT* result) {
    auto* rect = reinterpret_cast<RECT*>(m.lParam);  // NCCALCSIZE_PARAMS starts with it too
    if (!rect) return false;
    UpdatePresence(skin_unhooked::Style(window_), skin_unhooked::ExStyle(window_));
    if (!scrollBarControl_) {
        // The system takes its own bar sizes out; what is left is ours.
        SkinRect widened =
            SkinScrollerWidenProposal(SkinRect{rect->left, rect->top, rect->right, rect->bottom}, present_[0],
                                      present_[1], leftScrollBar_, win::SystemMetricForDpi(SM_CXVSCROLL, Scale().Dpi()),
                                      win::SystemMetricForDpi(SM_CYHSCROLL, Scale().Dpi()), ScrollMetrics());
        *rect = RECT{widened.left, widened.top, widened.right, widened.bottom};
    }
    *result = SkinCallPrevious(*this, m);
    dirty_[0] = dirty_[1] = true;
    return true;
}

bool CSkinScroller::OnScrollNcHitTest(const SkinMessage& m, LRESULT* result) {
    const int code = ScrollHitCode(BarPoint(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}));
    if (code) {
        *result = code;
        return true;
    }
    LRESULT answer = SkinCallPrevious(*this, m);
    // The system's own codes would start its own tracking of the bars.
    if (answer == HTHSCROLL) answer = kSkinHtHScrollBar;
    if (answer == HTVSCROLL) answer = kSkinHtVScrollBar;
    *result = answer;
    return true;
}

int CSkinScroller::ScrollHitCode(POINT p) {
    if (scrollBarControl_ || (!present_[0] && !present_[1])) return 0;
    SkinScrollPlacement placement =
        SkinPlaceScrollBars(SkinClientInWindow(window_), present_[0], present_[1], leftScrollBar_, ScrollMetrics());
    if (present_[0] && placement.bar[0].Contains(p.x, p.y)) return kSkinHtHScrollBar;
    if (present_[1] && placement.bar[1].Contains(p.x, p.y)) return kSkinHtVScrollBar;
    return 0;
}

POINT CSkinScroller::BarPoint(POINT screen) const {
    if (scrollBarControl_) {
        ::ScreenToClient(window_, &screen);
        return screen;
    }
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    return POINT{screen.x - outer.left, screen.y - outer.top};
}

// ----- geometry and drawing -----

void CSkinScroller::ComputeGeometry() {
    const SkinScrollMetrics metrics = ScrollMetrics();
    const SkinScrollBars bars = BarsSnapshot();
    SkinRect rects[2];
    bool vertical[2] = {false, true};
    if (scrollBarControl_) {
        RECT client{};
        ::GetClientRect(window_, &client);
        const SkinRect all{client.left, client.top, client.right, client.bottom};
        rects[0] = rects[1] = all;
        vertical[0] = vertical[1] = present_[1];
        corner_ = SkinRect{};
    } else {
        SkinScrollPlacement placement =
            SkinPlaceScrollBars(SkinClientInWindow(window_), present_[0], present_[1], leftScrollBar_, ScrollMetrics());
        rects[0] = placement.bar[0];
        rects[1] = placement.bar[1];
        corner_ = placement.corner;
    }
    const bool enabled = ::IsWindowEnabled(window_) != FALSE;
    for (int i = 0; i < 2; ++i) {
        if (!present_[i]) {
            geometry_[i] = SkinScrollBarGeometry{};
            continue;
        }
        const SkinScrollBarCopy& copy = bars.bar[i];
        SkinScrollBarInput in;
        in.vertical = vertical[i];
        in.bar = rects[i];
        in.values = SkinScrollValues{copy.minimum, copy.maximum, copy.page, copy.position};
        // Both arrows switched off (EnableScrollBar) disable any bar.
        const bool arrowsOff = (copy.arrows & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH;
        in.disabled = arrowsOff || (scrollBarControl_ ? !enabled : SkinScrollBarDisabled(in.values) || copy.disabled);
        in.hideFixedThumb = HidesThumbWithoutRange();
        in.keepFullThumb = scrollBarControl_;
        if (tracking_ && activeBar_ == i) in.dragOffset = drag_.offset;
        SkinScrollBarGeometry g = SkinComputeScrollBar(in, metrics);
        const SkinScrollBarGeometry& old = geometry_[i];
        if (g.bar != old.bar || g.track != old.track || g.thumb != old.thumb || g.disabled != old.disabled)
            dirty_[i] = true;
        geometry_[i] = g;
    }
}

void CSkinScroller::DrawScrollBars(HDC dc, bool force) {
    if (!::IsWindowVisible(window_) || settingUp_ || !scrollBarImage_) return;
    if (!present_[0] && !present_[1]) return;
    ComputeGeometry();
    if (force) dirty_[0] = dirty_[1] = true;
    // The scroll-bar control draws on its client area, the others beside it.
    std::optional<win::WindowDc> own;
    if (!dc && scrollBarControl_) own.emplace(window_, skin_unhooked::GetDC(window_), skin_unhooked::ReleaseDC);
    if (!dc && !scrollBarControl_) own.emplace(window_, skin_unhooked::GetWindowDC(window_), skin_unhooked::ReleaseDC);
    HDC target = dc ? dc : own->get();
    if (!target) return;
    std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateDcCanvas(target);
    if (!canvas) return;
    canvas->SetScale(Scale());
    for (int i = 0; i < 2; ++i) {
        if (!present_[i] || !dirty_[i]) continue;
        if (tracking_ && i != activeBar_) continue;  // a drag redraws its own bar only
        DrawBar(*canvas, i);
        dirty_[i] = false;
    }
    if (!tracking_ && present_[0] && present_[1] && !corner_.IsEmpty())
        scrollBarImage_->Draw9GridPart(*canvas, corner_, kCellMargins, SkinScrollCornerCell(leftScrollBar_));
}

void CSkinScroller::DrawBar(ISkinCanvas& target, int index) {
    const SkinScrollBarGeometry& g = geometry_[index];
    const int w = g.bar.Width(), h = g.bar.Height();
    if (w <= 0 || h <= 0) return;
    // Composed off-screen, then copied at once: no part flickers.
    if (!buffer_ || bufferW_ < w || bufferH_ < h) {
        bufferW_ = std::max(bufferW_, w);
        bufferH_ = std::max(bufferH_, h);
        buffer_ = SkinGraphics().CreateCompatibleBitmap(bufferW_, bufferH_);
        if (!buffer_) bufferW_ = bufferH_ = 0;
    }
    if (!buffer_) return;
    const SkinSurface surface{buffer_.get(), bufferW_, bufferH_};
    {
        std::unique_ptr<ISkinCanvas> memory = SkinGraphics().CreateBitmapCanvas(surface);
        if (!memory) return;
        memory->SetScale(Scale());  // the cells drawn at the window's scale
        memory->FillSolid(SkinRect{0, 0, w, h}, ::GetSysColor(COLOR_SCROLLBAR));
        SkinScrollPart active = visualBar_ == index ? visualPart_ : SkinScrollPart::None;
        int state = visualState_;
        if (active == SkinScrollPart::None && ShowsFocus()) {
            active = SkinScrollPart::Thumb;
            state = 1;
        }
        SkinScrollCellDraws cells = SkinScrollBarCells(g, active, state);
        for (int c = 0; c < cells.count; ++c)
            scrollBarImage_->Draw9GridPart(*memory, cells.items[c].dst, kCellMargins, cells.items[c].src);
    }
    SkinPiece copy{SkinBlit::Copy, SkinBox{g.bar.left, g.bar.top, w, h}, SkinBox{0, 0, w, h}};
    target.DrawPieces(surface, &copy, 1);
}

SkinColor CSkinScroller::BorderColor() const { return GetSkinWndManager()->DefaultBorderColor(); }

SkinRect CSkinScroller::ClientWithBars() const {
    SkinRect inner = SkinClientInWindow(window_);
    const int t = ScrollMetrics().thickness;
    if (present_[1] && leftScrollBar_) inner.left -= t;
    if (present_[1] && !leftScrollBar_) inner.right += t;
    if (present_[0]) inner.bottom += t;
    return inner;
}

bool CSkinScroller::OnScrollNcPaint(const SkinMessage&, LRESULT* result) {
    *result = 0;
    if (!::IsWindowVisible(window_)) return true;
    // Never passed on: the system would draw its own bars.
    win::WindowDc dc = skin_unhooked::WindowDc(window_);
    if (!dc.get()) return true;
    DrawNonClient(dc.get(), BorderColor(), false);
    DrawScrollBars(dc.get(), true);
    return true;
}

void CSkinScroller::DrawNonClient(HDC dc, SkinColor border, bool skipRing) {
    if (skipRing || !dc || !::IsWindowVisible(window_)) return;
    const uint32_t style = skin_unhooked::Style(window_), exStyle = skin_unhooked::ExStyle(window_);
    if (!(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE)) && !(style & WS_BORDER)) return;
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    const int W = outer.right - outer.left, H = outer.bottom - outer.top;
    const SkinRect inner = ClientWithBars();
    if (inner == SkinRect{0, 0, W, H}) return;
    std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateDcCanvas(dc);
    if (!canvas) return;
    canvas->SetScale(Scale());
    // A rectangle outlined in the border colour and filled white, seen
    // only in the ring around the inner rectangle.
    const SkinRect bands[4] = {SkinRect{0, 0, W, inner.top}, SkinRect{0, inner.bottom, W, H},
                               SkinRect{0, inner.top, inner.left, inner.bottom},
                               SkinRect{inner.right, inner.top, W, inner.bottom}};
    for (const SkinRect& band : bands) {
        if (band.IsEmpty()) continue;
        canvas->FillSolid(band, SkinRgb(255, 255, 255));
        if (band.left == 0) canvas->FillSolid(SkinRect{0, band.top, 1, band.bottom}, border);
        if (band.top == 0) canvas->FillSolid(SkinRect{band.left, 0, band.right, 1}, border);
        if (band.right == W) canvas->FillSolid(SkinRect{W - 1, band.top, W, band.bottom}, border);
        if (band.bottom == H) canvas->FillSolid(SkinRect{band.left, H - 1, band.right, H}, border);
    }
}
