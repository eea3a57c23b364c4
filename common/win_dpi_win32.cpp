#include "common/win_dpi_win32.h"

namespace win {

namespace {

// The calls newer systems have, looked up once; null where they are missing.
struct DpiEntryPoints {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* getDpiForSystem)() = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI* setDialogDpiChangeBehavior)(HWND, int, int) = nullptr;

    DpiEntryPoints() {
        HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
        if (!user32) return;
        Find(user32, "GetDpiForWindow", &getDpiForWindow);
        Find(user32, "GetDpiForSystem", &getDpiForSystem);
        Find(user32, "GetSystemMetricsForDpi", &getSystemMetricsForDpi);
        Find(user32, "AdjustWindowRectExForDpi", &adjustWindowRectExForDpi);
        Find(user32, "SetDialogDpiChangeBehavior", &setDialogDpiChangeBehavior);
    }

    template <typename F>
    static void Find(HMODULE module, const char* name, F* out) {
        // The documented way to reach a call that may be missing.
        *out = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    }
};

const DpiEntryPoints& EntryPoints() {
    static const DpiEntryPoints entries;
    return entries;
}

}  // namespace

UINT SystemDpi() {
    if (EntryPoints().getDpiForSystem) {
        if (UINT dpi = EntryPoints().getDpiForSystem()) return dpi;
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96u;
}

UINT WindowDpi(HWND window) {
    if (window && EntryPoints().getDpiForWindow) {
        if (UINT dpi = EntryPoints().getDpiForWindow(window)) return dpi;
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
    if (EntryPoints().getSystemMetricsForDpi) return EntryPoints().getSystemMetricsForDpi(index, dpi);
    return ::GetSystemMetrics(index);
}

bool AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi) {
    if (EntryPoints().adjustWindowRectExForDpi)
        return EntryPoints().adjustWindowRectExForDpi(rect, style, FALSE, exStyle, dpi) != FALSE;
    return ::AdjustWindowRectEx(rect, style, FALSE, exStyle) != FALSE;
}

void KeepDialogLayoutOnDpiChange(HWND dialog) {
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (dialog && EntryPoints().setDialogDpiChangeBehavior)
        EntryPoints().setDialogDpiChangeBehavior(dialog, kDisableAll, kDisableAll);
}

}  // namespace win
