#include "app/form_main_win32.h"

#include <cstring>

#include "app/installer_texts.h"
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
    ::SetWindowPos(hwnd(), nullptr, 0, 0, kMainWindowWidth, kMainWindowHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(statusButton_, nullptr, 0, 0, kStatusButtonWidth, kStatusButtonHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    SetWindowSkin(hwnd(), kWindowSkin);
    SetWindowSkin(statusButton_, kStatusButtonSkin);
    SetWindowSkin(closeButton_, kCloseButtonSkin);
    SetWindowSkin(minimiseButton_, kMinimiseButtonSkin);
    SetWindowSkin(footerText_, kFooterSkin);

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
        if (IsInDragArea(cursor.y)) {
            // Lets the system move the window as if its caption were dragged:
            // non-client messages carry screen coordinates.
            POINT press{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ClientToScreen(hwnd(), &press);
            ::PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(press.x, press.y));
        }
        return false;  // default handling in every case
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
