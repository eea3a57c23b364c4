// The frame's hit test, caption buttons, moving and sizing, commands and
// timers.
#include <windowsx.h>

#include <algorithm>

#include "common/win_dpi_win32.h"
#include "skin/windows/controls/skin_menu_bar_win32.h"
#include "skin/windows/controls/skin_wnd_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"

namespace {

// Hot indices of the caption buttons: over, then down.
constexpr int kHotMin = 1, kHotMax = 3, kHotClose = 5, kHotHelp = 7;

POINT WindowPoint(HWND window, LPARAM lParam) {
    RECT rect = win::WindowRect(window);
    return POINT{GET_X_LPARAM(lParam) - rect.left, GET_Y_LPARAM(lParam) - rect.top};
}

bool HasCloseEntry(HWND window) {
    HMENU system = ::GetSystemMenu(window, FALSE);
    return system && ::GetMenuState(system, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

}  // namespace

bool CSkinWndSB::SmallSystemCaption() const {
    // The system's caption measured at 96 DPI, whatever the window's scale.
    return scale_.Unscale(win::SystemMetricForDpi(SM_CYCAPTION, static_cast<UINT>(scale_.Dpi()))) <= 20;
}

void CSkinWndSB::LayoutCaptionButtons(int width) {
    for (SkinRect& r : buttonRects_) r = SkinRect{};
    iconRect_ = SkinRect{};
    if (!SkinHasCaption(geometry_.style) || metrics_.captionHeight <= 0) return;
    const SkinWindowDesc* desc = WindowDescription();
    if (!desc) return;
    uint32_t style = geometry_.style;
    uint32_t ex = geometry_.exStyle;
    const SkinCaptionButtonDesc* descs[kButtonCount] = {&desc->btnClose, &desc->btnMax, &desc->btnRestore,
                                                        &desc->btnMin, &desc->btnHelp};
    bool minBox = (style & WS_MINIMIZEBOX) != 0, maxBox = (style & WS_MAXIMIZEBOX) != 0;
    // A disabled maximise button shows only when the theme does not hide it.
    bool shown[kButtonCount] = {(style & WS_SYSMENU) != 0, maxBox || (minBox && !desc->btnMax.hideDisable), false,
                                minBox || maxBox, (ex & WS_EX_CONTEXTHELP) != 0};
    // From the right edge inwards: close, maximise, minimise, help; each
    // as large as its picture, moved by its offset.
    int right = width - std::max(0, metrics_.borderWidth.right);
    int top = std::max(0, metrics_.borderWidth.top);
    const int order[] = {kClose, kMax, kMin, kHelp};
    for (int b : order) {
        CSkinDrawImage* picture = buttonImages_[b][0];
        if (!shown[b] || !picture) continue;
        const SkinSize size = picture->ScaledSize(scale_);
        const SkinPair offset = SkinScalePair(scale_, descs[b]->offset);
        int x = right - size.width + offset.x, y = top + offset.y;
        buttonRects_[b] = SkinRect{x, y, x + size.width, y + size.height};
        right = x;
    }
    const int iconSize = win::SystemMetricForDpi(SM_CXSMICON, static_cast<UINT>(scale_.Dpi()));
    const int iconLeft = std::max(0, metrics_.borderWidth.left) + scale_.Scale(5), iconTop = scale_.Scale(8);
    iconRect_ = SkinRect{iconLeft, iconTop, iconLeft + iconSize, iconTop + iconSize};
}

SkinFrameHitInput CSkinWndSB::HitInput() const {
    SkinFrameHitInput in;
    in.client = clientInWindow_;
    in.menuBar = menuBar_ ? menuBar_->Rect() : SkinRect{};
    in.close = buttonRects_[kClose];
    in.maximise = buttonRects_[kMax];
    in.minimise = buttonRects_[kMin];
    in.help = buttonRects_[kHelp];
    in.icon = iconRect_;
    in.captionButtons = SkinHasCaption(geometry_.style) && metrics_.captionHeight > 0;
    bool resizable = GetSkinWndManager()->NewerSystem() ? resizable_ : (geometry_.style & WS_THICKFRAME) != 0;
    in.resizable = resizable && frameKind_ != kSkinFrameNone;
    in.width = geometry_.width;
    in.height = geometry_.height;
    in.metrics = metrics_;
    return in;
}

void CSkinWndSB::SetHotButton(int hot) {
    if (hot == hotButton_) return;
    hotButton_ = hot;
    RedrawCaption();
}

bool CSkinWndSB::OnNcHitTest(const SkinMessage& m, LRESULT* result) {
    POINT p = WindowPoint(window_, m.lParam);
    // The skinned bars first: the system must not track them itself.
    if (int bar = ScrollHitCode(p)) {
        *result = bar;
        return true;
    }
    if (!geometryValid_) return OnScrollNcHitTest(m, result);
    int code = SkinFrameHitTest(HitInput(), p.x, p.y);
    if (code == kSkinHtMenuBar) {
        ::SetTimer(window_, kSkinTimerMenuHot, 200, nullptr);
    } else if (code == kSkinHtClose || code == kSkinHtMinButton || code == kSkinHtMaxButton || code == kSkinHtHelp) {
        if (!captionTimer_) captionTimer_ = ::SetTimer(window_, kSkinTimerCaptionHot, 150, nullptr) != 0;
    }
    if (code < 0) {
        code = SkinFilterSystemHit(static_cast<int>(PassWithoutCaption(m, false, false)));
        if (code == HTHSCROLL) code = kSkinHtHScrollBar;
        if (code == HTVSCROLL) code = kSkinHtVScrollBar;
    }
    *result = code;
    return true;
}

bool CSkinWndSB::OnSetCursor(const SkinMessage& m, LRESULT* result) {
    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(window_, &p);
    if (ItemsSetCursor(p.x, p.y)) {
        *result = TRUE;
        return true;
    }
    LPCWSTR cursor = nullptr;
    switch (LOWORD(m.lParam)) {
        case HTLEFT:
        case HTRIGHT:
            cursor = IDC_SIZEWE;
            break;
        case HTTOP:
        case HTBOTTOM:
            cursor = IDC_SIZENS;
            break;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            cursor = IDC_SIZENWSE;
            break;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            cursor = IDC_SIZENESW;
            break;
        default:
            return false;
    }
    ::SetCursor(::LoadCursorW(nullptr, cursor));
    *result = TRUE;
    return true;
}

bool CSkinWndSB::OnNcMouseMove(const SkinMessage& m, LRESULT* result) {
    OnScrollNcMouseMove(m, result);
    int hot = 0;
    switch (m.wParam) {
        case HTMINBUTTON:
            hot = kHotMin;
            break;
        case HTMAXBUTTON:
            hot = kHotMax;
            break;
        case HTCLOSE:
            hot = kHotClose;
            break;
        case HTHELP:
            hot = kHotHelp;
            break;
        default:
            break;
    }
    // A button pressed and still held stays down while the mouse is on it.
    if (hot && hotButton_ == hot + 1) hot = hotButton_;
    SetHotButton(hot);
    if (menuBar_) menuBar_->OnMouseMove(WindowPoint(window_, m.lParam));
    return m.wParam == HTMINBUTTON || m.wParam == HTMAXBUTTON || m.wParam == HTCLOSE || m.wParam == HTHELP;
}

bool CSkinWndSB::OnNcButtonDown(const SkinMessage& m, LRESULT* result) {
    *result = 0;
    if (m.wParam == kSkinHtHScrollBar || m.wParam == kSkinHtVScrollBar) {
        OnScrollNcButtonDown(m, result);
        return true;
    }
    switch (m.wParam) {
        case HTMINBUTTON:
            SetHotButton(kHotMin + 1);
            return true;
        case HTMAXBUTTON:
            SetHotButton(kHotMax + 1);
            return true;
        case HTCLOSE:
            SetHotButton(kHotClose + 1);
            return true;
        case HTHELP:
            SetHotButton(kHotHelp + 1);
            return true;
        case HTSYSMENU:
            ::SendMessageW(window_, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, m.lParam);
            return true;
        case kSkinHtMenuBar:
            if (menuBar_) menuBar_->OnButtonDown(WindowPoint(window_, m.lParam));
            return true;
        default:
            break;
    }
    bool resizable = GetSkinWndManager()->NewerSystem() && resizable_;
    if (resizable && frameKind_ != kSkinFrameNone) {
        if (m.wParam == HTCAPTION) {
            if (::IsZoomed(window_) && SmallSystemCaption()) {
                *result = PassWithoutCaption(m, false, false);
                return true;
            }
            ::SendMessageW(window_, WM_SYSCOMMAND, SC_MOVE + 2, m.lParam);
            return true;
        }
        if (m.wParam >= HTLEFT && m.wParam <= HTBOTTOMRIGHT) {
            ::SendMessageW(window_, WM_SYSCOMMAND, SC_SIZE + (m.wParam - HTLEFT + 1), m.lParam);
            return true;
        }
    }
    return false;
}

bool CSkinWndSB::OnNcButtonUp(const SkinMessage& m, LRESULT* result) {
    OnScrollNcButtonUp(m, result);
    int pressed = hotButton_;
    SetHotButton(0);
    uint32_t style = skin_unhooked::Style(window_);
    *result = 0;
    if (menuBar_ && m.wParam == kSkinHtMenuBar) {
        menuBar_->OnButtonUp(WindowPoint(window_, m.lParam));
        return true;
    }
    // The button acts only when the release is on the button that was pressed.
    if (pressed == kHotMin + 1 && m.wParam == HTMINBUTTON && (style & WS_MINIMIZEBOX)) {
        ::SendMessageW(window_, WM_SYSCOMMAND, ::IsIconic(window_) ? SC_RESTORE : SC_MINIMIZE, m.lParam);
        return true;
    }
    if (pressed == kHotMax + 1 && m.wParam == HTMAXBUTTON && (style & WS_MAXIMIZEBOX)) {
        ::SendMessageW(window_, WM_SYSCOMMAND, ::IsZoomed(window_) ? SC_RESTORE : SC_MAXIMIZE, m.lParam);
        return true;
    }
    if (pressed == kHotClose + 1 && m.wParam == HTCLOSE && (style & WS_SYSMENU) && HasCloseEntry(window_)) {
        ::SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, m.lParam);
        return true;
    }
    if (pressed == kHotHelp + 1 && m.wParam == HTHELP && (style & DS_CONTEXTHELP)) {
        ::SendMessageW(window_, WM_SYSCOMMAND, SC_CONTEXTHELP, m.lParam);
        return true;
    }
    return pressed != 0;
}

bool CSkinWndSB::OnSysCommand(const SkinMessage& m, LRESULT* result) {
    UINT command = static_cast<UINT>(m.wParam & 0xFFF0);
    if (command == SC_CLOSE) {
        *result = SkinCallPrevious(*this, m);
        return true;
    }
    RedrawCaption();
    auto style = skin_unhooked::Style(window_);
    if (command == SC_MAXIMIZE && resizable_ && (style & WS_THICKFRAME)) {
        skin_unhooked::SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(style & ~WS_THICKFRAME));
    } else if (command == SC_RESTORE && resizable_ && !(style & WS_THICKFRAME) && ::IsZoomed(window_)) {
        skin_unhooked::SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(style | WS_THICKFRAME));
    }
    if ((command == SC_MOUSEMENU || command == SC_KEYMENU || command == SC_CONTEXTHELP) && SmallSystemCaption())
        *result = PassWithoutCaption(m, false, false);
    else
        *result = SkinCallPrevious(*this, m);
    if (::IsWindow(window_)) RedrawCaption();
    return true;
}

bool CSkinWndSB::OnTimer(const SkinMessage& m, LRESULT* result) {
    *result = 0;
    switch (m.wParam) {
        case kSkinTimerCaptionHot: {
            POINT p{};
            ::GetCursorPos(&p);
            RECT rect = win::WindowRect(window_);
            int x = p.x - rect.left, y = p.y - rect.top;
            bool onButton = false;
            for (const SkinRect& r : buttonRects_) onButton = onButton || r.Contains(x, y);
            // The hot state ends once the cursor has left every button;
            // a held button keeps its press until the release.
            if (!onButton && (hotButton_ % 2 == 1 || !(::GetKeyState(VK_LBUTTON) & 0x8000))) {
                SetHotButton(0);
                ::KillTimer(window_, kSkinTimerCaptionHot);
                captionTimer_ = false;
            }
            return true;
        }
        case kSkinTimerMenuFast:
        case kSkinTimerMenuTrack:
        case kSkinTimerMenuHot:
            if (!menuBar_ || !menuBar_->OnTimer(static_cast<UINT_PTR>(m.wParam))) ::KillTimer(window_, m.wParam);
            return true;
        default:
            return false;
    }
}
