// The control gallery: one dialog with a control of every kind the skin
// engine knows, skinned with one of the two gallery themes.
//
//   gallery.exe [--theme=showcase|test] [--unskinned | --frame-only]
//               [--at=X,Y] [--screenshot=FILE.bmp] [--exit-when-shown]
//
// --frame-only skins the dialog alone: every control keeps the system look
// on the dialog's picture.
// --screenshot writes what the screen shows of the window once it has
// settled, then ends; --exit-when-shown ends as soon as the window and all
// its controls have painted once (for start-up timing). Exit codes: 0 done,
// 2 bad arguments, 3 theme missing, 4 dialog not made, 5 screenshot failed.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "gallery_dialog.h"
#include "gallery_ids.h"
#include "gallery_screenshot.h"
#include <tovane/skin_api.h>

namespace {

struct Options {
    GalleryOptions gallery;
    int themeResource = IDR_THEME_SHOWCASE;
    std::wstring screenshot;
    bool exitWhenShown = false;
    bool placed = false;
    POINT at{};
};

bool StartsWith(const std::wstring& text, const wchar_t* prefix, std::wstring* rest) {
    size_t n = std::wcslen(prefix);
    if (text.compare(0, n, prefix) != 0) return false;
    *rest = text.substr(n);
    return true;
}

bool Parse(int argc, wchar_t** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i], value;
        if (StartsWith(arg, L"--theme=", &value)) {
            if (value == L"showcase") {
                options->themeResource = IDR_THEME_SHOWCASE;
                options->gallery.themeName = L"showcase";
            } else if (value == L"test") {
                options->themeResource = IDR_THEME_TEST;
                options->gallery.themeName = L"test";
            } else {
                return false;
            }
        } else if (arg == L"--unskinned") {
            options->gallery.skinned = false;
        } else if (arg == L"--frame-only") {
            options->gallery.frameOnly = true;
        } else if (StartsWith(arg, L"--screenshot=", &value) && !value.empty()) {
            options->screenshot = value;
        } else if (arg == L"--exit-when-shown") {
            options->exitWhenShown = true;
        } else if (StartsWith(arg, L"--at=", &value)) {
            if (std::swscanf(value.c_str(), L"%ld,%ld", &options->at.x, &options->at.y) != 2) return false;
            options->placed = true;
        } else {
            return false;
        }
    }
    return true;
}

void Place(HWND dialog, const Options& options) {
    RECT r{};
    ::GetWindowRect(dialog, &r);
    POINT p = options.at;
    if (!options.placed) {
        p.x = (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
        p.y = (::GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    }
    ::SetWindowPos(dialog, HWND_TOP, p.x, p.y, 0, 0, SWP_NOSIZE);
}

// Handles messages until `ms` milliseconds have passed, so the window
// settles (paints, the controls' own timers) before it is read.
void Settle(HWND window, UINT ms) {
    const UINT_PTR timer = ::SetTimer(window, 0x6A11, ms, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == window && msg.wParam == timer) break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::KillTimer(window, timer);
}

int Run(const Options& options) {
    if (options.gallery.skinned && !LoadSkinResource(L"DATA", options.themeResource, nullptr)) {
        std::fwprintf(stderr, L"gallery: the theme resource %d is missing\n", options.themeResource);
        return 3;
    }
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    HWND dialog = GalleryCreate(instance, options.gallery, true);
    if (!dialog) {
        std::fwprintf(stderr, L"gallery: the dialog could not be made\n");
        return 4;
    }
    Place(dialog, options);
    ::ShowWindow(dialog, SW_SHOW);
    ::SetForegroundWindow(dialog);
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (options.exitWhenShown) {
        ::DestroyWindow(dialog);
        return 0;
    }
    if (!options.screenshot.empty()) {
        Settle(dialog, 800);
        bool written = GalleryWriteScreenshot(dialog, options.screenshot.c_str());
        ::DestroyWindow(dialog);
        if (!written) std::fwprintf(stderr, L"gallery: the screenshot was not written\n");
        return written ? 0 : 5;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (::IsWindow(dialog) && ::IsDialogMessageW(dialog, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    Options options;
    bool parsed = argv && Parse(argc, argv, &options);
    ::LocalFree(argv);
    if (!parsed) {
        std::fwprintf(stderr,
                      L"usage: gallery [--theme=showcase|test] [--unskinned] [--at=X,Y] [--screenshot=FILE.bmp] "
                      L"[--exit-when-shown]\n");
        return 2;
    }
    return Run(options);
}
