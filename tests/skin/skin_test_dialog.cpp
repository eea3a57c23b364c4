#include "skin/skin_test_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "skin/package/skin_zip_reader.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/xml/skin_xml_document.h"
#include "support/win_test_support.h"

namespace skin_test {

bool LoadInstallerSkin() {
    static const bool loaded = [] {
        FILE* f = std::fopen(TOVANE_SKIN_ZIP, "rb");
        if (!f) return false;
        std::vector<uint8_t> bytes;
        uint8_t buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
        return GetSkinResourceManager()->LoadFromMemory(bytes.data(), bytes.size(), nullptr) == 1;
    }();
    return loaded;
}

bool LoadThemeText(const std::wstring& xml) {
    CSkinXmlDocument doc;
    if (!doc.LoadText(xml)) return false;
    static const uint8_t kEmptyZip[22] = {0x50, 0x4B, 0x05, 0x06};
    std::unique_ptr<CSkinZipReader> reader = CSkinZipReader::OpenMemory(kEmptyZip, sizeof kEmptyZip, nullptr);
    return reader && GetSkinResourceManager()->LoadTheme(doc, *reader);
}

std::vector<WORD> DialogTemplate(DWORD style, DWORD exStyle, const wchar_t* title) {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* head = reinterpret_cast<DLGTEMPLATE*>(t.data());
    head->style = style | DS_SETFONT;
    head->dwExtendedStyle = exStyle;
    head->cdit = 0;
    head->cx = 100;
    head->cy = 50;
    t.push_back(0);  // menu
    t.push_back(0);  // class
    for (const wchar_t* p = title;; ++p) {
        t.push_back(static_cast<WORD>(*p));
        if (!*p) break;
    }
    t.push_back(9);
    for (const wchar_t* p = L"MS Shell Dlg";; ++p) {
        t.push_back(static_cast<WORD>(*p));
        if (!*p) break;
    }
    return t;
}

TestDialog::TestDialog(int width, int height, const std::vector<ControlSpec>& controls, DWORD style, DWORD exStyle) {
    std::vector<WORD> t = DialogTemplate(style, exStyle, L"Skin test");
    hwnd_ = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()), nullptr,
                                         &TestDialog::Proc, reinterpret_cast<LPARAM>(this));
    if (!hwnd_) return;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    for (const ControlSpec& c : controls) {
        HWND child = ::CreateWindowExW(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.rect.left, c.rect.top,
                                       c.rect.right - c.rect.left, c.rect.bottom - c.rect.top, hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), ::GetModuleHandleW(nullptr),
                                       nullptr);
        if (child) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ::SetWindowPos(hwnd_, HWND_TOP, 100, 100, width, height, SWP_SHOWWINDOW);
    ::SetForegroundWindow(hwnd_);
    ::SetActiveWindow(hwnd_);
    Pump(100);
}

TestDialog::~TestDialog() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    Pump(20);
}

int TestDialog::Seen(UINT message) const { return static_cast<int>(std::count(seen_.begin(), seen_.end(), message)); }

INT_PTR CALLBACK TestDialog::Proc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<TestDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self && self->seen_.size() < 100000) self->seen_.push_back(message);
    return FALSE;
}

std::vector<ControlSpec> InstallerControls(int clientWidth) {
    return {
        {kStatusId, L"Button", WS_TABSTOP, L"", RECT{52, 86, 52 + 399, 86 + 42}},
        {kCloseId, L"Button", WS_TABSTOP, L"", RECT{clientWidth - 40, 0, clientWidth, 23}},
        {kMinId, L"Button", WS_TABSTOP, L"", RECT{clientWidth - 77, 0, clientWidth - 40, 23}},
        {kFooterId, L"Static", SS_CENTER, L"", RECT{10, 200, clientWidth - 10, 214}},
    };
}

void Repaint(HWND window) {
    ::InvalidateRect(window, nullptr, FALSE);
    ::UpdateWindow(window);
    Pump(30);
}

void Pump(DWORD ms) {
    const DWORD start = ::GetTickCount();
    // A thread that keeps invalidating the window keeps a WM_PAINT queued:
    // draining stops a second past the deadline so the caller goes on.
    const DWORD drainLimit = ms + 1000;
    do {
        MSG msg;
        while (::GetTickCount() - start < drainLimit && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

uint32_t ScreenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

std::vector<uint32_t> ScreenPixels(const RECT& area) { return testing_support::CaptureScreenArea(area).data; }

uint32_t ClientPixel(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    return ScreenPixel(p.x, p.y);
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF);
        if (std::abs(d) > tolerance) return false;
    }
    return true;
}

void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

void MoveMouseTo(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    ::SetCursorPos(p.x, p.y);
    // A relative move of 0 makes the system send the move message now.
    SendMouse(MOUSEEVENTF_MOVE);
    Pump(50);
}

void MouseDown() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pump(50);
}

void MouseUp() {
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(50);
}

void MoveMouseAway() {
    ::SetCursorPos(5, ::GetSystemMetrics(SM_CYSCREEN) - 5);
    SendMouse(MOUSEEVENTF_MOVE);
    Pump(50);
}

uint32_t PictureColor(const std::wstring& imageId, int x, int y) {
    CSkinDrawImage* image = GetSkinResourceManager()->FindImage(imageId);
    if (!image) return 0xFFFFFFFF;
    const tovane::Picture& p = image->GetPicture();
    if (p.Empty() || x < 0 || y < 0 || x >= p.width || y >= p.height) return 0xFFFFFFFF;
    const uint8_t* px = p.Row(y) + x * 4;
    return static_cast<uint32_t>(px[2]) << 16 | static_cast<uint32_t>(px[1]) << 8 | px[0];
}

}  // namespace skin_test
