// The frame skin under Wine on a dialog like the installer's: its size,
// client area and region, the children it places, what the application
// still paints, the composed background children show, and idleness.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>

#include "skin/skin_test_dialog.h"
#include "skin/spy_graphics.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_wnd_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

using namespace skin_test;

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kWidth = 509, kHeight = 253;

SIZE WindowSize(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// The client area's place inside the window.
RECT ClientInWindow(HWND w) {
    RECT window{}, client{};
    ::GetWindowRect(w, &window);
    ::GetClientRect(w, &client);
    ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return RECT{client.left - window.left, client.top - window.top, client.right - window.left,
                client.bottom - window.top};
}

// Adds theme items the installer's theme lacks: a frame that leaves its
// client background to the application, and the class default of frames.
void LoadExtraTheme() {
    static bool loaded = LoadThemeText(
        L"<theme><constrol><item class=\"window\" id=\"test.nodraw\">"
        L"<background picFile=\"standard.Prompt.Background\" drawStyle=\"nodraw\" "
        L"backgroundColor=\"RGB(10,20,30)\" borderWidth=\"(2,2,2,2)\" borderOffset=\"(15,15,15,15)\"/>"
        L"</item><item class=\"window\" id=\"test.edgecut\">"
        L"<background picFile=\"standard.Prompt.Background\" drawStyle=\"draw9grid\" frameStyle=\"framebitmaprgn\" "
        L"captionHeight=\"0\" borderWidth=\"(2,2,2,2)\" borderOffset=\"(15,15,15,15)\" border9grid=\"(15,15,15,15)\"/>"
        L"</item><item class=\"window\" id=\"window\">"
        L"<background picFile=\"standard.Prompt.Background\" drawStyle=\"draw9grid\" "
        L"borderWidth=\"(2,2,2,2)\" borderOffset=\"(15,15,15,15)\" border9grid=\"(15,15,15,15)\"/>"
        L"</item></constrol></theme>");
    (void)loaded;
}

class SkinFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadInstallerSkin());
        MoveMouseAway();
        dialog_ = std::make_unique<TestDialog>(kWidth, kHeight, InstallerControls(kWidth - 6), kDialogStyle);
        ASSERT_TRUE(dialog_->hwnd());
    }
    void TearDown() override { dialog_.reset(); }

    // Skins the dialog and its controls as the main window does.
    void SkinLikeTheInstaller() {
        ASSERT_EQ(SetWindowSkin(dialog_->hwnd(), L"PromptDialog"), 1);
        ASSERT_EQ(SetWindowSkin(dialog_->Item(kStatusId), L"standard.buttton"), 1);
        ASSERT_EQ(SetWindowSkin(dialog_->Item(kCloseId), L"sysbtn.close"), 1);
        ASSERT_EQ(SetWindowSkin(dialog_->Item(kMinId), L"sysbtn.min"), 1);
        ASSERT_EQ(SetWindowSkin(dialog_->Item(kFooterId), L"standard.static.normal"), 1);
        SetSkinProperty(dialog_->Item(kStatusId), L"text", L"请连接你的苹果设备", 1);
        Pump(300);
    }

    std::unique_ptr<TestDialog> dialog_;
};

TEST_F(SkinFrame, TheDialogTakesTheSkinsFrameOnceAndKeepsIt) {
    HWND w = dialog_->hwnd();
    SkinLikeTheInstaller();
    // Wine's 3-pixel dialog frame gives way to the skin's 2 pixels on each
    // side, and its 19-pixel caption to none.
    SIZE size = WindowSize(w);
    EXPECT_EQ(size.cx, 507);
    EXPECT_EQ(size.cy, 234);
    RECT client = ClientInWindow(w);
    EXPECT_EQ(client.left, 2);
    EXPECT_EQ(client.top, 2);
    EXPECT_EQ(size.cx - client.right, 2);
    EXPECT_EQ(size.cy - client.bottom, 2);

    // Minimise and restore, and repaint the frame: no second shrink.
    ::ShowWindow(w, SW_MINIMIZE);
    Pump(200);
    ::ShowWindow(w, SW_RESTORE);
    Pump(200);
    ::RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(100);
    SIZE after = WindowSize(w);
    EXPECT_EQ(after.cx, size.cx);
    EXPECT_EQ(after.cy, size.cy);
}

