// What the scroll-bar tests under Wine share: a theme whose scroll-bar
// picture has one solid colour per cell (so a screen pixel tells which cell
// was drawn), windows that record the scroll messages they get, mouse input
// played from another thread (a thumb drag runs a message loop of its own,
// so the test's thread cannot press and move meanwhile), and screen reads.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace scroll_test {

// Loads the test theme once: image "scroll.sheet" (the 240 x 48 cell
// sheet), "scroll.sizebox", "scroll.frame.normal", "scroll.frame.over",
// "scroll.back", and the descriptions "scroll.dialog" (window), "scroll.edit",
// "scroll.edit.plain" (no frame pictures), "scroll.edit.clear" (transparent)
// (edit), "scroll.rich" (richedit), "scroll.bar" (scrollbar), "scroll.list"
// (listbox, its rows the system's) and "scroll.mdi" (window).
bool LoadScrollTheme();

// Sheet cells: column 0..14, row 0 (vertical bar), 1 (horizontal), 2
// (corners). The colour of the cell, 0x00RRGGBB.
uint32_t CellColor(int column, int row);
inline constexpr int kFirstArrow = 0, kSecondArrow = 4, kThumb = 8, kGrip = 11, kTrack = 14;
uint32_t SizeBoxColor();
uint32_t FrameNormalColor();
uint32_t FrameOverColor();
uint32_t BackColor();
// The edit's text and background colours in the theme.
uint32_t EditTextColor();
uint32_t EditBackColor();

// One scroll message a window got.
struct ScrollEvent {
    UINT message;  // WM_HSCROLL or WM_VSCROLL
    int code;      // LOWORD(wParam)
    int position;  // HIWORD(wParam)
    HWND control;  // lParam
};

// A top-level dialog ("#32770") with the given style and client size at
// (120, 120), shown; its procedure records every WM_HSCROLL and WM_VSCROLL.
// `onScroll`, when set, runs for each (after recording).
class RecordingDialog {
public:
    RecordingDialog(DWORD style, DWORD exStyle, int clientWidth, int clientHeight);
    ~RecordingDialog();
    RecordingDialog(const RecordingDialog&) = delete;
    RecordingDialog& operator=(const RecordingDialog&) = delete;

    HWND hwnd() const { return hwnd_; }
    std::vector<ScrollEvent> events;
    std::function<void(const ScrollEvent&)> onScroll;
    // Events with this code.
    int Count(int code) const;

private:
    static INT_PTR CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
};

// Mouse input on another thread: each step moves the cursor to a screen
// point (when given), presses or releases the left button, and waits.
struct MouseStep {
    enum Kind { Move, Down, Up, Wait } kind;
    POINT at;
    DWORD ms;
};
MouseStep MoveTo(POINT screen, DWORD ms = 30);
MouseStep Down(DWORD ms = 60);
MouseStep Up(DWORD ms = 60);
MouseStep Pause(DWORD ms);
// Plays the steps on a thread of its own while this thread handles its
// messages; returns when the steps are done and the messages they caused
// are handled.
void PlayMouse(const std::vector<MouseStep>& steps);

// The strip of a vertical bar (16 pixels at 96 DPI: `width`) beside the
// window's client area, on its right (left with `left`), in window
// coordinates.
RECT BarBeside(HWND window, bool left = false, int width = 16);
// A point of a window in window coordinates, on the screen.
POINT ScreenOf(HWND window, int x, int y);
// The screen pixel at a point of the window (window coordinates), 0x00RRGGBB.
uint32_t WindowPixel(HWND window, int x, int y);
// The pixel once it shows `expected`, processing messages meanwhile (a
// paint may wait behind other work on a busy machine); after `ms` without
// it, the pixel as it is then.
uint32_t WindowPixelOnceItIs(HWND window, int x, int y, uint32_t expected, DWORD ms = 3000);
// The colours along a line of the window, from (x, y0) to (x, y1 - 1).
std::vector<uint32_t> WindowColumn(HWND window, int x, int y0, int y1);
// Writes a screenshot of the window's rectangle as a PNG beside the test.
void SaveWindowPng(HWND window, const std::string& name);

// Processes messages for `ms` milliseconds.
void Pump(DWORD ms);
// Makes the client area of `window` exactly w x h once the skin has set the
// frame.
void SetClientSize(HWND window, int w, int h);

}  // namespace scroll_test
