// The installer's finished window as its user sees it, checked from outside
// its process under Wine: window and client rectangles, the cut corners of
// the window region, the pixels on the screen (read from the screen's device
// context, where skinned painting shows), the caption buttons under real
// mouse input, and a window that stays quiet while nothing happens.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/installer_ids.h"
#include "app/installer_run.h"
#include "app/screen_check.h"
#include "common/win_handles.h"
#include "support/win_test_support.h"

namespace ts = testing_support;

namespace {

using ts::CentreOf;
using ts::Channel;
using ts::ClientOrigin;
using ts::Distance;
using ts::Face;
using ts::Height;
using ts::MouseButton;
using ts::MouseTo;
using ts::RectInParent;
using ts::ScreenRect;
using ts::WaitUntil;
using ts::Width;

const std::string kSkinDir = TOVANE_SKIN_DIR;
const std::string kOutput = TOVANE_TEST_OUTPUT;

constexpr int kStatusId = IDC_STATUS_BUTTON;
constexpr int kCloseId = IDC_CLOSE_BUTTON;
constexpr int kFooterId = IDC_FOOTER_TEXT;
constexpr int kMinimiseId = IDC_MINIMISE_BUTTON;
constexpr int kForumId = IDC_FORUM_LINK;
constexpr int kHomeId = IDC_HOME_LINK;

// The size the main window gives its dialog, before the skin takes the frame.
constexpr int kDialogWidth = 509;
constexpr int kDialogHeight = 253;
// The skinned border, and the corner blocks of the background picture.
constexpr int kSkinBorder = 2;
constexpr int kCornerBlock = 15;

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kLinkBlue = 0x0000EE;

Face SkinFace(const char* name) { return ts::LoadFace(kSkinDir, name); }

// ---- the installer, started afresh for each test ----------------------------

class InstallerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ParkMouse();
        ASSERT_TRUE(run_.Start()) << "the installer's window did not appear";
        window_ = run_.window;
        ::SetForegroundWindow(window_);
        ASSERT_TRUE(ts::WaitForWindowText(run_.status, L"请连接你的苹果设备", 10000));
        ASSERT_TRUE(Settle(10000)) << "the window kept changing on screen";
    }

    void TearDown() override {
        if (HasFailure() && ::IsWindow(window_)) {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            ts::WritePng(ts::CaptureScreenArea(ScreenRect(window_)),
                         kOutput + "/installer_window_" + test->name() + ".png");
        }
        ParkMouse();
    }

    HWND Child(int id) const { return ::GetDlgItem(window_, id); }

    // The mouse rests on the screen away from the window.
    void ParkMouse() {
        POINT away{4, 4};
        if (window_) {
            RECT r = ScreenRect(window_);
            if (away.x >= r.left - 8 && away.y >= r.top - 8) away = POINT{r.right + 40, r.bottom + 40};
        }
        MouseTo(away);
    }

    ts::Pixels Shot(HWND window) const { return ts::CaptureScreenArea(ScreenRect(window)); }

    // Waits until the screen inside the window is the same in two reads in a row.
    bool Settle(DWORD milliseconds) {
        ts::Pixels last;
        return WaitUntil(
            [&] {
                ts::Pixels now = Shot(window_);
                const bool same = now.width > 0 && now.width == last.width && now.data == last.data;
                last = std::move(now);
                return same;
            },
            milliseconds, 200);
    }

    // The screen colour of each row of `child`, taken in the parent's client
    // area at client x = `besideX` (a place of the same background band).
    std::vector<std::uint32_t> RowBackdrop(HWND child, int besideX) const {
        RECT r = ScreenRect(child);
        POINT origin = ClientOrigin(window_);
        RECT column{origin.x + besideX, r.top, origin.x + besideX + 1, r.bottom};
        return ts::CaptureScreenArea(column).data;
    }

    // Polls until the button shows `face` on screen; the failure tells how many
    // pixels differed the last time.
    ::testing::AssertionResult WaitForFace(HWND button, const Face& face, const std::vector<std::uint32_t>& backdrop,
                                           DWORD milliseconds) {
        const int allowed = face.picture.width * face.picture.height / 33;  // rounding of the corner ring
        int last = -1;
        if (WaitUntil([&] { return (last = ts::FaceMismatches(Shot(button), face, backdrop)) <= allowed; },
                      milliseconds)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << face.name << " not on screen: " << last << " pixels differ (at most " << allowed << " may)";
    }

    ::testing::AssertionResult FaceShown(HWND button, const Face& face, const std::vector<std::uint32_t>& backdrop) {
        return WaitForFace(button, face, backdrop, 0);
    }

    ts::InstallerRun run_;
    HWND window_ = nullptr;
};

