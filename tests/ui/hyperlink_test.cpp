// The hyperlink label in a dialog under Wine: caption and target, sizing to
// the text, what the screen shows normally, hovered and visited, the hand
// cursor, clicks through the dialog layer, backgrounds, and giving the
// window back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "ui/link_test_host.h"

namespace ts = testing_support;
using namespace link_test;

namespace {

const COLORREF kBlue = RGB(0, 0, 238);
const COLORREF kPurple = RGB(85, 26, 139);
const COLORREF kRed = RGB(255, 0, 0);

std::wstring Text(HWND w) { return ts::WindowText(w); }

std::wstring ToolText(const CXHyperLink& link) {
    wchar_t buffer[1024] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = link.hwnd();
    tool.uId = 1;
    tool.lpszText = buffer;
    ::SendMessageW(link.ToolTip(), TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
    return buffer;
}

// Width and height of `text` in the control's own font.
SIZE TextExtent(HWND control, const std::wstring& text) {
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return size;
}

// The control's rectangle in its dialog's client coordinates.
RECT InParent(HWND control) {
    RECT r = ScreenRect(control);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Where the template puts a control, in pixels.
RECT TemplateRect(HWND dialog, int x, int y, int w, int h) {
    RECT r{x, y, x + w, y + h};
    ::MapDialogRect(dialog, &r);
    return r;
}

class HyperlinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Nothing of an earlier test may hover over the new dialog.
        MoveMouseTo({1200, 1000});
    }
    ts::Pixels Screen(int id) {
        host.PumpPending();
        return ts::CaptureScreenArea(ScreenRect(host.Item(id)));
    }
    // Wine shows what was painted a moment later: waits until the screen
    // area shows nothing but `color`.
    bool ShowsOnly(const RECT& screen, COLORREF color) {
        const int area = (screen.right - screen.left) * (screen.bottom - screen.top);
        ts::Pixels seen;
        const bool shown = host.WaitFor(
            [&] {
                seen = ts::CaptureScreenArea(screen);
                return CountNear(seen, color, 2) == area;
            },
            500);
        if (!shown) ts::WritePng(seen, "hyperlink_background.png");
        return shown;
    }
    // Moves the mouse away and waits until the link has noticed.
    bool LeaveLink(int id) {
        MoveMouseTo({1200, 1000});
        return host.WaitFor([&] { return !host.link(id).IsHovered(); }, 500);
    }

    LinkHost host;
};

TEST_F(HyperlinkTest, TheCaptionIsTheTargetUntilSetLinkTargetReplacesIt) {
    ASSERT_TRUE(host.Open());
    TestLink& link = host.link(kCaptionLink);
    EXPECT_EQ(link.GetLinkTarget(), L"Norrim论坛");
    EXPECT_TRUE(::GetWindowLongPtrW(link.hwnd(), GWL_STYLE) & SS_NOTIFY);
    ASSERT_NE(link.ToolTip(), nullptr);
    EXPECT_EQ(ToolText(link), L"Norrim论坛");

    link.SetLinkTarget(L"http://bbs.tovane.com");
    EXPECT_EQ(link.GetLinkTarget(), L"http://bbs.tovane.com");
    EXPECT_EQ(ToolText(link), L"http://bbs.tovane.com");
    EXPECT_EQ(Text(link.hwnd()), L"Norrim论坛");
}

TEST_F(HyperlinkTest, AnEmptyCaptionShowsTheTarget) {
    host.link(kEmptyLink).SetLinkTarget(L"http://www.tovane.com");
    ASSERT_TRUE(host.Open());
    HWND w = host.Item(kEmptyLink);
    EXPECT_EQ(Text(w), L"http://www.tovane.com");
    EXPECT_EQ(InParent(w).right - InParent(w).left, TextExtent(w, L"http://www.tovane.com").cx);
}

TEST_F(HyperlinkTest, LinksFitTheirTextKeepingTheirAlignment) {
    ASSERT_TRUE(host.Open());
    HWND d = host.hwnd();
    struct Case {
        int id;
        RECT before;
    };
    const Case cases[] = {{kCaptionLink, TemplateRect(d, 168, 4, 29, 8)},
                          {kLeftLink, TemplateRect(d, 20, 44, 100, 10)},
                          {kRightLink, TemplateRect(d, 20, 64, 100, 10)},
                          {kMiddleLink, TemplateRect(d, 150, 40, 100, 24)}};
    for (const Case& c : cases) {
        HWND w = host.Item(c.id);
        const RECT now = InParent(w);
        const SIZE text = TextExtent(w, Text(w));
        // Whole text, not a pixel less: "Norrim论坛" is wider than its template.
        EXPECT_EQ(now.right - now.left, text.cx) << c.id;
        EXPECT_EQ(now.bottom - now.top, text.cy) << c.id;
        if (c.id == kLeftLink) {
            EXPECT_EQ(now.left, c.before.left);
        } else if (c.id == kRightLink) {
            EXPECT_EQ(now.right, c.before.right);
        } else {
            EXPECT_NEAR(now.left + now.right, c.before.left + c.before.right, 1) << c.id;
        }
        if (c.id == kMiddleLink) {
            EXPECT_NEAR(now.top + now.bottom, c.before.top + c.before.bottom, 1);
        } else {
            EXPECT_EQ(now.top, c.before.top) << c.id;
        }
    }
}

TEST_F(HyperlinkTest, HoverDrawsRedUnderlinedTextAndLeavingRestoresIt) {
    ASSERT_TRUE(host.Open());
    HWND w = host.Item(kCaptionLink);
    TestLink& link = host.link(kCaptionLink);
    ts::Pixels before = Screen(kCaptionLink);
    EXPECT_GT(CountNear(before, kBlue), 10);
    EXPECT_EQ(CountNear(before, kRed), 0);
    EXPECT_FALSE(HasLineOf(before, kBlue));

    MoveMouseTo(Centre(ScreenRect(w)));
    EXPECT_TRUE(host.WaitFor([&] { return link.IsHovered(); }, 500));
    ts::Pixels hovered;
    EXPECT_TRUE(host.WaitFor(
        [&] {
            hovered = Screen(kCaptionLink);
            return HasLineOf(hovered, kRed);
        },
        500))
        << "no red underline";
    EXPECT_EQ(CountNear(hovered, kBlue), 0);
    if (::testing::Test::HasFailure()) ts::WritePng(hovered, "hyperlink_hovered.png");

    ASSERT_TRUE(LeaveLink(kCaptionLink)) << "the hover timer did not notice the mouse leave";
    ts::Pixels after;
    EXPECT_TRUE(host.WaitFor(
        [&] {
            after = Screen(kCaptionLink);
            return CountNear(after, kRed) == 0 && !HasLineOf(after, kBlue) && CountNear(after, kBlue) > 10;
        },
        500));
    if (::testing::Test::HasFailure()) ts::WritePng(after, "hyperlink_left.png");
}

TEST_F(HyperlinkTest, TheToolTipShowsTheTargetWhileTheMouseRestsOnTheLink) {
    ASSERT_TRUE(host.Open());
    TestLink& link = host.link(kCaptionLink);
    link.SetLinkTarget(L"http://bbs.tovane.com");
    ASSERT_NE(link.ToolTip(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(link.ToolTip()));
    MoveMouseTo(Centre(ScreenRect(link.hwnd())));
    // The tool tip learns of the mouse only through the link's relayed
    // messages; it shows after its initial delay.
    EXPECT_TRUE(host.WaitFor([&] { return ::IsWindowVisible(link.ToolTip()) != FALSE; }, 3000));
    LeaveLink(kCaptionLink);
}

TEST_F(HyperlinkTest, TheHandCursorIsSetOverTheLink) {
    ASSERT_TRUE(host.Open());
    HWND w = host.Item(kCaptionLink);
    const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(host.link(kCaptionLink).LinkCursor(), hand);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(::SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), hand);
}

TEST_F(HyperlinkTest, AClickThatOpensShowsTheVisitedColourAndTellsTheParent) {
    TestLink& link = host.link(kCaptionLink);
    link.result = 42;
    link.SetNotifyParent(true);
    ASSERT_TRUE(host.Open());
    link.SetLinkTarget(L"http://bbs.tovane.com");

    ClickAt(Centre(ScreenRect(link.hwnd())));
    ASSERT_TRUE(host.WaitFor([&] { return !link.opened.empty(); }, 2000)) << "the click did not reach the link";
    host.WaitFor([] { return false; }, 100);
    EXPECT_EQ(link.opened, std::vector<std::wstring>{L"http://bbs.tovane.com"});
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.beeps, 0);
    EXPECT_EQ(host.clickedNotes, std::vector<WPARAM>{kCaptionLink});

