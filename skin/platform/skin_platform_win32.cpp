// Win32 side of the theme loader: GDI fonts, cursors, system colours, the OS
// version and the "ComboLBox " window class.
#include "skin/platform/skin_platform.h"

#include <windows.h>

#include <atomic>
#include <cwchar>

#include "common/win_handles.h"
#include "skin/platform/skin_platform_win32.h"

namespace {

std::atomic<WNDPROC> g_comboListProc{nullptr};

// The class is registered before the window code that skins the list
// exists, so its procedure forwards to whatever that code installs.
LRESULT CALLBACK ComboListTrampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = g_comboListProc.load();
    return proc ? proc(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

class Win32SkinPlatform final : public ISkinPlatform {
public:
    int OsMajorVersion() const override {
        // GetVersionEx reports what the manifest claims; RtlGetVersion the truth.
        using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
        if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
            auto fn =
                reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
            OSVERSIONINFOW info = {};
            info.dwOSVersionInfoSize = sizeof(info);
            if (fn && fn(&info) == 0) return static_cast<int>(info.dwMajorVersion);
        }
        return static_cast<int>(LOBYTE(LOWORD(GetVersion())));
    }

    uint32_t SystemColor(int index) const override { return GetSysColor(index); }

    void* CreateFontHandle(const SkinFontSpec& fontSpec) override {
        if (fontSpec.height <= 0) return nullptr;
        LOGFONTW font = {};
        font.lfHeight = fontSpec.height;
        font.lfWeight = fontSpec.bold ? FW_BOLD : FW_NORMAL;
        font.lfUnderline = fontSpec.underline ? TRUE : FALSE;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfOutPrecision = OUT_DEFAULT_PRECIS;
        font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        font.lfQuality = PROOF_QUALITY;
        font.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
        wcsncpy(font.lfFaceName, fontSpec.face.c_str(), LF_FACESIZE - 1);
        return CreateFontIndirectW(&font);
    }

    void* LoadSystemCursor(int id) override {
        // System cursors are shared; the copy is ours to destroy.
        HCURSOR shared = LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
        return shared ? CopyIcon(shared) : nullptr;
    }

    void* LoadHelpProgramCursor(const std::wstring& name) override {
        wchar_t folder[MAX_PATH] = {};
        UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return nullptr;
        std::wstring path(folder, length);
        path += L"\\winhlp32.exe";
        win::ScopedModule module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (!module) return nullptr;
        // Not shared, so the cursor outlives the module and can be destroyed.
        return LoadImageW(module.get(), name.c_str(), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE);
    }

    void ReleaseHandle(HandleKind kind, void* handle) override {
        if (!handle) return;
        if (kind == HandleKind::Font) {
            DeleteObject(static_cast<HGDIOBJ>(handle));
        } else {
            DestroyCursor(static_cast<HCURSOR>(handle));
        }
    }

    void RegisterComboListClass() override {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ComboListTrampoline;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = kSkinComboListClassName;
        RegisterClassExW(&wc);  // a second registration fails harmlessly
    }
};

}  // namespace

void SetSkinComboListWindowProc(WNDPROC proc) { g_comboListProc.store(proc); }

ISkinPlatform& DefaultSkinPlatform() {
    static Win32SkinPlatform platform;
    return platform;
}