TEST_F(InstallerWindow, FrameDropsTheSystemCaptionAndKeepsATwoPixelBorder) {
    const LONG style = ::GetWindowLongW(window_, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(window_, GWL_EXSTYLE);
    ASSERT_EQ(style & WS_CAPTION, WS_CAPTION) << "the dialog keeps its caption style; only its look goes";
    RECT adjust{0, 0, 0, 0};
    ASSERT_TRUE(::AdjustWindowRectEx(&adjust, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(exStyle)));
    const int systemBorder = -adjust.left;

    const RECT window = ScreenRect(window_);
    EXPECT_EQ(Width(window), kDialogWidth - 2 * (systemBorder - kSkinBorder)) << "system border " << systemBorder;
    EXPECT_EQ(Height(window), kDialogHeight - ::GetSystemMetrics(SM_CYCAPTION));

    const POINT origin = ClientOrigin(window_);
    RECT client{};
    ::GetClientRect(window_, &client);
    EXPECT_EQ(origin.x - window.left, kSkinBorder);
    EXPECT_EQ(origin.y - window.top, kSkinBorder);
    EXPECT_EQ(client.right, Width(window) - 2 * kSkinBorder);
    EXPECT_EQ(client.bottom, Height(window) - 2 * kSkinBorder);
}

TEST_F(InstallerWindow, RegionCutsExactlyTheMagentaPixelsOfTheCornerBlocks) {
    const ts::Pixels picture = ts::LoadBitmapFile(kSkinDir + "/PromptBk.bmp");
    ASSERT_GT(picture.width, 2 * kCornerBlock);
    ASSERT_GT(picture.height, 2 * kCornerBlock);
    const RECT window = ScreenRect(window_);
    const int w = Width(window), h = Height(window);

    win::ScopedGdiObject region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window_, static_cast<HRGN>(region.get())), ERROR) << "the window has no region";
    const HRGN rgn = static_cast<HRGN>(region.get());
    RECT box{};
    ::GetRgnBox(rgn, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, w);
    EXPECT_EQ(box.bottom, h);

    // Each corner block of the picture sits 1:1 at the same corner of the window.
    int magentaInCorners = 0;
    for (int corner = 0; corner < 4; ++corner) {
        const bool right = corner & 1, bottom = corner & 2;
        const int px0 = right ? picture.width - kCornerBlock : 0, py0 = bottom ? picture.height - kCornerBlock : 0;
        const int wx0 = right ? w - kCornerBlock : 0, wy0 = bottom ? h - kCornerBlock : 0;
        int cut = 0;
        for (int y = 0; y < kCornerBlock; ++y) {
            for (int x = 0; x < kCornerBlock; ++x) {
                const bool magenta = picture.at(px0 + x, py0 + y) == kMagenta;
                cut += magenta;
                EXPECT_EQ(::PtInRegion(rgn, wx0 + x, wy0 + y) != FALSE, !magenta)
                    << "window pixel (" << wx0 + x << ", " << wy0 + y << ")" << (magenta ? " is magenta" : "");
            }
        }
        EXPECT_GT(cut, 0) << "corner " << corner << " of the picture has no magenta pixel";
        magentaInCorners += cut;
    }
    int magentaInPicture = 0;
    for (std::uint32_t px : picture.data) magentaInPicture += px == kMagenta;
    EXPECT_EQ(magentaInPicture, magentaInCorners) << "magenta outside the corner blocks";

    // The middle of every edge stays.
    EXPECT_TRUE(::PtInRegion(rgn, w / 2, 0));
    EXPECT_TRUE(::PtInRegion(rgn, 0, h / 2));
    EXPECT_TRUE(::PtInRegion(rgn, w - 1, h / 2));
    EXPECT_TRUE(::PtInRegion(rgn, w / 2, h - 1));

    // Nothing magenta reaches the screen: the frame colour is only a fill
    // under the picture.
    const ts::Pixels shot = Shot(window_);
    EXPECT_EQ(ts::CountDifferentPixels(shot, RECT{0, 0, shot.width, shot.height}, kMagenta, 8),
              shot.width * shot.height)
        << "magenta pixels on screen";
}