    ASSERT_TRUE(LeaveLink(kCaptionLink));
    ts::Pixels visited;
    EXPECT_TRUE(host.WaitFor(
        [&] {
            visited = Screen(kCaptionLink);
            return CountNear(visited, kPurple, 30) > 10 && CountNear(visited, kBlue, 30) == 0;
        },
        500));
    if (::testing::Test::HasFailure()) ts::WritePng(visited, "hyperlink_visited.png");
}

TEST_F(HyperlinkTest, AClickThatCannotOpenBeepsAndKeepsTheLinkColour) {
    TestLink& link = host.link(kCaptionLink);
    link.result = 2;  // the shell's "file not found"
    ASSERT_TRUE(host.Open());
    ::SendMessageW(host.hwnd(), WM_COMMAND, MAKEWPARAM(kCaptionLink, STN_CLICKED),
                   reinterpret_cast<LPARAM>(link.hwnd()));
    EXPECT_EQ(link.opened.size(), 1u);
    EXPECT_EQ(link.beeps, 1);
    EXPECT_FALSE(link.IsVisited());
    ::RedrawWindow(link.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const ts::Pixels now = Screen(kCaptionLink);
    EXPECT_GT(CountNear(now, kBlue), 10);
    EXPECT_EQ(CountNear(now, kPurple, 30), 0);

    // Not opening on click counts as done, without asking the shell.
    TestLink& other = host.link(kLeftLink);
    other.SetOpenOnClick(false);
    ::SendMessageW(host.hwnd(), WM_COMMAND, MAKEWPARAM(kLeftLink, STN_CLICKED), reinterpret_cast<LPARAM>(other.hwnd()));
    EXPECT_TRUE(other.opened.empty());
    EXPECT_TRUE(other.IsVisited());
    EXPECT_EQ(other.beeps, 0);
}

TEST_F(HyperlinkTest, TheBackgroundIsTheFaceOrTheColourGiven) {
    TestLink& link = host.link(kMiddleLink);
    link.SetFitToTextEnabled(false);  // keeps room below the text
    ASSERT_TRUE(host.Open());
    HWND w = link.hwnd();
    const RECT r = ScreenRect(w);
    const RECT belowText{r.left, r.bottom - 3, r.right, r.bottom};

    // Unskinned parent: the system face, like the dialog around it.
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(ShowsOnly(belowText, ::GetSysColor(COLOR_BTNFACE)));

    link.SetBackgroundColor(RGB(0, 128, 0));
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(ShowsOnly(belowText, RGB(0, 128, 0)));
    EXPECT_GT(CountNear(Screen(kMiddleLink), kBlue), 10);

    // A brush the dialog's own handler gives a plain static reaches the
    // dialog manager as the procedure's return value.
    win::ScopedGdiObject brush(::CreateSolidBrush(RGB(0, 0, 160)));
    host.plainTextBrush = static_cast<HBRUSH>(brush.get());
    HWND plain = host.Item(kPlainText);
    ::RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const RECT p = ScreenRect(plain);
    EXPECT_TRUE(ShowsOnly({p.left, p.top, p.left + 5, p.bottom}, RGB(0, 0, 160)));  // left of the centred text
    host.plainTextBrush = nullptr;
}

TEST(HyperlinkCursor, AProgramsCursorIsCopiedWithoutRunningAnyOfItsCode) {
    const std::wstring module = ts::ToWindowsPath(CURSOR_MODULE_DLL);
    ::SetEnvironmentVariableW(L"TOVANE_CURSOR_MODULE_RAN", nullptr);
    win::ScopedOwnCursor cursor(CXHyperLink::CopyCursorFromProgram(module, 106));
    ASSERT_TRUE(cursor) << "no cursor 106 in " << ts::Narrow(module);
    EXPECT_EQ(::GetEnvironmentVariableW(L"TOVANE_CURSOR_MODULE_RAN", nullptr, 0), 0u)
        << "the module was loaded as code";
    // The copy outlives the unmapped module.
    const std::wstring name = module.substr(module.find_last_of(L'\\') + 1);
    EXPECT_EQ(::GetModuleHandleW(name.c_str()), nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(cursor.get(), &info));
    EXPECT_FALSE(info.fIcon);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);

    EXPECT_EQ(CXHyperLink::CopyCursorFromProgram(module, 107), nullptr);
    EXPECT_EQ(CXHyperLink::CopyCursorFromProgram(module + L".missing", 106), nullptr);
}

