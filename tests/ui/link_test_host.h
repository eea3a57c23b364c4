// A dialog of link statics (template 200 of link_test_dialog.rc) through the
// installer's own dialog layer, with links that count their beeps and can
// stand in for the shell, plus mouse and screen helpers for the link tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/framework/dialog_win32.h"
#include "support/win_test_support.h"
#include "ui/x_hyperlink_win32.h"

namespace link_test {

constexpr int kTemplate = 200;
constexpr int kCaptionLink = 101;  // "Norrim论坛", centred, like the main window's
constexpr int kEmptyLink = 102;    // no caption
constexpr int kLeftLink = 103;
constexpr int kRightLink = 104;
constexpr int kMiddleLink = 105;  // centred both ways
constexpr int kPlainText = 106;   // stays a plain static

class TestLink : public CXHyperLink {
public:
    int beeps = 0;
    std::vector<std::wstring> opened;
    // When set, a click "opens" with this result instead of the shell.
    std::optional<INT_PTR> result;

protected:
    void OnOpenFailed() override { ++beeps; }
    INT_PTR Open(const std::wstring& target, bool newWindow) override {
        opened.push_back(target);
        return result ? *result : CXHyperLink::Open(target, newWindow);
    }
};

class LinkHost : public win::Dialog {
public:
    LinkHost();
    // Creates and shows the dialog; links are subclassed during its set-up.
    bool Open();
    TestLink& link(int id) { return links_[id]; }
    // WM_XHYPERLINK_CLICKED messages the dialog received (wParam).
    std::vector<WPARAM> clickedNotes;
    // When set, the dialog's own handler colours the plain static with it.
    HBRUSH plainTextBrush = nullptr;
    // Pumps messages until `done` holds or `milliseconds` pass.
    bool WaitFor(const std::function<bool()>& done, DWORD milliseconds);

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::map<int, TestLink> links_;
};

RECT ScreenRect(HWND window);
POINT Centre(const RECT& r);
// Moves the mouse with real input, so the window below gets WM_MOUSEMOVE.
void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);

// 0x00BBGGRR to the 0x00RRGGBB of captured pixels.
std::uint32_t ToPixel(COLORREF color);
// Pixels of the area within `tolerance` of `color` in every channel.
int CountNear(const testing_support::Pixels& pixels, COLORREF color, int tolerance = 48);
// True when some row has `color` over at least 80 % of the width: the
// underline (glyph rows never fill that much).
bool HasLineOf(const testing_support::Pixels& pixels, COLORREF color, int tolerance = 48);

}  // namespace link_test
