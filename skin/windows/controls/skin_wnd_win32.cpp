#include "skin/windows/controls/skin_wnd_win32.h"

#include <algorithm>

#include "common/win_dpi_win32.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_edit_win32.h"
#include "skin/windows/controls/skin_menu_bar_win32.h"
#include "skin/windows/controls/skin_static_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinWndTable {
    using F = CSkinWndSB;
    static constexpr SkinMessageEntry<F> kMessages[] = {
        {WM_CREATE, &F::OnCreate},
        {WM_SKIN_REINIT, &F::OnCreate},
        {WM_ACTIVATE, &F::OnActivate},
        {WM_NCACTIVATE, &F::OnActivate},
        {WM_MDIACTIVATE, &F::OnActivate},
        {WM_SETTEXT, &F::OnSetText},
        {WM_PAINT, &F::OnPaint},
        {WM_ERASEBKGND, &F::OnEraseBackground},
        {WM_SETCURSOR, &F::OnSetCursor},
        {WM_GETMINMAXINFO, &F::OnGetMinMaxInfo},
        {WM_WINDOWPOSCHANGING, &F::OnWindowPosChanging},
        {WM_WINDOWPOSCHANGED, &F::OnWindowPosChanged},
        {WM_STYLECHANGED, &F::OnStyleChanged},
        {WM_NCCALCSIZE, &F::OnNcCalcSize},
        {WM_NCHITTEST, &F::OnNcHitTest},
        {WM_NCPAINT, &F::OnNcPaint},
        {WM_NCMOUSEMOVE, &F::OnNcMouseMove},
        {WM_NCLBUTTONDOWN, &F::OnNcButtonDown},
        {WM_NCLBUTTONDBLCLK, &F::OnNcButtonDown},
        {WM_NCLBUTTONUP, &F::OnNcButtonUp},
        {WM_NCRBUTTONDOWN, &F::OnPassWithoutCaption},
        {WM_NCRBUTTONDBLCLK, &F::OnPassWithoutCaption},
        {kSkinWmNcUahDrawCaption, &F::OnRefuse},
        {WM_SYSCOMMAND, &F::OnSysCommand},
        {WM_TIMER, &F::OnTimer},
        {WM_CTLCOLOREDIT, &F::OnCtlColor},
        {WM_CTLCOLORDLG, &F::OnCtlColor},
        {WM_CTLCOLORSTATIC, &F::OnCtlColor},
        {WM_CTLCOLORBTN, &F::OnCtlColor},
        {WM_MOUSEMOVE, &F::OnItemsMouse},
        {WM_LBUTTONDOWN, &F::OnItemsMouse},
        {WM_LBUTTONUP, &F::OnItemsMouse},
        {WM_ENTERMENULOOP, &F::OnMenuLoop},
        {WM_EXITMENULOOP, &F::OnMenuLoop},
        {kSkinWmPopupSystemMenu, &F::OnMenuLoop},
        {WM_SKIN_PAINTPARENTBK, &F::OnPaintParentBackground},
        {WM_SKIN_RELAYOUT, &F::OnRelayout},
        {WM_HSCROLL, &F::OnScrollMessage},
        {WM_VSCROLL, &F::OnScrollMessage},
        {WM_NCMOUSELEAVE, &F::OnScrollNcMouseLeave},
        {WM_CAPTURECHANGED, &F::OnScrollCaptureChanged},
        {WM_DPICHANGED, &F::OnDpiChanged},
        {WM_MEASUREITEM, &F::OnMeasureItem},
    };
};

namespace {

struct FrameStyleName {
    const wchar_t* name;
    SkinFrameStyle style;
};
constexpr FrameStyleName kFrameStyles[] = {
    {L"framenormal", SkinFrameStyle::Normal},
    {L"framepng", SkinFrameStyle::Png},
    {L"framebitmaprgn", SkinFrameStyle::BitmapRgn},
    {L"framebitmapround", SkinFrameStyle::BitmapRound},
};

bool ClassNameContains(HWND window, const wchar_t* part) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return std::wcsstr(name, part) != nullptr;
}

