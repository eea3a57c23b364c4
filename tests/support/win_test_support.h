// Helpers for tests that run under Wine: paths, child processes, top-level
// windows of a process, the Apple registry values, and window pixels.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// UTF-8 / UTF-16 conversions.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

// The Windows form of a Unix path (Z:\... under Wine); Windows paths pass.
std::wstring ToWindowsPath(const std::string& path);

// A fresh empty folder below the temporary folder, removed on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::wstring& path() const { return path_; }  // ends with '\'

private:
    std::wstring path_;
};

// A program started with CreateProcessW; killed on destruction if running.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Start(const std::wstring& exe, const std::wstring& arguments = L"");
    // Exit code, or -1 when it did not end within the time.
    long Wait(DWORD milliseconds);
    DWORD id() const { return id_; }

private:
    win::ScopedHandle process_;
    win::ScopedHandle thread_;
    DWORD id_ = 0;
};

// Waits for a visible top-level window of the process with this exact title.
HWND WaitForWindow(DWORD processId, const std::wstring& title, DWORD milliseconds);
std::wstring WindowText(HWND window);
// Polls until the window's text equals `expected` (true) or time runs out.
bool WaitForWindowText(HWND window, const std::wstring& expected, DWORD milliseconds);

// Sets or removes the two registry values through which the installer finds
// Apple's libraries; the earlier state comes back on destruction.
class AppleRegistry {
public:
    AppleRegistry();
    ~AppleRegistry();
    void Set(const std::wstring& mobileDeviceDll, const std::wstring& installDir);
    void Remove();

private:
    struct Saved {
        bool present = false;
        std::wstring value;
    };
    Saved mobileDevice_, installDir_;
};

// A captured client area: 32-bit pixels 0x00RRGGBB, top-down.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;
    std::uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
};
Pixels CaptureClientArea(HWND window);
// What the screen shows in a rectangle of screen coordinates: read from the
// screen's device context, so custom and skinned painting is included.
Pixels CaptureScreenArea(const RECT& screen);
// Counts the pixels of `actual` in the rectangle that differ from `expected`
// by more than `tolerance` in any channel.
int CountDifferentPixels(const Pixels& actual, const RECT& area, std::uint32_t expected, int tolerance);
// Writes the pixels as a PNG file (for failures and for looking at).
bool WritePng(const Pixels& pixels, const std::string& path);
// True when every pixel of the rectangle is within `tolerance` of `expected`;
// otherwise writes what it saw to `failurePng` for the reader of the failure.
bool AreaHasColor(const Pixels& actual, const RECT& area, std::uint32_t expected, int tolerance,
                  const std::string& failurePng);

}  // namespace testing_support