TEST_F(HyperlinkTest, LettingGoGivesTheWindowItsProcedureAndFontBack) {
    ASSERT_TRUE(host.Open());
    HWND plain = host.Item(kPlainText);
    const LONG_PTR procedure = ::GetWindowLongPtrW(plain, GWLP_WNDPROC);
    const LRESULT font = ::SendMessageW(plain, WM_GETFONT, 0, 0);
    {
        auto link = std::make_unique<CXHyperLink>();
        ASSERT_TRUE(link->Subclass(plain));
        EXPECT_FALSE(CXHyperLink().Subclass(plain)) << "a window takes one link only";
        MoveMouseTo(Centre(ScreenRect(plain)));
        host.WaitFor([&] { return link->IsHovered(); }, 500);  // now with the link's underlined font
        EXPECT_NE(::SendMessageW(plain, WM_GETFONT, 0, 0), font);
    }
    EXPECT_EQ(::GetWindowLongPtrW(plain, GWLP_WNDPROC), procedure);
    EXPECT_EQ(::SendMessageW(plain, WM_GETFONT, 0, 0), font);
    EXPECT_EQ(::GetPropW(plain, L"TovaneXHyperLink"), nullptr);
    // The timer died with the link: nothing calls into freed memory.
    host.WaitFor([] { return false; }, 300);
    EXPECT_EQ(Text(plain), L"plain text");

    // A window destroyed under a living link leaves it empty and harmless.
    TestLink& left = host.link(kLeftLink);
    ::DestroyWindow(left.hwnd());
    EXPECT_EQ(left.hwnd(), nullptr);
    EXPECT_EQ(left.ToolTip(), nullptr);
    left.SetLinkTarget(L"http://www.tovane.com");
    left.FitToText();
}

}  // namespace