bool IsClass(HWND window, const wchar_t* cls) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return std::wcscmp(name, cls) == 0;
}

}  // namespace

SkinFrameStyle SkinParseFrameStyle(const std::wstring& name) {
    for (const FrameStyleName& f : kFrameStyles)
        if (name == f.name) return f.style;
    return SkinFrameStyle::Normal;
}

CSkinWndSB::CSkinWndSB(HWND window) : CSkinScroller(window) { backgroundColor_ = ::GetSysColor(COLOR_BTNFACE); }

CSkinWndSB::~CSkinWndSB() = default;

LRESULT CSkinWndSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinWndTable::kMessages, message);
}

void CSkinWndSB::DrawOverlay(HDC) {}

// ----- description -----

void CSkinWndSB::ApplyDescription() {
    NotifyLayout();
    const SkinWindowDesc* desc = WindowDescription();
    if (!desc) return;
    const SkinWindowBackgroundDesc& bg = desc->background;
    metrics96_.borderWidth = bg.borderWidth;
    metrics96_.borderOffset = bg.borderOffset;
    metrics96_.captionHeight = bg.captionHeight;
    metrics96_.captionOffset = bg.captionOffset;
    drawStyle_ = bg.drawStyle.empty() ? SkinDrawStyle::NoDraw : SkinParseDrawStyle(bg.drawStyle);
    if (bg.drawStyle != L"draw9grid" && bg.drawStyle != L"stretchBlt" && bg.drawStyle != L"transparentBlt")
        drawStyle_ = SkinDrawStyle::NoDraw;  // frames know these three, and "nodraw"
    frameStyle_ = SkinParseFrameStyle(bg.frameStyle);
    font_ = SkinControlFont(window_, desc->font, scale_);
    menuBar_.reset();
    if (HMENU menu = ::GetMenu(window_)) menuBar_ = std::make_unique<CSkinMenuBar>(window_, menu);
    metrics96_.menuRows = menuBar_ ? 1 : 0;
    metrics96_.menuRowHeight = menuBar_ ? win::SystemMetricForDpi(SM_CYMENU, 96) : 0;
    ScaleMetrics();
    ComputeResizable();
}

void CSkinWndSB::ScaleMetrics() {
    metrics_ = metrics96_;
    if (scale_.IsIdentity()) return;
    // The frame's edges are cut from the background picture: their widths
    // are those of the scaled picture's edges, so bands and picture agree.
    const SkinRect picture{0, 0, backgroundImage_ ? backgroundImage_->GetWidth() : 0,
                           backgroundImage_ ? backgroundImage_->GetHeight() : 0};
    auto edges = [&](const SkinQuad& q) {
        return picture.IsEmpty() ? SkinScaleQuad(scale_, q) : SkinScalePictureMargins(scale_, picture, q);
    };
    metrics_.borderWidth = edges(metrics96_.borderWidth);
    metrics_.borderOffset = edges(metrics96_.borderOffset);
    metrics_.captionHeight = scale_.Scale(metrics96_.captionHeight);
    metrics_.captionOffset = SkinScalePair(scale_, metrics96_.captionOffset);
    metrics_.menuRowHeight = menuBar_ ? win::SystemMetricForDpi(SM_CYMENU, static_cast<UINT>(scale_.Dpi())) : 0;
    metrics_.scrollBarWidth = SkinScrollBarWidth(scale_);
}

void CSkinWndSB::OnScaleChanged() {
    // The pictures of the description are the same; their sizes are not.
    LoadPictures();
    CSkinScroller::OnScaleChanged();  // geometry, frame bitmap and region anew
}

