#include "skin/scroll_test_support.h"

#include <atomic>
#include <string>
#include <thread>

#include "skin/bmp_builder.h"
#include "skin/skin_test_dialog.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/zip_builder.h"
#include "support/win_test_support.h"

namespace scroll_test {
namespace {

constexpr uint32_t kSizeBox = 0x30C060, kFrameNormal = 0x205080, kFrameOver = 0xE08020, kBack = 0xC8C8C8;
constexpr uint32_t kEditText = 0x0A14C8, kEditBack = 0xF0F8E0;

std::vector<uint8_t> Bmp(int w, int h, const std::vector<bmptest::Rgb>& pixels) {
    bmptest::BmpFormat format;
    format.width = w;
    format.height = h;
    format.bitsPerPixel = 24;
    return bmptest::MakeBmp(format, pixels);
}

std::vector<uint8_t> Sheet() {
    const int W = 240, H = 48;
    std::vector<bmptest::Rgb> pixels(static_cast<size_t>(W) * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) pixels[static_cast<size_t>(y) * W + x] = CellColor(x / 16, y / 16);
    return Bmp(W, H, pixels);
}

std::vector<uint8_t> Solid(int w, int h, uint32_t color) { return Bmp(w, h, bmptest::Solid(w, h, color)); }

std::string Hex(uint32_t c) {
    return "RGB(" + std::to_string(c >> 16 & 0xFF) + "," + std::to_string(c >> 8 & 0xFF) + "," +
           std::to_string(c & 0xFF) + ")";
}

std::string ThemeXml() {
    const std::string frame =
        "<background picFile=\"scroll.back\" drawStyle=\"draw9grid\" borderWidth=\"(2,2,2,2)\" "
        "borderOffset=\"(4,4,4,4)\" border9grid=\"(4,4,4,4)\" captionHeight=\"0\" backgroundColor=\"" +
        Hex(kBack) + "\"/>";
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><theme version=\"3.0\"><image>"
           "<item id=\"scroll.sheet\" value=\"scroll\\sheet.bmp\"/>"
           "<item id=\"scroll.sizebox\" value=\"scroll\\sizebox.bmp\"/>"
           "<item id=\"scroll.frame.normal\" value=\"scroll\\frame_normal.bmp\"/>"
           "<item id=\"scroll.frame.over\" value=\"scroll\\frame_over.bmp\"/>"
           "<item id=\"scroll.back\" value=\"scroll\\back.bmp\"/>"
           "</image><constrol>"
           "<item class=\"window\" id=\"scroll.dialog\"><attribute bmpScrollbar=\"scroll.sheet\"/>" +
           frame +
           "</item>"
           "<item class=\"window\" id=\"scroll.mdi\"><attribute bmpScrollbar=\"scroll.sheet\"/>" +
           frame +
           "</item>"
           "<item class=\"edit\" id=\"scroll.edit\"><attribute bmpScrollbar=\"scroll.sheet\" "
           "bmpFrameNormal=\"scroll.frame.normal\" bmpFrameOver=\"scroll.frame.over\" textColor=\"" +
           Hex(kEditText) + "\" backgroundNormalColor=\"" + Hex(kEditBack) +
           "\"/></item>"
           "<item class=\"edit\" id=\"scroll.edit.clear\"><attribute transparent=\"true\" textColor=\"" +
           Hex(kEditText) + "\" backgroundNormalColor=\"" + Hex(kEditBack) +
           "\"/></item>"
           "<item class=\"edit\" id=\"scroll.edit.plain\"><attribute bmpScrollbar=\"scroll.sheet\" "
           "borderColor=\"RGB(0,0,255)\"/></item>"
           "<item class=\"richedit\" id=\"scroll.rich\"><attribute bmpScrollbar=\"scroll.sheet\" "
           "bmpFrameNormal=\"scroll.frame.normal\" bmpFrameOver=\"scroll.frame.over\"/></item>"
           "<item class=\"scrollbar\" id=\"scroll.bar\"><attribute bmpScrollbar=\"scroll.sheet\" "
           "imageSizebox=\"scroll.sizebox\"/></item>"
           "<item class=\"listbox\" id=\"scroll.list\"><attribute bmpScrollbar=\"scroll.sheet\" "
           "borderColor=\"RGB(0,0,255)\"/></item>"
           "</constrol></theme>";
}

}  // namespace

uint32_t CellColor(int column, int row) {
    // Distinct for every cell, far from the key and from every other colour
    // of the theme.
    return static_cast<uint32_t>(40 + column * 12) << 16 | static_cast<uint32_t>(30 + row * 70) << 8 |
           static_cast<uint32_t>(220 - column * 9);
}
uint32_t SizeBoxColor() { return kSizeBox; }
uint32_t FrameNormalColor() { return kFrameNormal; }
uint32_t FrameOverColor() { return kFrameOver; }
uint32_t BackColor() { return kBack; }
uint32_t EditTextColor() { return kEditText; }
uint32_t EditBackColor() { return kEditBack; }

bool LoadScrollTheme() {
    static const bool loaded = [] {
        std::vector<ziptest::Entry> entries = {
            {"skin.xml", ziptest::Bytes(ThemeXml())},
            {"scroll/sheet.bmp", Sheet()},
            {"scroll/sizebox.bmp", Solid(12, 12, kSizeBox)},
            {"scroll/frame_normal.bmp", Solid(12, 12, kFrameNormal)},
            {"scroll/frame_over.bmp", Solid(12, 12, kFrameOver)},
            {"scroll/back.bmp", Solid(12, 12, kBack)},
        };
        ziptest::Archive zip = ziptest::Build(entries);
        return GetSkinResourceManager()->LoadFromMemory(zip.bytes.data(), zip.bytes.size(), nullptr) == 1;
    }();
    return loaded;
}

// ----- the recording dialog -----

RecordingDialog::RecordingDialog(DWORD style, DWORD exStyle, int clientWidth, int clientHeight) {
    std::vector<WORD> t = skin_test::DialogTemplate(style, exStyle, L"Scroll test");
    hwnd_ = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()), nullptr,
                                         &RecordingDialog::Proc, reinterpret_cast<LPARAM>(this));
    if (!hwnd_) return;
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    ::SetWindowPos(hwnd_, HWND_TOP, 120, 120, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
    ::SetForegroundWindow(hwnd_);
    Pump(50);
}