TEST_F(InstallerWindow, CaptionButtonsSitAtTheTopRightWithTheirFaces) {
    RECT client{};
    ::GetClientRect(window_, &client);
    const RECT close = RectInParent(Child(kCloseId));
    const RECT minimise = RectInParent(Child(kMinimiseId));
    EXPECT_EQ(client.right - close.left, 40);
    EXPECT_EQ(close.top, 0);
    EXPECT_EQ(Width(close), 40);
    EXPECT_EQ(Height(close), 23);
    EXPECT_EQ(client.right - minimise.left, 77);
    EXPECT_EQ(minimise.top, 0);
    EXPECT_EQ(Width(minimise), 37);
    EXPECT_EQ(Height(minimise), 23);

    const int beside = minimise.left - 2;
    EXPECT_TRUE(FaceShown(Child(kCloseId), SkinFace("btn_close_nor.png"), RowBackdrop(Child(kCloseId), beside)));
    EXPECT_TRUE(FaceShown(Child(kMinimiseId), SkinFace("btn_min_nor.png"), RowBackdrop(Child(kMinimiseId), beside)));
}

TEST_F(InstallerWindow, CaptionButtonsFollowTheRealMouse) {
    HWND close = Child(kCloseId), minimise = Child(kMinimiseId);
    const int beside = RectInParent(minimise).left - 2;
    const auto closeBackdrop = RowBackdrop(close, beside), minBackdrop = RowBackdrop(minimise, beside);
    const Face closeNormal = SkinFace("btn_close_nor.png"), closeOver = SkinFace("btn_close_hit.png"),
               closeDown = SkinFace("btn_close_down.png");
    const Face minNormal = SkinFace("btn_min_nor.png"), minOver = SkinFace("btn_min_hit.png");

    // Hover: the hover face, and only on the button under the mouse.
    MouseTo(CentreOf(close));
    EXPECT_TRUE(WaitForFace(close, closeOver, closeBackdrop, 3000)) << "no hover face on the close button";
    EXPECT_FALSE(FaceShown(close, closeNormal, closeBackdrop));
    EXPECT_TRUE(FaceShown(minimise, minNormal, minBackdrop));

    // From one button to the other: hover moves along (the mouse leave is polled).
    MouseTo(CentreOf(minimise));
    EXPECT_TRUE(WaitForFace(minimise, minOver, minBackdrop, 3000)) << "no hover face on the minimise button";
    EXPECT_TRUE(WaitForFace(close, closeNormal, closeBackdrop, 3000)) << "the close button stayed hot";

    // A press shows the pressed face; released away from the button it does
    // nothing (a click there would end the installer).
    MouseTo(CentreOf(close));
    EXPECT_TRUE(WaitForFace(close, closeOver, closeBackdrop, 3000));
    MouseButton(true);
    EXPECT_TRUE(WaitForFace(close, closeDown, closeBackdrop, 3000)) << "no pressed face on the close button";
    EXPECT_FALSE(FaceShown(close, closeOver, closeBackdrop));
    const POINT origin = ClientOrigin(window_);
    MouseTo(POINT{origin.x + 30, origin.y + 160});  // the empty body below the status button
    MouseButton(false);
    EXPECT_EQ(run_.app.Wait(800), -1) << "a press released away from the close button ended the installer";
    ASSERT_TRUE(::IsWindow(window_));
    EXPECT_TRUE(WaitForFace(close, closeNormal, closeBackdrop, 3000)) << "the close button stayed pressed or hot";
}

