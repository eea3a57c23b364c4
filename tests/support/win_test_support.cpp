#include "support/win_test_support.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>

#include "common/utf.h"
#include "common/win_bitmap_info.h"
#include "common/win_handles.h"

namespace testing_support {

std::wstring Widen(const std::string& text) { return text::Utf8ToWide(text); }

std::string Narrow(const std::wstring& text) { return text::WideToUtf8(text); }

std::wstring ToWindowsPath(const std::string& path) {
    std::wstring w = Widen(path);
    if (!w.empty() && w[0] == L'/') w = L"Z:" + w;
    for (wchar_t& c : w) {
        if (c == L'/') c = L'\\';
    }
    return w;
}

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    win::ScopedFind find(::FindFirstFileW((folder + L"*").c_str(), &data));
    if (find) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + L"\\");
            } else {
                ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(full.c_str());
            }
        } while (::FindNextFileW(find.get(), &data));
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, base);
    static LONG counter = 0;
    for (;;) {
        wchar_t name[64];
        swprintf(name, 64, L"tovane-test-%lu-%ld\\", ::GetCurrentProcessId(), ::InterlockedIncrement(&counter));
        path_ = std::wstring(base) + name;
        if (::CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

ChildProcess::~ChildProcess() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(process_.get(), 1);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

bool ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    process_.reset(info.hProcess);
    thread_.reset(info.hThread);
    id_ = info.dwProcessId;
    return true;
}

long ChildProcess::Wait(DWORD milliseconds) {
    if (!process_ || ::WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return static_cast<long>(code);
}

namespace {

struct WindowSearch {
    DWORD processId;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && ::IsWindowVisible(window) && WindowText(window) == *search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForWindow(DWORD processId, const std::wstring& title, DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        WindowSearch search{processId, &title, nullptr};
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        ::Sleep(50);
    } while (::GetTickCount() - start < milliseconds);
    return nullptr;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &copied);
    return buffer;
}

bool WaitForWindowText(HWND window, const std::wstring& expected, DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        if (WindowText(window) == expected) return true;
        ::Sleep(50);
    } while (::GetTickCount() - start < milliseconds);
    return WindowText(window) == expected;
}

namespace {

constexpr wchar_t kMobileDeviceKey[] = L"SOFTWARE\\Apple Inc.\\Apple Mobile Device Support\\Shared";
constexpr wchar_t kMobileDeviceValue[] = L"iTunesMobileDeviceDLL";
constexpr wchar_t kSupportKey[] = L"SOFTWARE\\Apple Inc.\\Apple Application Support";
constexpr wchar_t kSupportValue[] = L"InstallDir";

bool ReadValue(const wchar_t* key, const wchar_t* name, std::wstring& out) {
    wchar_t buffer[2048] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return false;
    }
    out = buffer;
    return true;
}

void WriteValue(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    win::ScopedRegKey handle;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, handle.receive(), nullptr) ==
        ERROR_SUCCESS) {
        ::RegSetValueExW(handle.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
}

void DeleteValue(const wchar_t* key, const wchar_t* name) {
    win::ScopedRegKey handle;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, handle.receive()) == ERROR_SUCCESS) {
        ::RegDeleteValueW(handle.get(), name);
    }
}

}  // namespace

AppleRegistry::AppleRegistry() {
    mobileDevice_.present = ReadValue(kMobileDeviceKey, kMobileDeviceValue, mobileDevice_.value);
    installDir_.present = ReadValue(kSupportKey, kSupportValue, installDir_.value);
}

AppleRegistry::~AppleRegistry() {
    if (mobileDevice_.present)
        WriteValue(kMobileDeviceKey, kMobileDeviceValue, mobileDevice_.value);
    else
        DeleteValue(kMobileDeviceKey, kMobileDeviceValue);
    if (installDir_.present)
        WriteValue(kSupportKey, kSupportValue, installDir_.value);
    else
        DeleteValue(kSupportKey, kSupportValue);
}

void AppleRegistry::Set(const std::wstring& mobileDeviceDll, const std::wstring& installDir) {
    WriteValue(kMobileDeviceKey, kMobileDeviceValue, mobileDeviceDll);
    WriteValue(kSupportKey, kSupportValue, installDir);
}

void AppleRegistry::Remove() {
    DeleteValue(kMobileDeviceKey, kMobileDeviceValue);
    DeleteValue(kSupportKey, kSupportValue);
}

namespace {

// Copies width x height pixels at (x, y) of `source` into top-down 0x00RRGGBB.
Pixels CopyPixels(HDC source, int x, int y, int width, int height) {
    Pixels pixels;
    if (!source || width <= 0 || height <= 0) return pixels;
    pixels.width = width;
    pixels.height = height;
    BITMAPINFO info = win::Bgra32Info(width, -height);
    void* bits = nullptr;
    win::ScopedMemoryDc memory(::CreateCompatibleDC(source));
    win::ScopedGdiObject bitmap(::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return Pixels{};
    HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width, height, source, x, y, SRCCOPY);
    ::GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels.data.assign(p, p + static_cast<size_t>(width) * height);
    for (auto& px : pixels.data) px &= 0x00FFFFFF;
    ::SelectObject(memory.get(), old);
    return pixels;
}

}  // namespace

Pixels CaptureScreenArea(const RECT& screen) {
    win::WindowDc dc(nullptr);
    return CopyPixels(dc.get(), screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top);
}

Pixels CaptureClientArea(HWND window) {
    RECT client{};
    if (!::GetClientRect(window, &client)) return Pixels{};
    win::WindowDc source(window);
    return CopyPixels(source.get(), 0, 0, client.right, client.bottom);
}

int CountDifferentPixels(const Pixels& actual, const RECT& area, std::uint32_t expected, int tolerance) {
    int count = 0;
    for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, actual.height); ++y) {
        for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, actual.width); ++x) {
            std::uint32_t px = actual.at(x, y);
            for (int shift = 0; shift < 24; shift += 8) {
                int a = static_cast<int>((px >> shift) & 0xFF);
                int b = static_cast<int>((expected >> shift) & 0xFF);
                if (std::abs(a - b) > tolerance) {
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}

bool AreaHasColor(const Pixels& actual, const RECT& area, std::uint32_t expected, int tolerance,
                  const std::string& failurePng) {
    if (actual.width > 0 && CountDifferentPixels(actual, area, expected, tolerance) == 0) return true;
    WritePng(actual, failurePng);
    return false;
}

bool WritePng(const Pixels& pixels, const std::string& path) {
    if (pixels.width <= 0 || pixels.height <= 0) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, pixels.width, pixels.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(static_cast<size_t>(pixels.width) * 3);
        for (int y = 0; y < pixels.height; ++y) {
            for (int x = 0; x < pixels.width; ++x) {
                std::uint32_t px = pixels.at(x, y);
                row[x * 3 + 0] = static_cast<png_byte>(px >> 16);
                row[x * 3 + 1] = static_cast<png_byte>(px >> 8);
                row[x * 3 + 2] = static_cast<png_byte>(px);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    std::fclose(file);
    return ok;
}

}  // namespace testing_support