int CSkinWndSB::ApplyDpiChange(int dpi, const RECT* suggested) {
    const SkinScale scale(dpi);
    const bool changed = scale != scale_;
    // The frame first, then its skinned children, which start from the
    // frame's new metrics.
    SetScale(scale);
    CSkinWndManager* manager = GetSkinWndManager();
    for (HWND control : manager->Controls()) {
        if (control == window_ || !::IsChild(window_, control)) continue;
        if (CSkinBase* child = manager->Find(control)) child->SetScale(scale);
    }
    if (suggested) {
        ::SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else if (changed) {
        ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutChildren();
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    return changed ? 1 : 0;
}

bool CSkinWndSB::OnDpiChanged(const SkinMessage& m, LRESULT* result) {
    // The application first: it makes its fonts for the new DPI and lays out
    // what the skin does not place. Then the skin takes the new DPI (the
    // message's: a window may hear of a DPI its display does not report
    // yet), with the suggested rectangle that keeps the window where the
    // user sees it, and places its own children last.
    *result = SkinCallPrevious(*this, m);
    const int dpi = LOWORD(m.wParam);
    ApplyDpiChange(dpi > 0 ? dpi : static_cast<int>(win::WindowDpi(window_)), reinterpret_cast<const RECT*>(m.lParam));
    return true;
}

void CSkinWndSB::ComputeResizable() {
    auto style = skin_unhooked::Style(window_);
    bool afx = ClassNameContains(window_, L"Afx:");
    resizable_ =
        GetSkinWndManager()->NewerSystem() && (((style & WS_THICKFRAME) && !afx) || ((style & WS_MINIMIZEBOX) && afx));
}

void CSkinWndSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    const SkinWindowDesc* desc = WindowDescription();
    backgroundColor_ = desc ? desc->background.backgroundColor : ::GetSysColor(COLOR_BTNFACE);
    if (!shift.IsNone()) backgroundColor_ = SkinShiftColor(backgroundColor_, shift);
    backgroundBrush_ = SkinGraphics().CreateSolidBrush(backgroundColor_);
    LoadPictures();
    if (!shift.IsNone() && geometryValid_) RebuildFrameBitmap();
}

void CSkinWndSB::LoadPictures() {
    const SkinWindowDesc* desc = WindowDescription();
    if (!desc) return;
    backgroundImage_ = SkinThemePicture(desc->background.picFile);
    const SkinCaptionButtonDesc* buttons[kButtonCount] = {&desc->btnClose, &desc->btnMax, &desc->btnRestore,
                                                          &desc->btnMin, &desc->btnHelp};
    for (int b = 0; b < kButtonCount; ++b) {
        const std::wstring* ids[4] = {&buttons[b]->picNormal, &buttons[b]->picOver, &buttons[b]->picDown,
                                      &buttons[b]->picDisable};
        for (int s = 0; s < 4; ++s) buttonImages_[b][s] = SkinThemePicture(*ids[s]);
    }
    LoadScrollPictures();
    ScaleMetrics();  // the frame's edges follow the picture's size
}

std::wstring CSkinWndSB::ScrollBarImageId() const {
    const SkinWindowDesc* desc = WindowDescription();
    if (!desc) return std::wstring();
    return desc->bmpScrollbar.empty() ? desc->scrollbarPicFile : desc->bmpScrollbar;
}

bool CSkinWndSB::OwnsWindowRegion() const {
    return frameKind_ != kSkinFrameNone && !(skin_unhooked::ExStyle(window_) & WS_EX_MDICHILD);
}

void CSkinWndSB::OnReskinned() {
    geometryValid_ = false;  // geometry, frame bitmap and region are made anew
    if (!::IsWindowVisible(window_)) return;
    ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CSkinWndSB::OnAttached() {
    ReadScrollBars();
    // The system asks for the new client area (WM_NCCALCSIZE) only now.
    ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ----- passing on without the caption -----

uint32_t CSkinWndSB::CaptionBitsToggled() const {
    return WS_DLGFRAME | (GetSkinWndManager()->NewerSystem() ? WS_THICKFRAME : 0);
}

LRESULT CSkinWndSB::PassWithoutCaption(const SkinMessage& m, bool detachMenu, bool calcSize) {
    auto style = skin_unhooked::Style(window_);
    if (!::IsWindowVisible(window_) || !(style & WS_DLGFRAME)) return SkinCallPrevious(*this, m);
    ++suppress_;
    HMENU menu = detachMenu ? ::GetMenu(window_) : nullptr;
    if (menu) ::SetMenu(window_, nullptr);
    skin_unhooked::SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(style & ~CaptionBitsToggled()));
    if (calcSize) {
        RECT rect = win::WindowRect(window_);
        ::SendMessageW(window_, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    }
    LRESULT result = 0;
    try {
        result = SkinCallPrevious(*this, m);
    } catch (...) {
    }
    skin_unhooked::SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(style));
    if (menu) ::SetMenu(window_, menu);
    --suppress_;
    return result;
}

// ----- window information -----

SkinFrameInfo CSkinWndSB::CurrentInfo() const {
    SkinFrameInfo info;
    info.style = skin_unhooked::Style(window_);
    info.exStyle = skin_unhooked::ExStyle(window_);
    RECT rect = win::WindowRect(window_);
    info.width = rect.right - rect.left;
    info.height = rect.bottom - rect.top;
    return info;
}

bool CSkinWndSB::GeometryOutdated(const SkinFrameInfo& now) const {
    if (!geometryValid_) return true;
    // The caption bits the pass-through toggles do not count.
    uint32_t mask = ~CaptionBitsToggled();
    return (now.style & mask) != (geometry_.style & mask) || now.exStyle != geometry_.exStyle ||
           now.width != geometry_.width || now.height != geometry_.height;
}

void CSkinWndSB::UpdateFrameKind(const SkinFrameInfo& info) {
    bool mdiChild = (info.exStyle & WS_EX_MDICHILD) != 0;
    frameKind_ = SkinFrameKind(info.style, info.exStyle, mdiChild && ::IsZoomed(window_));
}

// ----- messages -----

bool CSkinWndSB::OnCreate(const SkinMessage& m, LRESULT* result) {
    if (m.message == WM_CREATE) *result = SkinCallPrevious(*this, m);
    InitScrollBars();
    UpdateFrameKind(CurrentInfo());
    geometryValid_ = false;
    return true;
}

bool CSkinWndSB::OnActivate(const SkinMessage& m, LRESULT* result) {
    if (!::IsWindowVisible(window_)) return false;
    *result = PassWithoutCaption(m, true, true);
    PaintNonClient();
    return true;
}

bool CSkinWndSB::OnSetText(const SkinMessage& m, LRESULT* result) {
    *result = PassWithoutCaption(m, false, false);
    RedrawCaption();
    return true;
}

bool CSkinWndSB::OnPaint(const SkinMessage&, LRESULT* result) {
    if (drawStyle_ == SkinDrawStyle::NoDraw) return false;
    PAINTSTRUCT paint{};
    HDC dc = skin_unhooked::BeginPaint(window_, &paint);
    if (dc) {
        SkinRect client = win::ToSkinRect(win::ClientRect(window_));
        auto style = skin_unhooked::Style(window_);
        // Children paint themselves: keep the background off them.
        if (!(style & WS_CLIPCHILDREN) && (style & (WS_POPUP | WS_CHILD | WS_THICKFRAME))) {
            for (HWND child = ::GetWindow(window_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                if (!::IsWindowVisible(child) || PaintsOverItself(child)) continue;
                RECT r = win::WindowRect(child);
                ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
                if (r.right > r.left && r.bottom > r.top) ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
            }
        }
        ComposeBackground(client);
        if (cache_) {
            std::unique_ptr<ISkinCanvas> screen = SkinGraphics().CreateDcCanvas(dc);
            SkinPiece copy{SkinBlit::Copy, SkinBox{0, 0, cacheW_, cacheH_}, SkinBox{0, 0, cacheW_, cacheH_}};
            if (screen) screen->DrawPieces(SkinSurface{cache_.get(), cacheW_, cacheH_}, &copy, 1);
        }
        skin_unhooked::EndPaint(window_, &paint);
    }
    *result = 1;
    return true;
}

bool CSkinWndSB::OnEraseBackground(const SkinMessage& m, LRESULT* result) {
    if (drawStyle_ == SkinDrawStyle::NoDraw) return false;
    // The frame's own paint covers its client; a child's DC is a child
    // asking for the picture under it.
    auto dc = reinterpret_cast<HDC>(m.wParam);
    if (dc && ::WindowFromDC(dc) != window_) EraseForChild(dc);
    *result = 1;
    return true;
}

bool CSkinWndSB::OnGetMinMaxInfo(const SkinMessage& m, LRESULT* result) {
    auto exStyle = skin_unhooked::ExStyle(window_);
    if (exStyle & WS_EX_MDICHILD) return false;
    *result = SkinCallPrevious(*this, m);
    auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
    const SkinWindowDesc* desc = WindowDescription();
    if (!info || !desc) return true;
    if (desc->sizeMin.x > 0 && desc->sizeMin.y > 0)
        info->ptMinTrackSize = POINT{scale_.Scale(desc->sizeMin.x), scale_.Scale(desc->sizeMin.y)};
    if (frameKind_ != kSkinFrameNone)
        info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, std::max(0, metrics_.captionHeight));
    if (desc->sizeMax.x > 0 && desc->sizeMax.y > 0)
        info->ptMaxTrackSize = POINT{scale_.Scale(desc->sizeMax.x), scale_.Scale(desc->sizeMax.y)};
    return true;
}

bool CSkinWndSB::OnWindowPosChanging(const SkinMessage& m, LRESULT* result) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.lParam);
    if (pos && Suppressed()) pos->flags &= ~SWP_FRAMECHANGED;
    if (frameStyle_ == SkinFrameStyle::Png) UpdateLayered();
    return false;
}

