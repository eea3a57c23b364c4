#include "ui/x_hyperlink_win32.h"

#include <windowsx.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "common/reflected_messages.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/skin_api_win32.h"

const UINT WM_XHYPERLINK_CLICKED = ::RegisterWindowMessageW(L"WM_XHYPERLINK_CLICKED");

namespace {

// The window property that leads the subclass procedure to its control.
constexpr wchar_t kThunkProperty[] = L"TovaneXHyperLink";
constexpr UINT kHoverPollMs = 100;
// A click that did not open anything but was not meant to (open-on-click
// off) still counts as done.
constexpr INT_PTR kNotOpenedButDone = 33;
constexpr UINT kToolId = 1;

}  // namespace

// Outlives the object when somebody subclassed the control after us: the
// procedure then only forwards until the window is gone.
struct CXHyperLink::Thunk {
    CXHyperLink* owner = nullptr;
    WNDPROC original = nullptr;
};

CXHyperLink::CXHyperLink() = default;

CXHyperLink::~CXHyperLink() {
    if (window_ && ::IsWindow(window_)) {
        ::KillTimer(window_, timerId_);
        // The control must not keep a font we are about to delete.
        ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(originalFont_), FALSE);
        Unhook();
    }
}

bool CXHyperLink::SubclassDlgItem(int id, HWND parent) { return Subclass(::GetDlgItem(parent, id)); }

bool CXHyperLink::Subclass(HWND control) {
    if (window_ || !control || !::IsWindow(control) || ::GetPropW(control, kThunkProperty)) return false;
    auto* thunk = new Thunk{this, nullptr};
    if (!::SetPropW(control, kThunkProperty, thunk)) {
        delete thunk;
        return false;
    }
    thunk->original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CXHyperLink::SubclassProc)));
    if (!thunk->original) {
        ::RemovePropW(control, kThunkProperty);
        delete thunk;
        return false;
    }
    window_ = control;
    thunk_ = thunk;
    OnSubclassed();
    return true;
}

void CXHyperLink::Unhook() {
    if (!thunk_) return;
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window_, GWLP_WNDPROC));
    if (current == &CXHyperLink::SubclassProc) {
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk_->original));
        ::RemovePropW(window_, kThunkProperty);
        delete thunk_;
    } else {
        thunk_->owner = nullptr;  // freed at WM_NCDESTROY
    }
    thunk_ = nullptr;
    window_ = nullptr;
}

std::wstring CXHyperLink::WindowText() const {
    const int length = ::GetWindowTextLengthW(window_);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int got = ::GetWindowTextW(window_, buffer.data(), length + 1);
    return std::wstring(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void CXHyperLink::OnSubclassed() {
    // Without SS_NOTIFY a static lets clicks through to its parent.
    ::SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(win::Style(window_) | SS_NOTIFY));

    if (target_.empty()) target_ = WindowText();
    if (WindowText().empty() && !target_.empty()) {
        ::SetWindowTextW(window_, L"");
        ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ::SetWindowTextW(window_, target_.c_str());
        FitToText();
    }

    CreateFonts();
    if (underlineMode_ == 1 && underlinedFont_) {
        ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(underlinedFont_.get()), TRUE);
    }
    FitToText();
    LoadLinkCursor();
    if (toolTipEnabled_) CreateToolTip();
}

void CXHyperLink::CreateFonts() {
    originalFont_ = reinterpret_cast<HFONT>(::SendMessageW(window_, WM_GETFONT, 0, 0));
    HGDIOBJ font = originalFont_;
    if (!font) font = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!font) font = ::GetStockObject(ANSI_VAR_FONT);
    LOGFONTW logical{};
    if (!font || ::GetObjectW(font, sizeof(logical), &logical) != static_cast<int>(sizeof(logical))) return;
    normalFont_.reset(::CreateFontIndirectW(&logical));
    logical.lfUnderline = TRUE;
    underlinedFont_.reset(::CreateFontIndirectW(&logical));
}

void CXHyperLink::SetLinkFont(HFONT font) {
    LOGFONTW logical{};
    if (!window_ || !font || ::GetObjectW(font, sizeof(logical), &logical) != static_cast<int>(sizeof(logical))) return;
    win::ScopedGdiObject normal(::CreateFontIndirectW(&logical));
    logical.lfUnderline = TRUE;
    win::ScopedGdiObject underlined(::CreateFontIndirectW(&logical));
    if (!normal || !underlined) return;
    // The control shows the new font before the old ones are deleted.
    const bool underline = underlineMode_ == 1 || (underlineMode_ == -1 && hovered_);
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(underline ? underlined.get() : normal.get()), TRUE);
    originalFont_ = font;
    normalFont_ = std::move(normal);
    underlinedFont_ = std::move(underlined);
    FitToText();
}