// The first adjustment of captioned frames of other styles: the system's
// border and caption for the whole style (caption included) give way to
// the skin's 2-pixel border and zero caption. The sizes are Wine's at 96
// DPI: a dialog frame of 3 pixels (with or without DS_MODALFRAME), a thick
// frame of 4, a caption of 19 and a tool-window caption of 16 pixels.
TEST_F(SkinFrame, CaptionedFramesOfEveryStyleTakeTheSkinsBorderOnce) {
    struct Case {
        const char* name;
        DWORD style, exStyle;
        int width, height;  // what the window has after the adjustment
    } cases[] = {
        {"dialog frame", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 507, 234},
        {"modal frame", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 507, 234},
        {"thick frame", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 505, 234},
        {"tool window", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, 507, 237},
    };
    dialog_.reset();
    for (const Case& c : cases) {
        TestDialog dialog(kWidth, kHeight, {}, c.style, c.exStyle);
        HWND w = dialog.hwnd();
        ASSERT_NE(w, nullptr) << c.name;
        ASSERT_EQ(SetWindowSkin(w, L"PromptDialog"), 1) << c.name;
        Pump(200);
        SIZE size = WindowSize(w);
        EXPECT_EQ(size.cx, c.width) << c.name;
        EXPECT_EQ(size.cy, c.height) << c.name;
        RECT client = ClientInWindow(w);
        EXPECT_EQ(client.left, 2) << c.name;
        EXPECT_EQ(size.cx - client.right, 2) << c.name;
    }
}

TEST_F(SkinFrame, TheRegionCutsTheMagentaCornersOnly) {
    SkinLikeTheInstaller();
    HWND w = dialog_->hwnd();
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(w, region), ERROR);
    SIZE size = WindowSize(w);
    // The picture's corner pixel is magenta; the middle of each edge is not.
    EXPECT_FALSE(::PtInRegion(region, 0, 0));
    EXPECT_FALSE(::PtInRegion(region, size.cx - 1, 0));
    EXPECT_FALSE(::PtInRegion(region, 0, size.cy - 1));
    EXPECT_FALSE(::PtInRegion(region, size.cx - 1, size.cy - 1));
    EXPECT_TRUE(::PtInRegion(region, size.cx / 2, 0));
    EXPECT_TRUE(::PtInRegion(region, 0, size.cy / 2));
    EXPECT_TRUE(::PtInRegion(region, size.cx / 2, size.cy - 1));
    EXPECT_TRUE(::PtInRegion(region, 5, 5));
    ::DeleteObject(region);
    // No magenta reaches the screen anywhere in the window.
    RECT r{};
    ::GetWindowRect(w, &r);
    std::vector<uint32_t> pixels = ScreenPixels(r);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0xFF00FFu), 0);
}

TEST_F(SkinFrame, AnEdgeCutFrameCutsTheKeyPixelsOfItsBorders) {
    // The region comes from the frame's bands as drawn: the picture's
    // magenta corner pixels in the two-pixel border are cut, the edges stay.
    LoadExtraTheme();
    HWND w = dialog_->hwnd();
    ASSERT_EQ(SetWindowSkin(w, L"test.edgecut"), 1);
    Pump(300);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(w, region), ERROR);
    SIZE size = WindowSize(w);
    for (POINT corner : {POINT{0, 0}, POINT{size.cx - 1, 0}, POINT{0, size.cy - 1}, POINT{size.cx - 1, size.cy - 1}})
        EXPECT_FALSE(::PtInRegion(region, corner.x, corner.y)) << corner.x << "," << corner.y;
    EXPECT_TRUE(::PtInRegion(region, size.cx / 2, 0));
    EXPECT_TRUE(::PtInRegion(region, 0, size.cy / 2));
    EXPECT_TRUE(::PtInRegion(region, size.cx - 1, size.cy / 2));
    EXPECT_TRUE(::PtInRegion(region, size.cx / 2, size.cy - 1));
    EXPECT_TRUE(::PtInRegion(region, size.cx / 2, size.cy / 2));
    ::DeleteObject(region);
    RECT r{};
    ::GetWindowRect(w, &r);
    std::vector<uint32_t> pixels = ScreenPixels(r);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0xFF00FFu), 0) << "no magenta reaches the screen";
}

