// What the replacements do for attached windows (a test object in place of
// the window manager's skins), and that every other window is left to the
// system without a single question to the engine.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "hooks/hook_test_host.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"

namespace {

// A host that counts every question the hooks ask it.
class CountingHost : public TestHookHost {
public:
    std::atomic<int> questions{0};
    bool GetProcedures(HWND w, void* s, WNDPROC* u, WNDPROC* c) noexcept override {
        ++questions;
        return TestHookHost::GetProcedures(w, s, u, c);
    }
    bool OwnsWindowRegion(HWND w, void* s) noexcept override {
        ++questions;
        return TestHookHost::OwnsWindowRegion(w, s);
    }
    bool VisitScrollBars(HWND w, void* s, ISkinScrollBarsVisit& v) noexcept override {
        ++questions;
        return TestHookHost::VisitScrollBars(w, s, v);
    }
    SkinPaintRedirect* PaintRedirect(HWND w, void* s) noexcept override {
        ++questions;
        return TestHookHost::PaintRedirect(w, s);
    }
    SkinDcRedirect* DcRedirect(HWND w, void* s) noexcept override {
        ++questions;
        return TestHookHost::DcRedirect(w, s);
    }
};

class HookBehaviour : public ::testing::Test {
protected:
    CountingHost host_;
    CSkinDetours detours_{&host_};
};

std::atomic<int> g_base{0}, g_app{0};
LRESULT CALLBACK BaseProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_USER + 7) ++g_base;
    return DefWindowProcW(w, m, wp, lp);
}
WNDPROC g_appPrevious = nullptr;
LRESULT CALLBACK AppProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_USER + 7) ++g_app;
    return CallWindowProcW(g_appPrevious, w, m, wp, lp);
}

TEST_F(HookBehaviour, SubclassingASkinnedWindowGoesUnderTheSkin) {
    ASSERT_EQ(detours_.InstalledCount(), 20);
    HWND window = CreateTestWindow(&BaseProcedure);
    TestSkin skin;
    AttachTestSkin(window, &skin);
    // The application gets the procedure that was under the skin...
    g_appPrevious =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AppProcedure)));
    EXPECT_EQ(g_appPrevious, &BaseProcedure);
    // ...reads its own procedure back, while the skin stays on top...
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&AppProcedure));
    EXPECT_EQ(skin_unhooked::GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TestSkinProcedure));
    EXPECT_EQ(skin.under, &AppProcedure);
    // ...and its procedure runs for every message the skin passes on.
    g_base = g_app = 0;
    const int before = skin.messages;
    for (int i = 0; i < 5; ++i) SendMessageW(window, WM_USER + 7, 0, 0);
    EXPECT_EQ(skin.messages - before, 5);
    EXPECT_EQ(g_app.load(), 5);
    EXPECT_EQ(g_base.load(), 5);
    // Other indices are the system's.
    SetWindowLongPtrW(window, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 1234);
    DetachTestSkin(window, &skin);
    DestroyWindow(window);
}

TEST_F(HookBehaviour, SkinnedFrameKeepsItsRegionAndTheCallersRegionIsFreed) {
    HWND frame = CreateTestWindow(&BaseProcedure);
    TestSkin skin;
    skin.ownsRegion = true;
    AttachTestSkin(frame, &skin, false);
    ASSERT_EQ(skin_unhooked::SetWindowRgn(frame, CreateRectRgn(0, 0, 50, 40), FALSE), 1);
    HRGN callers = CreateRectRgn(0, 0, 5, 5);
    EXPECT_EQ(SetWindowRgn(frame, callers, TRUE), 1);
    EXPECT_EQ(GetObjectType(callers), 0u) << "the caller's region leaked";
    HRGN now = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    ASSERT_NE(GetWindowRgn(frame, now), ERROR);
    GetRgnBox(now, &box);
    EXPECT_EQ(box.right, 50);
    EXPECT_EQ(box.bottom, 40);
    EXPECT_EQ(SetWindowRgn(frame, nullptr, FALSE), 1);  // no region to free
    EXPECT_NE(GetWindowRgn(frame, now), ERROR);
    DeleteObject(now);
    DetachTestSkin(frame, &skin);
    DestroyWindow(frame);
}