TEST_F(InstallerWindow, CaptionButtonsShowTheirToolTips) {
    struct Case {
        int id;
        const wchar_t* tip;
    };
    for (const Case& c : {Case{kCloseId, L"退出"}, Case{kMinimiseId, L"最小化"}}) {
        SCOPED_TRACE(ts::Narrow(c.tip));
        ParkMouse();
        ::Sleep(300);
        const POINT centre = CentreOf(Child(c.id));
        MouseTo(centre);
        ::Sleep(100);
        MouseTo(POINT{centre.x + 1, centre.y});  // the first move makes the tip, later ones reach it
        HWND tip = nullptr;
        EXPECT_TRUE(WaitUntil(
            [&] {
                tip = ts::WaitForWindow(run_.app.id(), c.tip, 0);
                return tip != nullptr;
            },
            4000))
            << "no tool tip shown (the window is " << (::GetForegroundWindow() == window_ ? "" : "not ") << "active)";
        if (tip) {
            wchar_t kind[64] = {};
            ::GetClassNameW(tip, kind, 64);
            EXPECT_STREQ(kind, L"tooltips_class32");
        }
    }
}

TEST_F(InstallerWindow, MinimiseButtonMinimisesAndRestoringKeepsTheSize) {
    HWND minimise = Child(kMinimiseId);
    const RECT before = ScreenRect(window_);
    const int beside = RectInParent(minimise).left - 2;
    const auto backdrop = RowBackdrop(minimise, beside);

    MouseTo(CentreOf(minimise));
    ASSERT_TRUE(WaitForFace(minimise, SkinFace("btn_min_hit.png"), backdrop, 3000));
    MouseButton(true);
    EXPECT_TRUE(WaitForFace(minimise, SkinFace("btn_min_down.png"), backdrop, 3000))
        << "no pressed face on the minimise button";
    MouseButton(false);
    EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(window_) != FALSE; }, 3000)) << "a click did not minimise";
    ParkMouse();

    ::ShowWindow(window_, SW_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return !::IsIconic(window_); }, 3000));
    ASSERT_TRUE(Settle(5000));
    const RECT after = ScreenRect(window_);
    EXPECT_EQ(Width(after), Width(before)) << "restoring changed the width";
    EXPECT_EQ(Height(after), Height(before)) << "restoring changed the height (a second shrink?)";
    const POINT origin = ClientOrigin(window_);
    EXPECT_EQ(origin.x - after.left, kSkinBorder);
    EXPECT_EQ(origin.y - after.top, kSkinBorder);
    EXPECT_TRUE(FaceShown(minimise, SkinFace("btn_min_nor.png"), RowBackdrop(minimise, beside)));
}

