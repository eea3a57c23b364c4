#include "ui/link_test_host.h"

#include <cstdlib>

namespace link_test {

LinkHost::LinkHost() : win::Dialog(::GetModuleHandleW(nullptr), kTemplate) {}

bool LinkHost::Open() {
    if (!Create()) return false;
    ::SetWindowPos(hwnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(hwnd());
    ::UpdateWindow(hwnd());
    PumpPending();
    return true;
}

bool LinkHost::OnInitDialog() {
    for (int id : {kCaptionLink, kEmptyLink, kLeftLink, kRightLink, kMiddleLink}) {
        TestLink& l = links_[id];
        l.SubclassDlgItem(id, hwnd());
        ReflectNotifications(l.hwnd());
    }
    return true;
}

bool LinkHost::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_CTLCOLORSTATIC && plainTextBrush && reinterpret_cast<HWND>(lParam) == Item(kPlainText)) {
        LOGBRUSH logical{};
        ::GetObjectW(plainTextBrush, sizeof(logical), &logical);
        ::SetBkColor(reinterpret_cast<HDC>(wParam), logical.lbColor);
        result = reinterpret_cast<LRESULT>(plainTextBrush);
        return true;
    }
    if (msg != WM_XHYPERLINK_CLICKED) return false;
    clickedNotes.push_back(wParam);
    result = 0;
    return true;
}

bool LinkHost::WaitFor(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    while (true) {
        PumpPending();
        if (done()) return true;
        if (::GetTickCount() - start > milliseconds) return false;
        ::Sleep(10);
    }
}

RECT ScreenRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void MoveMouseTo(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

void ClickAt(POINT screen) {
    MoveMouseTo(screen);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

std::uint32_t ToPixel(COLORREF color) { return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color); }

namespace {

bool Near(std::uint32_t px, std::uint32_t want, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(static_cast<int>((px >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace

int CountNear(const testing_support::Pixels& pixels, COLORREF color, int tolerance) {
    const std::uint32_t want = ToPixel(color);
    int n = 0;
    for (std::uint32_t px : pixels.data) n += Near(px, want, tolerance);
    return n;
}

bool HasLineOf(const testing_support::Pixels& pixels, COLORREF color, int tolerance) {
    const std::uint32_t want = ToPixel(color);
    for (int y = 0; y < pixels.height; ++y) {
        int n = 0;
        for (int x = 0; x < pixels.width; ++x) n += Near(pixels.at(x, y), want, tolerance);
        if (n * 5 >= pixels.width * 4 && pixels.width > 0) return true;
    }
    return false;
}

}  // namespace link_test