TEST_F(HookBehaviour, ScrollerAnswersFromItsCopyOfTheBars) {
    HWND window = CreateTestWindow(&BaseProcedure, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SCROLLINFO system{sizeof system, SIF_ALL, 0, 30, 0, 3, 0};
    skin_unhooked::SetScrollInfo(window, SB_VERT, &system, FALSE);
    SkinScrollBars bars;
    TestSkin skin;
    skin.bars = &bars;
    AttachTestSkin(window, &skin, false);

    SCROLLINFO info{sizeof info, SIF_ALL, 0, 9, 50, 4, 0};
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, TRUE), 0);  // page 10 on 0..9: position 0
    EXPECT_EQ(bars.bar[1].page, 10u);
    SCROLLINFO read{sizeof read, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &read));
    EXPECT_EQ(read.nPage, 10u);
    EXPECT_EQ(read.nMax, 9);
    EXPECT_GE(skin.redraws.load(), 1);
    // The system's bar is untouched, and reachable through the unhooked entries
    // even where user32 reads it through another hooked function.
    SCROLLINFO real{sizeof real, SIF_ALL, 0, 0, 0, 0, 0};
    skin_unhooked::GetScrollInfo(window, SB_VERT, &real);
    EXPECT_EQ(real.nMax, 30);
    EXPECT_EQ(skin_unhooked::GetScrollPos(window, SB_VERT), 3);

    // A page of 0: the position reaches the maximum and stops there.
    info = {sizeof info, SIF_ALL, 0, 100, 0, 0, 0};
    SetScrollInfo(window, SB_VERT, &info, FALSE);
    EXPECT_EQ(SetScrollPos(window, SB_VERT, 150, FALSE), 0);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 100);
    // A new range is shown on the system's bar, and brings the position in.
    EXPECT_TRUE(SetScrollRange(window, SB_VERT, 0, 60, FALSE));
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 60);
    int low = -1, high = -1;
    EXPECT_TRUE(GetScrollRange(window, SB_VERT, &low, &high));
    EXPECT_EQ(high, 60);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(SetScrollRange(window, SB_VERT, 5, 5, FALSE));
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);

    // The same copy answers on any thread.
    SetScrollRange(window, SB_VERT, 0, 60, FALSE);
    SetScrollPos(window, SB_VERT, 17, FALSE);
    int fromWorker = -1;
    std::thread([&] { fromWorker = GetScrollPos(window, SB_VERT); }).join();
    EXPECT_EQ(fromWorker, 17);

    // Bad arguments give 0, and a short structure gets no track position.
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, nullptr, FALSE), 0);
    EXPECT_FALSE(GetScrollInfo(window, SB_VERT, nullptr));
    EXPECT_FALSE(GetScrollRange(window, SB_VERT, nullptr, &high));
    SCROLLINFO wrong{sizeof wrong + 8, SIF_ALL, 0, 0, 0, 0, 0};
    EXPECT_FALSE(GetScrollInfo(window, SB_VERT, &wrong));
    struct {
        SCROLLINFO info;
    } shortInfo{};
    shortInfo.info.cbSize = sizeof(SCROLLINFO) - sizeof(int);
    shortInfo.info.fMask = SIF_ALL;
    shortInfo.info.nTrackPos = -99;
    EXPECT_TRUE(GetScrollInfo(window, SB_VERT, &shortInfo.info));
    EXPECT_EQ(shortInfo.info.nTrackPos, -99);
    EXPECT_EQ(GetScrollPos(window, SB_CTL), 17);  // the vertical bar is shown
    EXPECT_EQ(GetScrollPos(window, 7), 0);
    DetachTestSkin(window, &skin);
    DestroyWindow(window);
}

TEST_F(HookBehaviour, ComboDropDownShowsAndHidesWithoutTheSlide) {
    HWND dialog = CreateTestWindow(&BaseProcedure, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300);
    HWND combo = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 120, 200,
                                 dialog, nullptr, nullptr, nullptr);
    ASSERT_TRUE(combo) << GetLastError();
    for (int i = 0; i < 5; ++i) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    TestSkin skin;
    AttachTestSkin(info.hwndList, &skin, false);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(IsWindowVisible(info.hwndList));
    const DWORD start = GetTickCount();
    EXPECT_TRUE(AnimateWindow(info.hwndList, 400, AW_HIDE | AW_SLIDE | AW_VER_NEGATIVE));
    EXPECT_FALSE(IsWindowVisible(info.hwndList));
    EXPECT_TRUE(AnimateWindow(info.hwndList, 400, AW_SLIDE | AW_VER_POSITIVE));
    EXPECT_TRUE(IsWindowVisible(info.hwndList));
    EXPECT_TRUE(AnimateWindow(info.hwndList, 400, AW_SLIDE | AW_VER_POSITIVE));  // shown again: still 1
    EXPECT_LT(GetTickCount() - start, 400u) << "the drop-down slid";
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(info.hwndList));
    DetachTestSkin(info.hwndList, &skin);
    // Other windows get the system's AnimateWindow, which refuses to show a shown window.
    HWND plain = CreateTestWindow(&BaseProcedure, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TestSkin plainSkin;
    AttachTestSkin(plain, &plainSkin, false);
    EXPECT_FALSE(AnimateWindow(plain, 10, AW_BLEND));
    DetachTestSkin(plain, &plainSkin);
    DestroyWindow(plain);
    DestroyWindow(dialog);
}