RecordingDialog::~RecordingDialog() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    Pump(20);
}

int RecordingDialog::Count(int code) const {
    int n = 0;
    for (const ScrollEvent& e : events) n += e.code == code;
    return n;
}

INT_PTR CALLBACK RecordingDialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<RecordingDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self && (message == WM_HSCROLL || message == WM_VSCROLL)) {
        ScrollEvent e{message, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)};
        self->events.push_back(e);
        if (self->onScroll) self->onScroll(e);
        return TRUE;
    }
    if (self && message == WM_NCDESTROY) self->hwnd_ = nullptr;
    return FALSE;
}

// ----- mouse -----

MouseStep MoveTo(POINT screen, DWORD ms) { return MouseStep{MouseStep::Move, screen, ms}; }
MouseStep Down(DWORD ms) { return MouseStep{MouseStep::Down, POINT{}, ms}; }
MouseStep Up(DWORD ms) { return MouseStep{MouseStep::Up, POINT{}, ms}; }
MouseStep Pause(DWORD ms) { return MouseStep{MouseStep::Wait, POINT{}, ms}; }

void PlayMouse(const std::vector<MouseStep>& steps) {
    std::atomic<bool> done{false};
    std::thread player([&] {
        for (const MouseStep& s : steps) {
            switch (s.kind) {
                case MouseStep::Move:
                    ::SetCursorPos(s.at.x, s.at.y);
                    skin_test::SendMouse(MOUSEEVENTF_MOVE);  // a relative move of 0: the move message now
                    break;
                case MouseStep::Down:
                    skin_test::SendMouse(MOUSEEVENTF_LEFTDOWN);
                    break;
                case MouseStep::Up:
                    skin_test::SendMouse(MOUSEEVENTF_LEFTUP);
                    break;
                case MouseStep::Wait:
                    break;
            }
            ::Sleep(s.ms);
        }
        done = true;
    });
    while (!done) Pump(5);
    player.join();
    Pump(80);
}

// ----- screen -----

RECT BarBeside(HWND w, bool left, int width) {
    RECT window{}, client{};
    ::GetWindowRect(w, &window);
    ::GetClientRect(w, &client);
    ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int l = client.left - window.left, t = client.top - window.top;
    const int r = client.right - window.left, b = client.bottom - window.top;
    return left ? RECT{l - width, t, l, b} : RECT{r, t, r + width, b};
}

POINT ScreenOf(HWND window, int x, int y) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return POINT{r.left + x, r.top + y};
}

uint32_t WindowPixel(HWND window, int x, int y) {
    POINT p = ScreenOf(window, x, y);
    HDC screen = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

uint32_t WindowPixelOnceItIs(HWND window, int x, int y, uint32_t expected, DWORD ms) {
    const DWORD start = ::GetTickCount();
    uint32_t seen = WindowPixel(window, x, y);
    while (seen != expected && ::GetTickCount() - start < ms) {
        Pump(20);
        seen = WindowPixel(window, x, y);
    }
    return seen;
}

std::vector<uint32_t> WindowColumn(HWND window, int x, int y0, int y1) {
    POINT a = ScreenOf(window, x, y0);
    testing_support::Pixels px = testing_support::CaptureScreenArea(RECT{a.x, a.y, a.x + 1, a.y + (y1 - y0)});
    return px.data;
}

void SaveWindowPng(HWND window, const std::string& name) {
    RECT r{};
    ::GetWindowRect(window, &r);
    testing_support::WritePng(testing_support::CaptureScreenArea(r), name + ".png");
}

void Pump(DWORD ms) { skin_test::Pump(ms); }

void SetClientSize(HWND window, int w, int h) {
    RECT outer{}, client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    ::SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + w - client.right,
                   outer.bottom - outer.top + h - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace scroll_test