TEST_F(InstallerWindow, StatusButtonShowsTheWarningFaceWithWhiteText) {
    HWND status = Child(kStatusId);
    const RECT r = RectInParent(status);
    ASSERT_EQ(Width(r), 399);
    ASSERT_EQ(Height(r), 42);
    EXPECT_EQ(ts::WindowText(status), L"请连接你的苹果设备");

    const Face warning = SkinFace("warning.png");
    ASSERT_EQ(warning.picture.width, 399);
    ASSERT_EQ(warning.picture.height, 42);
    ASSERT_GE(r.left, 3);
    const ts::Pixels shot = Shot(status);
    const auto backdrop = RowBackdrop(status, r.left - 3);
    ASSERT_EQ(shot.width, 399);
    ASSERT_EQ(backdrop.size(), 42u);
    // The face shows 1:1 at both ends, where the text does not reach.
    int mismatches = 0, compared = 0;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            if (x >= 60 && x < shot.width - 60) continue;
            ++compared;
            mismatches += Distance(shot.at(x, y), warning.Over(x, y, backdrop[y])) > 6;
        }
    }
    EXPECT_LE(mismatches, compared / 50) << "the ends of the status button do not show warning.png: " << mismatches
                                         << " of " << compared << " pixels differ";
    // White text in the middle: the face itself holds no white.
    const RECT middle{100, 6, shot.width - 100, shot.height - 6};
    const int area = Width(middle) * Height(middle);
    const int white = area - ts::CountDifferentPixels(shot, middle, kWhite, 24);
    EXPECT_GT(white, 150) << "no white text on the status button";
    EXPECT_LT(white, area / 2);
}

TEST_F(InstallerWindow, FooterAndLinksShowTheBackgroundBehindThem) {
    RECT client{};
    ::GetClientRect(window_, &client);
    const POINT origin = ClientOrigin(window_);
    const ts::Pixels shot =
        ts::CaptureScreenArea(RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
    const std::uint32_t face = ts::SystemColor(COLOR_BTNFACE);

    // The footer: empty, inside the client area, and every pixel of each row the
    // colour the background has just beside it.
    HWND footer = Child(kFooterId);
    EXPECT_EQ(ts::WindowText(footer), L"");
    const RECT f = RectInParent(footer);
    ASSERT_GE(f.left, 1);
    ASSERT_LE(f.right, client.right - 1);
    EXPECT_LE(f.bottom, client.bottom) << "the footer lies below the client area";
    int footerOff = 0, rows = 0;
    for (int y = std::max<LONG>(f.top, 0); y < std::min<LONG>(f.bottom, client.bottom); ++y, ++rows) {
        const std::uint32_t left = shot.at(f.left - 1, y), right = shot.at(f.right, y);
        EXPECT_LE(Distance(left, right), 2) << "row " << y << " differs on the two sides of the footer";
        EXPECT_NE(left, kMagenta);
        EXPECT_GT(Distance(left, face), 2) << "row " << y << " beside the footer is the grey system face";
        for (int x = f.left; x < f.right; ++x) footerOff += Distance(shot.at(x, y), left) > 2;
    }
    EXPECT_GT(rows, 0);
    EXPECT_EQ(footerOff, 0) << "the footer's area does not show the background";

    // The links: blue text straight on the title band, no box behind it. Each
    // pixel is the band's colour of its row or a blend of band and link blue.
    for (int id : {kHomeId, kForumId}) {
        SCOPED_TRACE(id);
        const RECT l = RectInParent(Child(id));
        ASSERT_GT(Width(l), 0);
        const int besideX = std::min(RectInParent(Child(kHomeId)).left, RectInParent(Child(kForumId)).left) - 3;
        ASSERT_GE(besideX, 0);
        ASSERT_GE(l.left, 0);
        ASSERT_LE(l.right, shot.width);
        int band = 0, text = 0, other = 0;
        for (int y = std::max<LONG>(l.top, 0); y < std::min<LONG>(l.bottom, shot.height); ++y) {
            const std::uint32_t behind = shot.at(besideX, y);
            for (int x = l.left; x < l.right; ++x) {
                const std::uint32_t px = shot.at(x, y);
                if (Distance(px, behind) <= 3) {
                    ++band;
                    continue;
                }
                // The nearest blend behind + t (blue - behind), t from 0 to 1.
                double dot = 0, len = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    const double d = Channel(kLinkBlue, shift) - Channel(behind, shift);
                    dot += (Channel(px, shift) - Channel(behind, shift)) * d;
                    len += d * d;
                }
                const double t = len > 0 ? std::clamp(dot / len, 0.0, 1.0) : 0.0;
                bool onBlend = true;
                for (int shift = 0; shift < 24; shift += 8) {
                    const double expected =
                        Channel(behind, shift) + t * (Channel(kLinkBlue, shift) - Channel(behind, shift));
                    onBlend = onBlend && std::abs(Channel(px, shift) - expected) <= 16;
                }
                (onBlend ? text : other)++;
            }
        }
        const int area = Width(l) * Height(l);
        EXPECT_GT(text, 20) << "no blue link text";
        EXPECT_GT(band, area / 3) << "the band does not show behind the link";
        EXPECT_LE(other, area / 50) << "pixels of neither the band nor the link colour (a box behind the text?)";
    }
}