LRESULT CALLBACK PaintingProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        EndPaint(w, &ps);
        return dc ? 0 : 1;
    }
    return DefWindowProcW(w, m, wp, lp);
}

TEST_F(HookBehaviour, UnskinnedWindowsAreLeftToTheSystem) {
    // Attached windows elsewhere in the process change nothing for this one.
    HWND other = CreateTestWindow(&BaseProcedure);
    TestSkin otherSkin;
    AttachTestSkin(other, &otherSkin, false);
    HWND window = CreateTestWindow(&PaintingProcedure, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL);
    host_.questions = 0;

    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&PaintingProcedure));
    EXPECT_EQ(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintingProcedure)),
              reinterpret_cast<LONG_PTR>(&PaintingProcedure));
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 9, 50, 4, 0};
    SetScrollInfo(window, SB_VERT, &info, FALSE);
    SCROLLINFO read{sizeof read, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window, SB_VERT, &read);
    EXPECT_EQ(read.nPage, 10u);  // the system clamps as well
    EXPECT_EQ(SetScrollPos(window, SB_VERT, 3, FALSE), 0);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 0);  // the system's rule: nothing to scroll
    EXPECT_EQ(SetWindowRgn(window, CreateRectRgn(0, 0, 30, 30), FALSE), 1);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(window, region), ERROR);
    DeleteObject(region);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    HDC dc = GetDC(window);
    EXPECT_EQ(WindowFromDC(dc), window);
    ReleaseDC(window, dc);
    EXPECT_EQ(host_.questions.load(), 0) << "the hooks asked the engine about a window it does not skin";

    DetachTestSkin(other, &otherSkin);
    DestroyWindow(other);
    DestroyWindow(window);
}

// Paints the whole client area in the face colour (the key colour unless a
// test says otherwise), a square in its middle, and a strip one step off
// the key, as a control does on its plain background.
const COLORREF kKey = RGB(0, 255, 0);
const COLORREF kNearKey = RGB(0, 254, 0);
COLORREF g_face = kKey;
COLORREF g_middle = RGB(0, 0, 0);
HWND g_windowOfPaintDc = nullptr;
HDC g_paintDc = nullptr;
long g_liveWhilePainting = 0;
void Fill(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}
void PaintControlFace(HDC dc, const RECT& client) {
    Fill(dc, client, g_face);
    Fill(dc, RECT{20, 20, 60, 60}, g_middle);
    Fill(dc, RECT{62, 10, 72, 16}, kNearKey);
}
LRESULT CALLBACK ControlProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_ERASEBKGND) return 1;
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        g_paintDc = dc;
        g_windowOfPaintDc = WindowFromDC(dc);
        g_liveWhilePainting = SkinGraphics().LiveObjects();
        RECT client;
        GetClientRect(w, &client);
        PaintControlFace(dc, client);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

