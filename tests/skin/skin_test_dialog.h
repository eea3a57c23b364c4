// A test dialog under Wine with the main window's controls placed in
// pixels, the installer's skin package loaded, and helpers to pump
// messages, read the screen and move the real mouse.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skin_test {

inline constexpr int kStatusId = 1003, kCloseId = 1004, kFooterId = 1005, kMinId = 1006, kPlainId = 1010;

// Loads the installer's skin package (built by the test's CMake) once per
// process into the engine's resource manager.
bool LoadInstallerSkin();
// Adds a theme given as text (no pictures of its own) to the engine's
// resource manager; false when it does not load.
bool LoadThemeText(const std::wstring& xml);

struct ControlSpec {
    int id;
    const wchar_t* cls;  // "Button" or "Static"
    DWORD style;         // besides WS_CHILD | WS_VISIBLE
    const wchar_t* text;
    RECT rect;  // client pixels
};

// A dialog template with no items: DLGTEMPLATE (100 x 50 dialog units),
// no menu, the standard class, the title and the dialog font.
std::vector<WORD> DialogTemplate(DWORD style, DWORD exStyle, const wchar_t* title);

// A modeless dialog ("#32770") of the given window size at (100, 100),
// shown and in front.
class TestDialog {
public:
    TestDialog(int width, int height, const std::vector<ControlSpec>& controls,
               DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, DWORD exStyle = 0);
    ~TestDialog();
    TestDialog(const TestDialog&) = delete;
    TestDialog& operator=(const TestDialog&) = delete;

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    // Messages the dialog procedure saw, by number.
    int Seen(UINT message) const;

private:
    static INT_PTR CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    std::vector<UINT> seen_;
};

// The installer's main-window controls, at the places the skinned window
// gives them: status button 399 x 42, close and minimise at the top right.
std::vector<ControlSpec> InstallerControls(int clientWidth);

// Processes messages for `ms` milliseconds (at least one pass).
void Pump(DWORD ms);
// Pumps until `done()` or `ms` pass; returns done().
template <class F>
bool PumpUntil(F done, DWORD ms) {
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > ms) return done();
        Pump(20);
    }
    return true;
}

// Repaints the window now, and lets what the paint queued run.
void Repaint(HWND window);

// What the screen shows at a screen point, 0x00RRGGBB.
uint32_t ScreenPixel(int x, int y);
// What the screen shows in a rectangle, rows top-down, 0x00RRGGBB.
std::vector<uint32_t> ScreenPixels(const RECT& area);
// The screen pixel at a point of a window's client area.
uint32_t ClientPixel(HWND window, int x, int y);
bool Near(uint32_t a, uint32_t b, int tolerance);
// A COLORREF (0x00BBGGRR) as 0x00RRGGBB.
inline uint32_t Rgb(COLORREF c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

// Real input: the mouse moved to a client point of `window`, pressed and
// released there.
void MoveMouseTo(HWND window, int x, int y);
void MouseDown();
// One mouse event with no movement (MOUSEEVENTF_...), from any thread.
void SendMouse(DWORD flags);
void MouseUp();
// Moves the mouse far from every test window.
void MoveMouseAway();

// The colour of a package picture at a pixel (its decoded, opaque colour),
// 0x00RRGGBB.
uint32_t PictureColor(const std::wstring& imageId, int x, int y);

}  // namespace skin_test
