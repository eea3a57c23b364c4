// The installer's main window for the benchmarks under Wine: FormMain
// created modeless, with services that load no device library, show no box
// and end nothing, at a chosen place on the screen. Whether it is skinned
// depends only on whether the skin package was loaded before it was made.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "app/form_main_win32.h"
#include "bench/bench_window.h"
#include "skin/windows/skin_api_win32.h"

namespace bench {

// What the installer does first: the common controls, all classes.
inline void PrepareCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;
    ::InitCommonControlsEx(&controls);
}

// The skin package embedded in this executable, loaded as the installer
// loads its own.
inline bool LoadInstallerSkin() { return LoadSkinResource(L"DATA", 129, nullptr) == 1; }

inline FormMain::Services QuietServices() {
    FormMain::Services s;
    s.loadDeviceLibraries = [](apple::DeviceEventHandler, void*) { return true; };
    s.terminateProcess = [](UINT) {};
    s.messageBox = [](HWND, const wchar_t*, const wchar_t*) {};
    return s;
}

// The main window, shown at (x, y) and in front.
class BenchForm {
public:
    BenchForm(int x, int y) : form_(::GetModuleHandleW(nullptr), QuietServices()) {
        if (!form_.Create()) return;
        ::SetWindowPos(form_.hwnd(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(form_.hwnd());
        Pump(300);
    }
    BenchForm(const BenchForm&) = delete;
    BenchForm& operator=(const BenchForm&) = delete;

    bool Ok() const { return form_.hwnd() != nullptr; }
    HWND hwnd() const { return form_.hwnd(); }
    HWND statusButton() const { return form_.statusButton(); }
    // True when the status button carries the skin: only a skinned button
    // takes a drawing item's text.
    bool Skinned() const { return SetSkinProperty(form_.statusButton(), L"text", L"请连接你的苹果设备", 1) == 1; }

private:
    FormMain form_;
};

inline int Fail(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

}  // namespace bench