bool CSkinWndSB::OnWindowPosChanged(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    if (!Suppressed()) LayoutChildren();
    return true;
}

bool CSkinWndSB::OnStyleChanged(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    // While the pass-through toggles the caption bits the change is ours.
    if (Suppressed() || !geometryValid_) return true;
    // The geometry itself is rebuilt at the next non-client paint.
    if (GeometryOutdated(CurrentInfo()))
        ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool CSkinWndSB::OnNcCalcSize(const SkinMessage& m, LRESULT* result) {
    auto* rect = reinterpret_cast<RECT*>(m.lParam);
    if (!rect) return false;
    RECT proposed = *rect;  // NCCALCSIZE_PARAMS starts with the new window rectangle
    *result = SkinCallPrevious(*this, m);
    if (Suppressed()) return true;
    SkinFrameInfo info = CurrentInfo();
    UpdateFrameKind(info);
    UpdatePresence(info.style, info.exStyle);
    if (frameKind_ == kSkinFrameNone && (info.exStyle & WS_EX_MDICHILD)) return true;  // the system's borders stay
    SkinRect client = SkinFrameClientRect(frameKind_, info.style, info.exStyle, win::ToSkinRect(proposed), metrics_);
    *rect = win::ToRect(client);
    *result = 0;
    return true;
}

bool CSkinWndSB::OnNcPaint(const SkinMessage& m, LRESULT* result) {
    *result = 0;
    if (Suppressed() || !::IsWindowVisible(window_)) return true;
    FirstSizeAdjustment();
    SkinFrameInfo now = CurrentInfo();
    if (GeometryOutdated(now)) {
        geometry_ = now;
        geometryValid_ = true;
        UpdateFrameKind(now);
        RecomputeGeometry();
        RebuildFrameBitmap();
        if (ApplyRegion()) return true;  // setting the region repaints
    }
    PaintNonClient();
    ::SendMessageW(window_, WM_SKIN_NCPAINTED, m.wParam, m.lParam);
    return true;
}

bool CSkinWndSB::OnRefuse(const SkinMessage&, LRESULT* result) {
    *result = 0;
    return true;
}

bool CSkinWndSB::OnPassWithoutCaption(const SkinMessage& m, LRESULT* result) {
    *result = PassWithoutCaption(m, false, false);
    return true;
}

bool CSkinWndSB::OnCtlColor(const SkinMessage& m, LRESULT* result) {
    auto dc = reinterpret_cast<HDC>(m.wParam);
    auto child = reinterpret_cast<HWND>(m.lParam);
    bool noDraw = drawStyle_ == SkinDrawStyle::NoDraw;
    if (m.message == WM_CTLCOLORDLG) {
        if (!noDraw) return false;
        *result = reinterpret_cast<LRESULT>(backgroundBrush_.get());
        return true;
    }
    if (!child) return false;
    if (IsClass(child, L"SysLink") && noDraw) {
        ::SetBkMode(dc, TRANSPARENT);
        *result = reinterpret_cast<LRESULT>(backgroundBrush_.get());
        return true;
    }
    if (IsClass(child, L"Edit")) {
        CSkinBase* skin = GetSkinWndManager()->Find(child);
        if (!skin || skin->AttachedKind() != SkinWindowKind::Edit) return false;
        auto* edit = static_cast<CSkinEditSB*>(skin);
        const bool readOnly = (skin_unhooked::Style(child) & (ES_READONLY | WS_DISABLED)) != 0;
        ::SetTextColor(dc, edit->TextColor());
        // A transparent edit shows the frame's picture behind its text.
        HBRUSH clear = edit->Transparent() && !edit->ShowsScrollBar() ? AlignedChildBrush(dc, child) : nullptr;
        if (clear) {
            ::SetBkMode(dc, TRANSPARENT);
            *result = reinterpret_cast<LRESULT>(clear);
            return true;
        }
        // Text that scrolls is drawn opaque: the lines the edit copies
        // while scrolling carry their background with them.
        if (edit->ShowsScrollBar()) {
            ::SetBkMode(dc, OPAQUE);
            ::SetBkColor(dc, edit->BackgroundColor(readOnly));
        } else {
            ::SetBkMode(dc, TRANSPARENT);
        }
        *result = reinterpret_cast<LRESULT>(edit->BackgroundBrush(readOnly));
        return true;
    }
    if (m.message == WM_CTLCOLORSTATIC && noDraw && IsClass(child, L"Static")) {
        CSkinBase* skin = GetSkinWndManager()->Find(child);
        if (skin && !skin->Items().empty()) return false;
        ::SetBkMode(dc, TRANSPARENT);
        if (skin) {
            auto* staticSkin = static_cast<CSkinStaticSB*>(skin);
            const SkinStaticDesc* desc = staticSkin->StaticDescription();
            if (desc) ::SetTextColor(dc, ::IsWindowEnabled(child) ? desc->textColor : desc->textDisableColor);
        }
        *result = reinterpret_cast<LRESULT>(backgroundBrush_.get());
        return true;
    }
    if (m.message == WM_CTLCOLORSTATIC || m.message == WM_CTLCOLORBTN) return AnswerChildColor(m, result);
    return false;
}

bool CSkinWndSB::OnItemsMouse(const SkinMessage& m, LRESULT*) {
    int x = static_cast<short>(LOWORD(m.lParam)), y = static_cast<short>(HIWORD(m.lParam));
    auto flags = static_cast<unsigned>(m.wParam);
    if (m.message == WM_MOUSEMOVE)
        ItemsMouseMove(flags, x, y);
    else if (m.message == WM_LBUTTONDOWN)
        ItemsButtonDown(flags, x, y);
    else
        ItemsButtonUp(flags, x, y);
    return false;  // and the application gets it too
}

bool CSkinWndSB::OnPaintParentBackground(const SkinMessage& m, LRESULT* result) {
    auto* request = reinterpret_cast<const SkinPaintParentRequest*>(m.wParam);
    *result = 0;
    if (!request || !request->dc || ::GetParent(request->child) != window_) return true;
    *result = PaintParentBackground(request->child, request->dc, request->rect.left, request->rect.top,
                                    request->rect.right, request->rect.bottom, 255);
    return true;
}

bool CSkinWndSB::OnRelayout(const SkinMessage& m, LRESULT* result) {
    *result = 0;
    // Only an object the manager knows is taken: m.wParam comes from a message.
    auto* object = reinterpret_cast<CSkinBase*>(m.wParam);
    CSkinWndManager* manager = GetSkinWndManager();
    for (HWND control : manager->Controls()) {
        if (manager->Find(control) != object) continue;
        AddLayoutChild(object);
        *result = 1;
        break;
    }
    return true;
}

bool CSkinWndSB::OnScrollMessage(const SkinMessage& m, LRESULT* result) {
    // The window scrolled (an MDI client moves its children): the bars
    // follow. A control's message (lParam) is about the control's bar.
    if (m.lParam == 0) return PassThenRedrawBars(m, result);
    *result = SkinCallPrevious(*this, m);
    return true;
}

bool CSkinWndSB::OnMenuLoop(const SkinMessage& m, LRESULT*) {
    if (menuBar_) menuBar_->SetTracking(m.message == WM_ENTERMENULOOP);
    return false;
}

// ----- layout of the children -----

void CSkinWndSB::AddLayoutChild(CSkinBase* child) {
    if (!child || !child->Window()) return;
    HWND handle = child->Window();
    RemoveLayoutChild(handle);
    layout_.push_back(handle);
    RECT rect = win::ClientRect(window_);
    void* deferral = ::BeginDeferWindowPos(1);
    child->Layout(&deferral, rect.left, rect.top, rect.right, rect.bottom);
    if (deferral) ::EndDeferWindowPos(static_cast<HDWP>(deferral));
}

void CSkinWndSB::RemoveLayoutChild(HWND child) {
    layout_.erase(std::remove(layout_.begin(), layout_.end(), child), layout_.end());
}

void CSkinWndSB::LayoutChildren() {
    RECT rect = win::ClientRect(window_);
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    CSkinWndManager* manager = GetSkinWndManager();
    // A child that SetParent moved elsewhere, or that is gone, leaves the list.
    layout_.erase(std::remove_if(layout_.begin(), layout_.end(),
                                 [&](HWND h) { return !manager->Find(h) || ::GetParent(h) != window_; }),
                  layout_.end());
    if (!layout_.empty()) {
        void* deferral = ::BeginDeferWindowPos(static_cast<int>(layout_.size()));
        for (HWND h : layout_) {
            CSkinBase* child = manager->Find(h);
            child->Layout(&deferral, rect.left, rect.top, rect.right, rect.bottom);
            RECT r = win::WindowRect(h);
            auto style = skin_unhooked::Style(h);
            if (::IsWindowVisible(h) && !(style & WS_CLIPSIBLINGS) && r.right > r.left && r.bottom > r.top)
                ::InvalidateRect(h, nullptr, FALSE);
        }
        if (deferral) ::EndDeferWindowPos(static_cast<HDWP>(deferral));
    }
    // The frame's paint leaves the children out of what it covers.
    if (drawStyle_ != SkinDrawStyle::NoDraw) ::InvalidateRect(window_, nullptr, TRUE);
}