TEST_F(SkinFrame, CaptionButtonsFollowTheRightEdge) {
    SkinLikeTheInstaller();
    HWND w = dialog_->hwnd();
    auto leftFromRight = [&](int id) {
        RECT client{}, button{};
        ::GetClientRect(w, &client);
        ::GetWindowRect(dialog_->Item(id), &button);
        ::MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&button), 2);
        return std::pair<int, RECT>{client.right - button.left, button};
    };
    auto close = leftFromRight(kCloseId), min = leftFromRight(kMinId);
    EXPECT_EQ(close.first, 40);
    EXPECT_EQ(min.first, 77);
    EXPECT_EQ(close.second.top, 0);
    EXPECT_EQ(close.second.right - close.second.left, 40);
    EXPECT_EQ(close.second.bottom - close.second.top, 23);
    EXPECT_EQ(min.second.right - min.second.left, 37);
    // Wider by 100: both keep their distance from the right edge.
    SIZE size = WindowSize(w);
    ::SetWindowPos(w, nullptr, 0, 0, size.cx + 100, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    Pump(100);
    EXPECT_EQ(leftFromRight(kCloseId).first, 40);
    EXPECT_EQ(leftFromRight(kMinId).first, 77);
    EXPECT_EQ(WindowSize(w).cx, size.cx + 100);  // a later size is the application's
}

TEST_F(SkinFrame, AChildMovedToAnotherParentLeavesTheLayout) {
    SkinLikeTheInstaller();
    HWND w = dialog_->hwnd(), close = dialog_->Item(kCloseId);
    auto* frame = static_cast<CSkinWndSB*>(GetSkinWndManager()->Find(w));
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(std::count(frame->LayoutList().begin(), frame->LayoutList().end(), close), 1);
    HWND other =
        ::CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
    ::SetParent(close, other);
    ::MoveWindow(close, 10, 10, 40, 23, FALSE);
    SIZE size = WindowSize(w);
    ::SetWindowPos(w, nullptr, 0, 0, size.cx + 50, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    Pump(100);
    // The frame no longer places it, and forgets it.
    RECT r{};
    ::GetWindowRect(close, &r);
    ::MapWindowPoints(nullptr, other, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(std::count(frame->LayoutList().begin(), frame->LayoutList().end(), close), 0);
    ::DestroyWindow(other);  // the button goes with it, detached
    EXPECT_FALSE(GetSkinWndManager()->IsAttached(close));
}

TEST_F(SkinFrame, ChildrenShowThePictureNeverTheFillColour) {
    HWND w = dialog_->hwnd();
    ASSERT_EQ(SetWindowSkin(w, L"PromptDialog"), 1);
    // The status button paints before the frame has painted its client.
    ASSERT_EQ(SetWindowSkin(dialog_->Item(kStatusId), L"standard.buttton"), 1);
    ::UpdateWindow(dialog_->Item(kStatusId));
    ASSERT_EQ(SetWindowSkin(dialog_->Item(kFooterId), L"standard.static.normal"), 1);
    Pump(300);
    // The face's rounded corner shows what is behind the button.
    uint32_t corner = ClientPixel(dialog_->Item(kStatusId), 0, 0);
    EXPECT_FALSE(Near(corner, 0xFF00FF, 40)) << std::hex << corner;
    // The footer shows the background picture: rows of it are one colour,
    // so the footer's pixels equal the dialog's beside it.
    RECT footer{};
    ::GetWindowRect(dialog_->Item(kFooterId), &footer);
    ::MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&footer), 2);
    int y = (footer.top + footer.bottom) / 2;
    uint32_t beside = ClientPixel(w, footer.left - 3, y);
    uint32_t inside = ClientPixel(w, footer.left + 2, y);
    EXPECT_TRUE(Near(inside, beside, 2)) << std::hex << inside << " " << beside;
    EXPECT_FALSE(Near(inside, Rgb(::GetSysColor(COLOR_BTNFACE)), 2));
}

