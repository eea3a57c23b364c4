#include "app/form_main_win32.h"

#include <cstring>

#include "app/installer_texts.h"
#include "common/win_dpi_win32.h"
#include "net/remote_file.h"
#include "skin/windows/skin_api_win32.h"

namespace {

constexpr wchar_t kWindowSkin[] = L"PromptDialog";
constexpr wchar_t kStatusButtonSkin[] = L"standard.buttton";
constexpr wchar_t kCloseButtonSkin[] = L"sysbtn.close";
constexpr wchar_t kMinimiseButtonSkin[] = L"sysbtn.min";
constexpr wchar_t kFooterSkin[] = L"standard.static.normal";

// How long a worker waits for the user-interface thread to take a text.
constexpr UINT kTextTimeoutMs = 5000;

// The maker's addresses are ASCII.
std::wstring WideAddress(const char* address) { return std::wstring(address, address + std::strlen(address)); }

}  // namespace

FormMain::Services FormMain::DefaultServices() {
    Services s;
    s.loadDeviceLibraries = [](apple::DeviceEventHandler handler, void* context) {
        return apple::LoadDeviceLibraries(handler, context);
    };
    s.terminateProcess = [](UINT code) { ::TerminateProcess(::GetCurrentProcess(), code); };
    s.messageBox = [](HWND owner, const wchar_t* text, const wchar_t* title) {
        ::MessageBoxW(owner, text, title, MB_OK);
    };
    return s;
}

FormMain::FormMain(HINSTANCE instance, Services services)
    : win::Dialog(instance, kFormMainTemplate), services_(std::move(services)), workflow_(*this) {}

void FormMain::BindControls() {
    statusButton_ = Item(kStatusButtonId);
    closeButton_ = Item(kCloseButtonId);
    footerText_ = Item(kFooterTextId);
    minimiseButton_ = Item(kMinimiseButtonId);
    // The link statics become links here, still without their targets.
    forumLink_.SubclassDlgItem(kForumLinkId, hwnd());
    homeLink_.SubclassDlgItem(kHomeLinkId, hwnd());
    ReflectNotifications(forumLink_.hwnd());
    ReflectNotifications(homeLink_.hwnd());
}

bool FormMain::OnInitDialog() {
    BindControls();
    scale_ = dpi::DpiScale(static_cast<int>(win::WindowDpi(hwnd())));
    // The window lays itself out at every DPI; the dialog manager must not.
    win::KeepDialogLayoutOnDpiChange(hwnd());
    MeasureDialogFont();
    const SkinSize size = WindowSize();
    ::SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (scale_.IsIdentity()) {
        // At 96 DPI the template's own places are the layout.
        ::SetWindowPos(statusButton_, nullptr, 0, 0, kStatusButtonWidth, kStatusButtonHeight,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        LayoutControls();
    }

    SetWindowSkin(hwnd(), kWindowSkin);
    SetWindowSkin(statusButton_, kStatusButtonSkin);
    SetWindowSkin(closeButton_, kCloseButtonSkin);
    SetWindowSkin(minimiseButton_, kMinimiseButtonSkin);
    SetWindowSkin(footerText_, kFooterSkin);
    SetWindowIcons();

    SetStatusText(kConnectDeviceText);
    ShowWarningImages();

    if (!services_.loadDeviceLibraries(&DeviceWorkflow::OnDeviceNotification, &workflow_)) {
        services_.messageBox(hwnd(), kLibrariesMissingText, kStartupTitle);
        services_.terminateProcess(0);
        return true;
    }
    forumLink_.SetLinkTarget(WideAddress(kForumPageAddress));
    forumLink_.SetOpenOnClick(true);
    homeLink_.SetLinkTarget(WideAddress(kHomePageAddress));
    homeLink_.SetOpenOnClick(true);
    return true;
}

void FormMain::SetWindowIcons() {
    auto load = [&](int width, int height) {
        return static_cast<HICON>(
            ::LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_TOVANE), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
    };
    const auto dpi = static_cast<UINT>(scale_.Dpi());
    win::ScopedOwnIcon big(load(win::SystemMetricForDpi(SM_CXICON, dpi), win::SystemMetricForDpi(SM_CYICON, dpi)));
    win::ScopedOwnIcon small(
        load(win::SystemMetricForDpi(SM_CXSMICON, dpi), win::SystemMetricForDpi(SM_CYSMICON, dpi)));
    // The window keeps using the old icons until it has the new ones.
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

SkinSize FormMain::WindowSize() const {
    const SkinSize size96{kMainWindowWidth, kMainWindowHeight};
    if (scale_.IsIdentity()) return size96;
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE));
    auto border = [&](UINT dpi) {
        RECT frame{0, 0, 0, 0};
        win::AdjustWindowRectForDpi(&frame, style, exStyle, dpi);  // as the skin measures it
        return static_cast<int>(-frame.left);
    };
    const auto dpi = static_cast<UINT>(scale_.Dpi());
    return form_layout::WindowSizeAtScale(size96, border(96), win::SystemMetricForDpi(SM_CYCAPTION, 96), border(dpi),
                                          win::SystemMetricForDpi(SM_CYCAPTION, dpi), scale_);
}