// The installer started with Wine's message trace on.
class TracedInstallerWindow : public InstallerWindow {
protected:
    void SetUp() override {
        if (!trace_.available()) {
            InstallerWindow::SetUp();
            return;
        }
        wchar_t saved[256] = {};
        const bool had = ::GetEnvironmentVariableW(L"WINEDEBUG", saved, 256) > 0;
        ::SetEnvironmentVariableW(L"WINEDEBUG", L"-all,+message");  // the child reads it at its start
        InstallerWindow::SetUp();
        ::SetEnvironmentVariableW(L"WINEDEBUG", had ? saved : nullptr);
    }

    ts::MessageTrace trace_;
};

bool IsPaintOrTimer(const std::string& message) {
    for (const char* name : {"WM_PAINT", "WM_NCPAINT", "WM_ERASEBKGND", "WM_SYNCPAINT", "WM_TIMER", "WM_SYSTIMER"}) {
        if (message == name) return true;
    }
    return false;
}

TEST_F(TracedInstallerWindow, IdleWindowNeitherRepaintsNorTicks) {
    if (trace_.available()) {
        const auto startup = trace_.Messages(0, trace_.Size());
        ASSERT_NE(std::find(startup.begin(), startup.end(), "WM_PAINT"), startup.end())
            << "Wine traced no painting of the installer at its start: the trace does not work";
    } else {
        std::printf("TOVANE_MESSAGE_TRACE is not set: only the screen and the processor time are checked\n");
    }
    // Hover once, so that a timer or a repaint the mouse leaves behind shows.
    MouseTo(CentreOf(Child(kCloseId)));
    ::Sleep(300);
    ParkMouse();
    ::Sleep(1200);  // Wine notices the mouse leaving by polling
    ASSERT_TRUE(Settle(5000));

    win::ScopedHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, run_.app.id()));
    auto cpuTime = [&] {
        FILETIME created, ended, kernel, user;
        if (!process || !::GetProcessTimes(process.get(), &created, &ended, &kernel, &user)) return 0ULL;
        auto value = [](FILETIME t) {
            return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        return value(kernel) + value(user);  // 100 ns units
    };

    const ts::Pixels first = Shot(window_);
    const long long mark = trace_.available() ? trace_.Size() : 0;
    const unsigned long long cpuBefore = cpuTime();
    ::Sleep(2000);
    const unsigned long long cpuUsed = cpuTime() - cpuBefore;
    const ts::Pixels second = Shot(window_);

    EXPECT_TRUE(first.data == second.data) << "the screen inside the window changed while idle";
    EXPECT_LT(cpuUsed, 500000ULL) << "the installer used " << cpuUsed / 10000 << " ms of processor time while idle";
    if (trace_.available()) {
        const auto idle = trace_.Messages(mark, trace_.Size());
        std::string seen;
        for (const auto& m : idle) seen += " " + m;
        EXPECT_EQ(std::count_if(idle.begin(), idle.end(), IsPaintOrTimer), 0)
            << "painting or timer messages while idle:" << seen;
    }
}

}  // namespace