TEST_F(SkinFrame, TheApplicationHearsOfTheSkinsPaintingButDoesNotPaint) {
    SkinLikeTheInstaller();
    HWND w = dialog_->hwnd();
    int composed = dialog_->Seen(WM_SKIN_BKDRAWN), framed = dialog_->Seen(WM_SKIN_NCPAINTED);
    int erased = dialog_->Seen(WM_ERASEBKGND), painted = dialog_->Seen(WM_PAINT);
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    Pump(100);
    EXPECT_GT(dialog_->Seen(WM_SKIN_BKDRAWN), composed);
    EXPECT_GT(dialog_->Seen(WM_SKIN_NCPAINTED), framed);
    EXPECT_EQ(dialog_->Seen(WM_ERASEBKGND), erased);
    EXPECT_EQ(dialog_->Seen(WM_PAINT), painted);
}

TEST_F(SkinFrame, NoDrawLeavesTheClientToTheApplication) {
    LoadExtraTheme();
    HWND w = dialog_->hwnd();
    ASSERT_EQ(SetWindowSkin(w, L"test.nodraw"), 1);
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(100);
    EXPECT_GT(dialog_->Seen(WM_ERASEBKGND), 0);
    // The dialog's colour message answers with the skin's brush.
    auto* frame = static_cast<CSkinWndSB*>(GetSkinWndManager()->Find(w));
    ASSERT_NE(frame, nullptr);
    HDC dc = ::GetDC(w);
    LRESULT brush = ::SendMessageW(w, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w));
    ::ReleaseDC(w, dc);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), frame->FrameBackgroundBrush());
    EXPECT_NE(frame->FrameBackgroundBrush(), nullptr);
}

TEST_F(SkinFrame, CaptionedWindowsOfOtherClassesGetTheDefaultFrame) {
    LoadExtraTheme();
    WNDCLASSW cls{};
    cls.lpfnWndProc = ::DefWindowProcW;
    cls.hInstance = ::GetModuleHandleW(nullptr);
    cls.lpszClassName = L"SkinTestMainWindow";
    ::RegisterClassW(&cls);
    HWND w = ::CreateWindowExW(0, L"SkinTestMainWindow", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150, 300, 200,
                               nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(w, nullptr);
    // Whatever id is asked for, the class default applies.
    EXPECT_EQ(SetWindowSkin(w, L"PromptDialog"), 1);
    CSkinBase* skin = GetSkinWndManager()->Find(w);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->AttachedKind(), SkinWindowKind::Frame);
    EXPECT_EQ(skin->SkinId(), L"");
    Pump(200);
    RECT client = ClientInWindow(w);
    EXPECT_EQ(client.left, 2);
    EXPECT_EQ(client.top, 2);
    ::DestroyWindow(w);
    EXPECT_FALSE(GetSkinWndManager()->IsAttached(w));
}

