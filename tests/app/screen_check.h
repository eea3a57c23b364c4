// What a user sees and does, for tests that watch another program's window
// under Wine: rectangles on the screen, real mouse input, the skin's pictures
// as they should appear on the screen, and Wine's trace of the messages that
// reach the program's windows.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "common/win_bitmap_info.h"
#include "common/win_handles.h"
#include "image/picture.h"
#include "support/win_test_support.h"

namespace testing_support {

// Polls `done` every `step` ms; false when time ran out first.
inline bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds, DWORD step = 50) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (done()) return true;
        if (::GetTickCount() - start >= milliseconds) return false;
        ::Sleep(step);
    }
}

// ---- colours: 0x00RRGGBB, as Pixels holds them --------------------------------

inline int Channel(std::uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

// The largest difference of one channel.
inline int Distance(std::uint32_t a, std::uint32_t b) {
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8) d = std::max(d, std::abs(Channel(a, shift) - Channel(b, shift)));
    return d;
}

inline std::uint32_t SystemColor(int index) {
    const COLORREF c = ::GetSysColor(index);  // 0x00BBGGRR
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// ---- rectangles -----------------------------------------------------------------

inline RECT ScreenRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

inline POINT ClientOrigin(HWND window) {
    POINT p{0, 0};
    ::ClientToScreen(window, &p);
    return p;
}

// A child's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND child) {
    RECT r = ScreenRect(child);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline POINT CentreOf(HWND window) {
    const RECT r = ScreenRect(window);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }

// ---- mouse input, as a user gives it ----------------------------------------------

inline void MouseTo(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;  // a zero move: the window under the cursor hears of it
    ::SendInput(1, &input, sizeof input);
}

inline void MouseButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof input);
}

// ---- pictures ---------------------------------------------------------------------

// A PNG picture of the skin, decoded by the project's image decoder.
struct Face {
    std::string name;
    tovane::Picture picture;

    // The screen colour of pixel (x, y) drawn over `backdrop`: the picture's
    // channels are premultiplied by its alpha.
    std::uint32_t Over(int x, int y, std::uint32_t backdrop) const {
        const std::uint8_t* p = picture.Row(y) + x * 4;
        const int keep = 255 - p[3];
        auto channel = [&](int premultiplied, int shift) {
            return static_cast<std::uint32_t>(
                std::min(255, premultiplied + (keep * Channel(backdrop, shift) + 127) / 255));
        };
        return (channel(p[2], 16) << 16) | (channel(p[1], 8) << 8) | channel(p[0], 0);
    }
};

inline Face LoadFace(const std::string& folder, const std::string& name) {
    std::ifstream file(folder + "/" + name, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return Face{name, tovane::DecodePng(bytes.data(), bytes.size())};
}

// A BMP file's pixels, top-down, read by the system's own loader.
inline Pixels LoadBitmapFile(const std::string& path) {
    const std::wstring windowsPath = ToWindowsPath(path);
    win::ScopedGdiObject bitmap(
        ::LoadImageW(nullptr, windowsPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap.get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        return Pixels{};
    }
    BITMAPINFO format = win::Bgra32Info(info.bmWidth, -info.bmHeight);
    Pixels out;
    out.data.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    win::WindowDc screen(nullptr);
    if (::GetDIBits(screen.get(), static_cast<HBITMAP>(bitmap.get()), 0, info.bmHeight, out.data.data(), &format,
                    DIB_RGB_COLORS) != info.bmHeight) {
        return Pixels{};
    }
    for (auto& px : out.data) px &= 0xFFFFFF;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    return out;
}

// Pixels of `shot` that differ by more than `tolerance` from `face` drawn
// over the backdrop colour of their row; everything when the sizes differ.
inline int FaceMismatches(const Pixels& shot, const Face& face, const std::vector<std::uint32_t>& rowBackdrop,
                          int tolerance = 6) {
    const int all = std::max(1, face.picture.width * face.picture.height);
    if (shot.width != face.picture.width || shot.height != face.picture.height ||
        rowBackdrop.size() < static_cast<size_t>(shot.height)) {
        return all;
    }
    int count = 0;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            if (Distance(shot.at(x, y), face.Over(x, y, rowBackdrop[y])) > tolerance) ++count;
        }
    }
    return count;
}

// ---- Wine's message trace -----------------------------------------------------------

// A test run with its standard error in the file that TOVANE_MESSAGE_TRACE
// names hands that file on to the programs it starts; with WINEDEBUG
// "+message" in their environment, Wine writes a line there for every
// message that enters one of their window procedures.
class MessageTrace {
public:
    MessageTrace() {
        wchar_t path[MAX_PATH] = {};
        if (::GetEnvironmentVariableW(L"TOVANE_MESSAGE_TRACE", path, MAX_PATH)) path_ = ToWindowsPath(Narrow(path));
    }
    bool available() const { return !path_.empty(); }

    long long Size() const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &data)) return 0;
        return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    // The names of the messages traced between two sizes of the file
    // ("WM_PAINT", ...), one per window procedure entered.
    std::vector<std::string> Messages(long long from, long long to) const {
        std::vector<std::string> out;
        if (to <= from) return out;
        std::ifstream file(Narrow(path_), std::ios::binary);
        file.seekg(from);
        std::string text(static_cast<size_t>(to - from), '\0');
        file.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<size_t>(std::max<std::streamsize>(file.gcount(), 0)));
        size_t line = 0;
        while (line < text.size()) {
            size_t end = text.find('\n', line);
            if (end == std::string::npos) end = text.size();
            const std::string row = text.substr(line, end - line);
            line = end + 1;
            // "0134:trace:message:spy_enter_message (0x1004e) L"..." [000f] WM_PAINT dispatched ..."
            if (row.find("spy_enter_message") == std::string::npos) continue;
            const size_t code = row.find("] ");
            if (code == std::string::npos) continue;
            const size_t nameEnd = row.find(' ', code + 2);
            out.push_back(row.substr(code + 2, nameEnd == std::string::npos ? std::string::npos : nameEnd - code - 2));
        }
        return out;
    }

private:
    std::wstring path_;
};

}  // namespace testing_support