void FormMain::MeasureDialogFont() {
    auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    LOGFONTW logical{};
    if (!font || ::GetObjectW(font, sizeof logical, &logical) != static_cast<int>(sizeof logical)) return;
    logical.lfHeight = scale_.Unscale(logical.lfHeight);  // made for the window's DPI
    logical.lfWidth = scale_.Unscale(logical.lfWidth);
    dialogFont96_ = logical;
    win::ScopedGdiObject font96(::CreateFontIndirectW(&logical));
    win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!font96 || !dc) return;
    win::ScopedSelection selected(dc.get(), font96.get());
    static constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    TEXTMETRICW metrics{};
    SIZE extent{};
    if (::GetTextMetricsW(dc.get(), &metrics) && ::GetTextExtentPoint32W(dc.get(), kAlphabet, 52, &extent))
        units96_ = form_layout::BaseUnitsOf(extent.cx, metrics.tmHeight);
}

void FormMain::LayoutControls() {
    if (units96_.x <= 0 || units96_.y <= 0) return;
    struct Placed {
        HWND control;
        form_layout::Box box;
    };
    const Placed controls[] = {
        {statusButton_, {IDC_STATUS_BUTTON_BOX}},  {closeButton_, {IDC_CLOSE_BUTTON_BOX}},
        {footerText_, {IDC_FOOTER_TEXT_BOX}},      {minimiseButton_, {IDC_MINIMISE_BUTTON_BOX}},
        {forumLink_.hwnd(), {IDC_FORUM_LINK_BOX}}, {homeLink_.hwnd(), {IDC_HOME_LINK_BOX}},
    };
    const SkinSize statusSize{kStatusButtonWidth, kStatusButtonHeight};
    for (const Placed& p : controls) {
        if (!p.control) continue;
        const SkinRect r =
            form_layout::PlaceBox(p.box, units96_, scale_, p.control == statusButton_ ? &statusSize : nullptr);
        ::SetWindowPos(p.control, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The links keep their centres and fit their text in the font of the DPI.
    forumLink_.FitToText();
    homeLink_.FitToText();
}

void FormMain::OnDpiChanged(int dpi, const RECT* suggested) {
    scale_ = dpi::DpiScale(dpi);
    LOGFONTW logical = dialogFont96_;
    logical.lfHeight = scale_.Scale(dialogFont96_.lfHeight);
    logical.lfWidth = scale_.Scale(dialogFont96_.lfWidth);
    if (logical.lfHeight != 0) {
        win::ScopedGdiObject font(::CreateFontIndirectW(&logical));
        if (font) {
            const auto handle = reinterpret_cast<WPARAM>(font.get());
            ::SendMessageW(hwnd(), WM_SETFONT, handle, FALSE);
            for (HWND control : {statusButton_, closeButton_, footerText_, minimiseButton_})
                if (control) ::SendMessageW(control, WM_SETFONT, handle, TRUE);
            forumLink_.SetLinkFont(static_cast<HFONT>(font.get()));
            homeLink_.SetLinkFont(static_cast<HFONT>(font.get()));
            dialogFont_ = std::move(font);  // the old one goes once nothing shows it
        }
    }
    if (suggested) {
        ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutControls();
    SetWindowIcons();
}

bool FormMain::OnCommand(WORD id, WORD code, HWND control) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case kCloseButtonId:
            services_.terminateProcess(0);
            return true;
        case kStatusButtonId:
            workflow_.OnStatusButtonClick();
            return true;
        case kMinimiseButtonId:
            ::ShowWindow(hwnd(), SW_MINIMIZE);
            return true;
        default:
            return false;
    }
}

bool FormMain::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_LBUTTONDOWN) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(hwnd(), &cursor);
        if (IsInDragArea(cursor.y, scale_)) {
            // Lets the system move the window as if its caption were dragged:
            // non-client messages carry screen coordinates.
            POINT press{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ClientToScreen(hwnd(), &press);
            ::PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(press.x, press.y));
        }
        return false;  // default handling in every case
    }
    if (msg == win::kWmDpiChanged) {
        const int dpi = LOWORD(wParam);
        if (dpi > 0) OnDpiChanged(dpi, reinterpret_cast<const RECT*>(lParam));
        result = 0;
        return true;
    }
    return false;
}

bool FormMain::PreTranslateMessage(const MSG& msg) {
    // Enter and Escape never reach the dialog manager, so they neither press
    // the focused button nor end the dialog.
    return IsSwallowedKey(msg.message, msg.wParam) && msg.hwnd && (msg.hwnd == hwnd() || ::IsChild(hwnd(), msg.hwnd));
}

void FormMain::SetControlText(HWND control, const wchar_t* text) {
    if (!control) return;
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kTextTimeoutMs,
                          &ignored);
}

void FormMain::SetStatusText(const std::wstring& text) {
    // The skinned button answers WM_GETTEXT with the text it shows, so screen
    // readers announce every state; an unskinned one takes it as its caption.
    if (!SetSkinProperty(statusButton_, L"text", text.c_str(), 1)) SetControlText(statusButton_, text.c_str());
}

void FormMain::ShowImageSet(const wchar_t* normal, const wchar_t* down) {
    SetSkinProperty(statusButton_, L"normal", normal, 1);
    SetSkinProperty(statusButton_, L"over", normal, 1);
    SetSkinProperty(statusButton_, L"down", down, 1);
}

void FormMain::ShowWarningImages() { ShowImageSet(L"btn_warning", L"btn_warning_s"); }
void FormMain::ShowInstallImages() { ShowImageSet(L"btn_install", L"btn_install_s"); }
void FormMain::ShowDoneImages() { ShowImageSet(L"btn_done", L"btn_done_s"); }

void FormMain::ClearFooterText() { SetControlText(footerText_, L""); }

void FormMain::ShowMessage(const std::wstring& text) { services_.messageBox(nullptr, text.c_str(), kMessageTitle); }