COLORREF ScreenPixel(HWND window, int x, int y) {
    // Wine puts window surfaces on the screen a moment later.
    GdiFlush();
    for (int i = 0; i < 10; ++i) {
        PumpMessages();
        Sleep(20);
    }
    POINT p{x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

TEST_F(HookBehaviour, RedirectedPaintIsComposedOverTheSkinnedBackground) {
    HWND frame = CreateTestWindow(&BaseProcedure, nullptr, WS_POPUP | WS_VISIBLE, 200, 200);
    HWND control = CreateTestWindow(&ControlProcedure, frame, WS_CHILD | WS_VISIBLE, 80, 80);
    SetWindowPos(frame, HWND_TOPMOST, 100, 100, 200, 200, SWP_SHOWWINDOW);
    host_.frame = frame;
    host_.frameBrush = CreateSolidBrush(RGB(255, 0, 0));
    SkinPaintRedirect record;
    record.Activate(SkinPaintMode::Compose, RECT{}, frame, kKey);
    TestSkin skin;
    skin.paint = &record;
    AttachTestSkin(control, &skin, false);

    InvalidateRect(control, nullptr, FALSE);
    UpdateWindow(control);
    GdiFlush();
    // The control painted off-screen into a context the engine registered.
    EXPECT_EQ(g_windowOfPaintDc, control);
    EXPECT_EQ(SkinMemoryDcWindow(g_paintDc), nullptr) << "the memory context outlived the paint";
    EXPECT_TRUE(record.handedOut.empty());
    // Counted from here: the first draw may have left the layer's source
    // DCs in their pool, which stay for the process.
    const long live = SkinGraphics().LiveObjects();
    // Its background colour was left out, the skin's shows instead; a colour
    // one step off the key is the control's own and stays.
    EXPECT_EQ(ScreenPixel(control, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(control, 40, 40), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(control, 66, 12), kNearKey);

    // A paint of part of the client area takes the same part of the picture.
    g_middle = RGB(0, 0, 255);
    RECT part{30, 30, 80, 80};
    InvalidateRect(control, &part, FALSE);
    UpdateWindow(control);
    g_middle = RGB(0, 0, 0);
    // Its buffers came from the graphics layer and went back to it.
    EXPECT_GT(g_liveWhilePainting, live) << "the paint buffer did not come from the graphics layer";
    EXPECT_EQ(SkinGraphics().LiveObjects(), live) << "the redirected paint leaked graphics objects";
    EXPECT_EQ(ScreenPixel(control, 35, 35), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(control, 25, 25), RGB(0, 0, 0)) << "painted outside the paint rectangle";
    EXPECT_EQ(ScreenPixel(control, 70, 70), RGB(255, 0, 0));

    // Device contexts from GetDC compose over gray when released.
    SkinDcRedirect dcRecord;
    dcRecord.Activate(SkinPaintMode::Compose, kKey, false);
    record.Deactivate();
    skin.dc = &dcRecord;
    HDC dc = GetDC(control);
    EXPECT_EQ(WindowFromDC(dc), control);
    EXPECT_GT(SkinGraphics().LiveObjects(), live);
    RECT client;
    GetClientRect(control, &client);
    PaintControlFace(dc, client);
    EXPECT_EQ(ReleaseDC(control, dc), 1);
    GdiFlush();
    EXPECT_EQ(SkinGraphics().LiveObjects(), live) << "the redirected device context leaked graphics objects";
    EXPECT_EQ(ScreenPixel(control, 5, 5), RGB(128, 128, 128));
    EXPECT_EQ(ScreenPixel(control, 40, 40), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(control, 66, 12), kNearKey);
    EXPECT_TRUE(dcRecord.handedOut.empty());

    // A record that goes while one of its contexts is out gives back what
    // the context held, and WindowFromDC forgets it.
    HDC out = nullptr;
    {
        SkinDcRedirect gone;
        gone.Activate(SkinPaintMode::Compose, kKey, false);
        skin.dc = &gone;
        out = GetDC(control);
        ASSERT_EQ(gone.handedOut.size(), 1u);
        EXPECT_EQ(SkinMemoryDcWindow(out), control);
        skin.dc = nullptr;
        skin_unhooked::ReleaseDC(control, gone.handedOut[0].real);
    }
    EXPECT_EQ(SkinMemoryDcWindow(out), nullptr);
    EXPECT_EQ(SkinGraphics().LiveObjects(), live);

    DetachTestSkin(control, &skin);
    DestroyWindow(frame);
    DeleteObject(host_.frameBrush);
}

TEST_F(HookBehaviour, ClipModesPaintOnScreenInsideOrOutsideTheRectangle) {
    HWND frame = CreateTestWindow(&BaseProcedure, nullptr, WS_POPUP | WS_VISIBLE, 200, 200);
    HWND control = CreateTestWindow(&ControlProcedure, frame, WS_CHILD | WS_VISIBLE, 80, 80);
    SetWindowPos(frame, HWND_TOPMOST, 100, 100, 200, 200, SWP_SHOWWINDOW);
    SkinPaintRedirect record;
    TestSkin skin;
    skin.paint = &record;
    AttachTestSkin(control, &skin, false);
    const long live = SkinGraphics().LiveObjects();
    auto repaint = [&](COLORREF face) {
        g_face = face;
        InvalidateRect(control, nullptr, FALSE);
        UpdateWindow(control);
        g_face = kKey;
    };
    const COLORREF blue = RGB(0, 0, 255), white = RGB(255, 255, 255), yellow = RGB(255, 255, 0);
    repaint(blue);  // not redirected yet: the whole face
    EXPECT_EQ(ScreenPixel(control, 70, 70), blue);

    // The rectangle's right and bottom edges belong to it.
    record.Activate(SkinPaintMode::ClipTo, RECT{62, 62, 69, 69}, nullptr, kKey);
    repaint(white);
    EXPECT_EQ(ScreenPixel(control, 62, 62), white);
    EXPECT_EQ(ScreenPixel(control, 69, 69), white);
    EXPECT_EQ(ScreenPixel(control, 70, 70), blue);
    EXPECT_EQ(ScreenPixel(control, 61, 61), blue);

    record.Activate(SkinPaintMode::ClipOut, RECT{62, 62, 69, 69}, nullptr, kKey);
    repaint(yellow);
    EXPECT_EQ(ScreenPixel(control, 69, 69), white);
    EXPECT_EQ(ScreenPixel(control, 70, 70), yellow);
    EXPECT_EQ(ScreenPixel(control, 5, 5), yellow);
    EXPECT_EQ(SkinGraphics().LiveObjects(), live) << "the clip region leaked";

    DetachTestSkin(control, &skin);
    DestroyWindow(frame);
}

}  // namespace