void CXHyperLink::CreateToolTip() {
    toolTip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                     reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE)),
                                     nullptr));
    if (!toolTip_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_;
    tool.uId = kToolId;
    tool.rect = win::ClientRect(window_);
    tool.lpszText = const_cast<wchar_t*>(target_.c_str());
    if (!::SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        // Common controls 5 refuse the record's newer, longer form.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        ::SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    toolInfoSize_ = tool.cbSize;
}

void CXHyperLink::UpdateToolRect() {
    if (!toolTip_) return;
    TOOLINFOW tool{};
    tool.cbSize = toolInfoSize_;
    tool.hwnd = window_;
    tool.uId = kToolId;
    tool.rect = win::ClientRect(window_);
    ::SendMessageW(toolTip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CXHyperLink::SetLinkTarget(const std::wstring& target) {
    target_ = target;
    if (!window_) return;
    FitToText();
    if (!toolTip_) return;
    TOOLINFOW tool{};
    tool.cbSize = toolInfoSize_;
    tool.hwnd = window_;
    tool.uId = kToolId;
    tool.lpszText = const_cast<wchar_t*>(target_.c_str());
    ::SendMessageW(toolTip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CXHyperLink::FitToText() {
    if (!window_ || !fitToText_) return;
    // An empty caption keeps the size it was given rather than vanishing.
    const std::wstring text = WindowText();
    if (text.empty()) return;

    HWND parent = ::GetParent(window_);
    RECT window = win::WindowRect(window_);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    const RECT client = win::ClientRect(window_);

    SIZE extent{};
    {
        win::WindowDc dc(window_);
        if (!dc.get()) return;
        HGDIOBJ font = underlinedFont_ ? underlinedFont_.get()
                                       : reinterpret_cast<HGDIOBJ>(::SendMessageW(window_, WM_GETFONT, 0, 0));
        win::ScopedSelection selection(dc.get(), font);
        if (!::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent)) return;
    }

    const SkinRect fitted =
        link_rules::FitRectToText(win::ToSkinRect(window), client.right - client.left, client.bottom - client.top,
                                  extent.cx, extent.cy, win::Style(window_));
    ::SetWindowPos(window_, nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateToolRect();
}

void CXHyperLink::LoadLinkCursor() {
    if (linkCursor_) return;
    linkCursor_ = ::LoadCursorW(nullptr, IDC_HAND);
    if (linkCursor_) return;
    // Old systems keep a hand in the help program. Mapped as data only: its
    // code and imports are never loaded.
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    ownCursor_.reset(CopyCursorFromProgram(std::wstring(folder, length) + L"\\winhlp32.exe", 106));
    linkCursor_ = ownCursor_.get();
}

HCURSOR CXHyperLink::CopyCursorFromProgram(const std::wstring& path, int resourceId) {
    win::ScopedModule program(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!program) return nullptr;
    HCURSOR cursor = ::LoadCursorW(program.get(), MAKEINTRESOURCEW(resourceId));
    // The copy lives on after the program is unmapped.
    return cursor ? static_cast<HCURSOR>(::CopyIcon(cursor)) : nullptr;
}

void CXHyperLink::SetColors(COLORREF link, COLORREF visited, COLORREF hover) {
    linkColor_ = link;
    visitedColor_ = visited;
    hoverColor_ = hover;
    if (window_) ::InvalidateRect(window_, nullptr, TRUE);
}

void CXHyperLink::SetBackgroundColor(COLORREF color) {
    backgroundColor_ = color;
    backgroundBrush_.reset(color == link_rules::kNoColor ? nullptr : ::CreateSolidBrush(color));
    if (window_) ::InvalidateRect(window_, nullptr, TRUE);
}

void CXHyperLink::SetUnderlineMode(int mode) {
    underlineMode_ = mode;
    if (!window_ || !normalFont_ || !underlinedFont_) return;
    const bool underlined = mode == 1 || (mode == -1 && hovered_);
    HGDIOBJ font = underlined ? underlinedFont_.get() : normalFont_.get();
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CXHyperLink::OnOpenFailed() { ::MessageBeep(MB_ICONEXCLAMATION); }

HBRUSH CXHyperLink::OnCtlColor(HDC dc) {
    ::SetTextColor(dc, link_rules::TextColor({linkColor_, visitedColor_, hoverColor_}, hovered_, visited_));
    ::SetBkMode(dc, TRANSPARENT);
    if (backgroundBrush_) {
        ::SetBkColor(dc, backgroundColor_);
        return static_cast<HBRUSH>(backgroundBrush_.get());
    }
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CXHyperLink::OnClicked() {
    hovered_ = 0;
    const INT_PTR result = openOnClick_ ? Open(target_, newWindow_ != 0) : kNotOpenedButDone;
    visited_ = result > 32 ? 1 : 0;
    if (!visited_) {
        OnOpenFailed();
    } else if (window_ && ::IsWindow(window_)) {
        ::InvalidateRect(window_, nullptr, TRUE);
    }
    if (notifyParent_ && window_) {
        HWND parent = ::GetParent(window_);
        if (parent) ::SendMessageW(parent, WM_XHYPERLINK_CLICKED, ::GetDlgCtrlID(window_), 0);
    }
}

void CXHyperLink::OnMouseMove() {
    if (hovered_) return;
    hovered_ = 1;
    if (underlineMode_ == -1 && underlinedFont_) {
        ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(underlinedFont_.get()), TRUE);
    }
    ::InvalidateRect(window_, nullptr, TRUE);
    ::SetTimer(window_, timerId_, kHoverPollMs, nullptr);
}

void CXHyperLink::OnHoverTimer() {
    const DWORD where = ::GetMessagePos();
    POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    ::ScreenToClient(window_, &point);
    RECT client = win::ClientRect(window_);
    if (::PtInRect(&client, point)) return;
    hovered_ = 0;
    ::KillTimer(window_, timerId_);
    if (underlineMode_ != 1 && normalFont_) {
        ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_.get()), TRUE);
    }
    client.bottom += 10;
    ::InvalidateRect(window_, &client, TRUE);
}

void CXHyperLink::EraseBackground(HDC dc) {
    std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateDcCanvas(dc);
    if (!canvas) return;
    const SkinRect area = win::ToSkinRect(win::ClientRect(window_));
    if (backgroundColor_ != link_rules::kNoColor) {
        if (backgroundBrush_) {
            canvas->FillBrush(area, static_cast<HBRUSH>(backgroundBrush_.get()));
        } else {
            canvas->FillSolid(area, backgroundColor_);
        }
        return;
    }
    // No colour of our own: show what the skinned parent shows here, so no
    // grey box stands behind the text; an unskinned parent has its face.
    if (PaintParentBackground(window_, dc, area.left, area.top, area.right, area.bottom, 255)) return;
    canvas->FillBrush(area, ::GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CXHyperLink::CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC original = thunk_ ? thunk_->original : nullptr;
    return original ? ::CallWindowProcW(original, window_, msg, wParam, lParam)
                    : ::DefWindowProcW(window_, msg, wParam, lParam);
}

LRESULT CXHyperLink::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && toolTip_) {
        // The tool tip learns of the mouse from the messages its tool gets.
        const DWORD where = ::GetMessagePos();
        MSG relayed{window_,
                    msg,
                    wParam,
                    lParam,
                    static_cast<DWORD>(::GetMessageTime()),
                    {GET_X_LPARAM(where), GET_Y_LPARAM(where)}};
        ::SendMessageW(toolTip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (msg) {
        case win::ReflectedMessage(WM_COMMAND):
            if (HIWORD(wParam) != STN_CLICKED) return 0;
            OnClicked();
            return 1;
        case win::ReflectedMessage(WM_CTLCOLORSTATIC):
            return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam)));
        case WM_SETCURSOR:
            if (!linkCursor_) break;
            ::SetCursor(linkCursor_);
            return TRUE;
        case WM_MOUSEMOVE:
            OnMouseMove();
            break;
        case WM_TIMER:
            if (wParam == timerId_) OnHoverTimer();
            break;
        case WM_ERASEBKGND:
            EraseBackground(reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_DESTROY:
            ::KillTimer(window_, timerId_);
            toolTip_.reset();
            break;
        default:
            break;
    }
    return CallOriginal(msg, wParam, lParam);
}

LRESULT CALLBACK CXHyperLink::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* thunk = static_cast<Thunk*>(::GetPropW(hwnd, kThunkProperty));
    if (!thunk) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // Last message: hand the window back to its own procedure and let go.
        const WNDPROC original = thunk->original;
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &CXHyperLink::SubclassProc) {
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        }
        ::RemovePropW(hwnd, kThunkProperty);
        if (thunk->owner) {
            thunk->owner->thunk_ = nullptr;
            thunk->owner->window_ = nullptr;
        }
        delete thunk;
        return ::CallWindowProcW(original, hwnd, msg, wParam, lParam);
    }
    if (!thunk->owner) return ::CallWindowProcW(thunk->original, hwnd, msg, wParam, lParam);
    try {
        return thunk->owner->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Never unwind through the system; the control carries on unadorned.
        return ::CallWindowProcW(thunk->original, hwnd, msg, wParam, lParam);
    }
}
