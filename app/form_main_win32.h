// The installer's main window: dialog template 106 with the status button,
// the caption buttons, the footer line and the two link labels. It shows the
// workflow's state (StatusView) and routes the button clicks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/device_workflow.h"
#include "app/form_layout.h"
#include "app/framework/dialog_win32.h"
#include "app/installer_ids.h"
#include "app/status_view.h"
#include "common/dpi_scale.h"
#include "common/win_handles.h"
#include "device/apple_libraries.h"
#include "ui/x_hyperlink_win32.h"

inline constexpr int kFormMainTemplate = IDD_FORM_MAIN;
inline constexpr int kStatusButtonId = IDC_STATUS_BUTTON;
inline constexpr int kCloseButtonId = IDC_CLOSE_BUTTON;
inline constexpr int kFooterTextId = IDC_FOOTER_TEXT;
inline constexpr int kMinimiseButtonId = IDC_MINIMISE_BUTTON;
inline constexpr int kForumLinkId = IDC_FORUM_LINK;
inline constexpr int kHomeLinkId = IDC_HOME_LINK;

// Sizes in pixels at 96 DPI; the window scales them to its display.
inline constexpr int kMainWindowWidth = 509;
inline constexpr int kMainWindowHeight = 253;
inline constexpr int kStatusButtonWidth = 399;
inline constexpr int kStatusButtonHeight = 42;
// A press this close to the top of the client area drags the window.
inline constexpr int kDragAreaHeight = 50;

// True when a left press at client y starts a window drag.
inline bool IsInDragArea(int clientY, const dpi::DpiScale& scale = {}) {
    return clientY <= scale.Scale(kDragAreaHeight);
}
// True for the keys the main window swallows before the dialog manager.
inline bool IsSwallowedKey(UINT message, WPARAM key) {
    return message == WM_KEYDOWN && (key == VK_RETURN || key == VK_ESCAPE);
}

class FormMain : public win::Dialog, public StatusView {
public:
    // The services start-up uses; tests replace them.
    struct Services {
        std::function<bool(apple::DeviceEventHandler, void*)> loadDeviceLibraries;
        std::function<void(UINT exitCode)> terminateProcess;
        std::function<void(HWND owner, const wchar_t* text, const wchar_t* title)> messageBox;
    };
    static Services DefaultServices();

    explicit FormMain(HINSTANCE instance, Services services = DefaultServices());

    // StatusView, callable from any thread.
    void SetStatusText(const std::wstring& text) override;
    void ShowWarningImages() override;
    void ShowInstallImages() override;
    void ShowDoneImages() override;
    void ClearFooterText() override;
    void ShowMessage(const std::wstring& text) override;

    // The device workflow this window shows and drives.
    DeviceWorkflow& Workflow() { return workflow_; }

    HWND statusButton() const { return statusButton_; }
    // The window's display scale.
    const dpi::DpiScale& Scale() const { return scale_; }
    const CXHyperLink& forumLink() const { return forumLink_; }
    const CXHyperLink& homeLink() const { return homeLink_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool PreTranslateMessage(const MSG& msg) override;

private:
    void BindControls();
    // The dialog font's base units at 96 DPI and the font itself, from the
    // font the dialog manager made for the window's first DPI.
    void MeasureDialogFont();
    // The size the window asks for at its scale (the 96-DPI size at 96 DPI).
    SkinSize WindowSize() const;
    // Every template control where the 96-DPI layout puts it, scaled.
    void LayoutControls();
    // A new DPI: the dialog font made for it, the window moved to the
    // suggested rectangle, the controls laid out, the icons at its sizes.
    void OnDpiChanged(int dpi, const RECT* suggested);
    // The program's icon on the window (taskbar, Alt+Tab, the system menu),
    // at the sizes the system asks for.
    void SetWindowIcons();
    void ShowImageSet(const wchar_t* normal, const wchar_t* down);
    // Sets a control's window text from any thread without blocking for long.
    static void SetControlText(HWND control, const wchar_t* text);

    Services services_;
    HWND statusButton_ = nullptr;
    HWND closeButton_ = nullptr;
    HWND footerText_ = nullptr;
    HWND minimiseButton_ = nullptr;
    CXHyperLink forumLink_;
    CXHyperLink homeLink_;
    win::ScopedOwnIcon bigIcon_;
    win::ScopedOwnIcon smallIcon_;
    dpi::DpiScale scale_;
    form_layout::BaseUnits units96_;
    LOGFONTW dialogFont96_{};
    // The dialog font made for a DPI after the first (the dialog manager owns that one).
    win::ScopedGdiObject dialogFont_;
    // Last: workers still running use this window as their view, so the
    // workflow stops them (its destructor waits) before anything else goes.
    DeviceWorkflow workflow_;
};