TEST_F(SkinFrame, AMenuGetsARowOfItsOwn) {
    SpyGraphics spy;
    HWND w = dialog_->hwnd();
    HMENU bar = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, 100, L"退出");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件");
    ::AppendMenuW(bar, MF_STRING, 200, L"帮助");
    ::SetMenu(w, bar);
    Pump(50);
    ASSERT_EQ(SetWindowSkin(w, L"PromptDialog"), 1);
    Pump(300);
    EXPECT_EQ(ClientInWindow(w).top, 2 + ::GetSystemMetrics(SM_CYMENU));
    // The row shows the items; where they were drawn is where they are.
    spy.Clear();
    ::RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(50);
    RECT window{};
    ::GetWindowRect(w, &window);
    auto itemCentre = [&](const wchar_t* text) {
        for (const SpyGraphics::Text& t : spy.Texts())
            if (t.text == text)
                return POINT{window.left + (t.rect.left + t.rect.right) / 2,
                             window.top + (t.rect.top + t.rect.bottom) / 2};
        return POINT{-1, -1};
    };
    POINT fileItem = itemCentre(L"文件"), helpItem = itemCentre(L"帮助");
    ASSERT_GE(fileItem.x, 0) << "the menu bar was not drawn";
    ASSERT_GE(helpItem.x, 0);
    EXPECT_GT(helpItem.x, fileItem.x);

    // A press and release on a plain item gives its command.
    int commands = dialog_->Seen(WM_COMMAND);
    ::SetCursorPos(helpItem.x, helpItem.y);
    Pump(50);
    MouseDown();
    MouseUp();
    Pump(100);
    EXPECT_GT(dialog_->Seen(WM_COMMAND), commands);

    // The drop-down of an item with one opens under it; Escape closes it.
    std::thread escape([] {
        ::Sleep(500);
        INPUT key[2] = {};
        key[0].type = key[1].type = INPUT_KEYBOARD;
        key[0].ki.wVk = key[1].ki.wVk = VK_ESCAPE;
        key[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, key, sizeof(INPUT));
    });
    ::SetCursorPos(fileItem.x, fileItem.y);
    Pump(50);
    MouseDown();
    MouseUp();
    Pump(300);
    escape.join();
    EXPECT_GT(dialog_->Seen(WM_INITMENUPOPUP), 0);
    ::SetMenu(w, nullptr);
    ::DestroyMenu(bar);
}

TEST_F(SkinFrame, ASettledWindowIsIdle) {
    SkinLikeTheInstaller();
    MoveMouseAway();
    Pump(1500);  // the polled mouse leave and any first repaints
    static int events = 0;
    static HWND root = nullptr;
    events = 0;
    root = dialog_->hwnd();
    HHOOK hook = ::SetWindowsHookExW(
        WH_GETMESSAGE,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            auto* msg = reinterpret_cast<MSG*>(lParam);
            if (code >= 0 && wParam == PM_REMOVE && msg && (msg->hwnd == root || ::IsChild(root, msg->hwnd)) &&
                (msg->message == WM_PAINT || msg->message == WM_NCPAINT || msg->message == WM_TIMER))
                ++events;
            return ::CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    Pump(2000);
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(events, 0);
}

TEST_F(SkinFrame, DraggingByTheClientMovesTheWindow) {
    SkinLikeTheInstaller();
    HWND w = dialog_->hwnd();
    RECT before{};
    ::GetWindowRect(w, &before);
    // What the main window does for a press near its top.
    POINT press{200, 30};
    ::ClientToScreen(w, &press);
    ::SetCursorPos(press.x, press.y);
    Pump(50);
    // The system's move loop runs inside the message pump: the mouse is
    // moved and released from another thread meanwhile.
    std::thread mouse([&] {
        auto send = [](DWORD flags) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = flags;
            ::SendInput(1, &input, sizeof input);
        };
        send(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(200);
        ::SetCursorPos(press.x + 30, press.y + 20);
        send(MOUSEEVENTF_MOVE);
        ::Sleep(200);
        send(MOUSEEVENTF_LEFTUP);
    });
    ::PostMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(press.x, press.y));
    Pump(800);
    mouse.join();
    Pump(100);
    RECT after{};
    ::GetWindowRect(w, &after);
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);
}

}  // namespace
