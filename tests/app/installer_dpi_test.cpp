// The installer on a display of another DPI, checked from outside its
// process under Wine: the test runs once per DPI, each time in a Wine
// prefix whose LogPixels is that DPI (TOVANE_TEST_DPI names it). At every
// scale the window must be the 96-DPI window, larger: its size and every
// control's place scaled, the corners cut, the status face and its white
// text drawn at the new size, the links clear of the caption buttons, hover
// faces and tool tips where the mouse is.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/installer_ids.h"
#include "app/installer_layout96.h"
#include "app/installer_run.h"
#include "app/scaled_window_check.h"
#include "app/screen_check.h"
#include "common/win_handles.h"
#include "support/win_test_support.h"

namespace ts = testing_support;

namespace {

using ts::CentreOf;
using ts::ClientOrigin;
using ts::Distance;
using ts::Height;
using ts::MouseTo;
using ts::RectInParent;
using ts::ScreenRect;
using ts::WaitUntil;
using ts::Width;

const std::string kSkinDir = TOVANE_SKIN_DIR;
const std::string kOutput = TOVANE_TEST_OUTPUT;

const int kDpi = layout96::TestDpi();
const double kScale = kDpi / 96.0;

// A 96-DPI number on this display.
int S(double v96) { return layout96::Scaled(v96, kDpi); }

using layout96::kBand;
using layout96::kCornerBlock;
constexpr std::uint32_t kMagenta = 0xFF00FF, kCloseHoverRed = 0xE23630;

::testing::AssertionResult Near(const char* what, int actual, int expected, int tolerance = 2) {
    if (std::abs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " is " << actual << ", expected " << expected << " +- " << tolerance
                                         << " at " << kDpi << " DPI";
}

class InstallerAtDpi : public ::testing::Test {
protected:
    void SetUp() override {
        MouseTo(POINT{4, 4});
        ASSERT_TRUE(run_.Start()) << "the installer's window did not appear";
        window_ = run_.window;
        ::SetForegroundWindow(window_);
        ASSERT_TRUE(ts::WaitForWindowText(run_.status, L"请连接你的苹果设备", 10000));
        ASSERT_TRUE(Settle(10000)) << "the window kept changing on screen";
    }

    void TearDown() override {
        if (::IsWindow(window_)) {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            if (HasFailure() || std::string(test->name()) == "WindowAndControlsAreThe96DpiLayoutScaled") {
                ts::WritePng(ts::CaptureScreenArea(ScreenRect(window_)),
                             kOutput + "/installer_dpi_" + std::to_string(kDpi) + "_" + test->name() + ".png");
            }
        }
        MouseTo(POINT{4, 4});
    }

    HWND Child(int id) const { return ::GetDlgItem(window_, id); }
    ts::Pixels Shot(HWND window) const { return ts::CaptureScreenArea(ScreenRect(window)); }

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

    ts::InstallerRun run_;
    HWND window_ = nullptr;
};

TEST_F(InstallerAtDpi, DisplayRunsAtItsDpi) {
    win::WindowDc screen(nullptr);
    EXPECT_EQ(::GetDeviceCaps(screen.get(), LOGPIXELSX), kDpi) << "the Wine prefix does not run at its DPI";
}

TEST_F(InstallerAtDpi, WindowAndControlsAreThe96DpiLayoutScaled) {
    const RECT window = ScreenRect(window_);
    EXPECT_TRUE(Near("window width", Width(window), S(layout96::kWindowWidth)));
    EXPECT_TRUE(Near("window height", Height(window), S(layout96::kWindowHeight)));
    const POINT origin = ClientOrigin(window_);
    EXPECT_TRUE(Near("left border", origin.x - window.left, S(layout96::kBorder), 1));
    EXPECT_TRUE(Near("top border", origin.y - window.top, S(layout96::kBorder), 1));

    RECT client{};
    ::GetClientRect(window_, &client);
    for (const layout96::Placed& p : layout96::kControls) {
        SCOPED_TRACE(p.id);
        const RECT r = RectInParent(Child(p.id));
        const int left = p.fromRight ? client.right - S(p.left) : S(p.left);
        EXPECT_TRUE(Near("left", r.left, left));
        EXPECT_TRUE(Near("top", r.top, S(p.top)));
        // Links fit their text in the font of the DPI, whose width need not
        // grow exactly with the scale.
        const bool link = layout96::IsLink(p.id);
        EXPECT_TRUE(Near("width", Width(r), S(p.width), link ? 4 : 2));
        EXPECT_TRUE(Near("height", Height(r), S(p.height), link ? 3 : 2));
    }

    // The links stay in the title band, clear of the caption buttons.
    const RECT minimise = RectInParent(Child(IDC_MINIMISE_BUTTON));
    for (int id : {IDC_HOME_LINK, IDC_FORUM_LINK}) {
        const RECT link = RectInParent(Child(id));
        EXPECT_LT(link.right, minimise.left) << "link " << id << " reaches the caption buttons";
        EXPECT_GE(link.top, 0);
        EXPECT_LE(link.bottom, S(kBand)) << "link " << id << " leaves the title band";
    }
    EXPECT_LT(RectInParent(Child(IDC_HOME_LINK)).right, RectInParent(Child(IDC_FORUM_LINK)).left);
    EXPECT_LE(RectInParent(Child(IDC_FOOTER_TEXT)).bottom, client.bottom) << "the footer leaves the client area";
}

TEST_F(InstallerAtDpi, RegionCutsTheCornersAtTheScale) {
    const int magenta96 = ts::MagentaInCorner96(kSkinDir);
    ASSERT_GT(magenta96, 0);
    win::ScopedGdiObject region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window_, static_cast<HRGN>(region.get())), ERROR) << "the window has no region";
    const HRGN rgn = static_cast<HRGN>(region.get());
    const RECT window = ScreenRect(window_);
    const int w = Width(window), h = Height(window);
    // Scaled, each cut covers the same share of its corner.
    const double expected = magenta96 * kScale * kScale;
    for (int corner = 0; corner < 4; ++corner) {
        const int cut = ts::CornerCut(rgn, w, h, S(kCornerBlock), corner);
        EXPECT_GE(cut, expected * 0.6) << "corner " << corner << ": " << cut << " pixels cut, about " << expected;
        EXPECT_LE(cut, expected * 1.5 + 1) << "corner " << corner << ": " << cut << " pixels cut, about " << expected;
        EXPECT_FALSE(::PtInRegion(rgn, (corner & 1) ? w - 1 : 0, (corner & 2) ? h - 1 : 0)) << "the very corner stays";
    }
    EXPECT_TRUE(::PtInRegion(rgn, w / 2, 0));
    EXPECT_TRUE(::PtInRegion(rgn, 0, h / 2));
    EXPECT_TRUE(::PtInRegion(rgn, w - 1, h / 2));
    EXPECT_TRUE(::PtInRegion(rgn, w / 2, h - 1));

    const ts::Pixels shot = Shot(window_);
    EXPECT_EQ(ts::CountDifferentPixels(shot, RECT{0, 0, shot.width, shot.height}, kMagenta, 8),
              shot.width * shot.height)
        << "magenta pixels on screen";
}

TEST_F(InstallerAtDpi, StatusFaceAndWhiteTextAreDrawnAtTheScale) {
    HWND status = Child(IDC_STATUS_BUTTON);
    const RECT r = RectInParent(status);
    const ts::Pixels shot = Shot(status);
    ASSERT_EQ(shot.width, Width(r));
    const ts::Face face = ts::LoadFace(kSkinDir, "warning.png");
    ASSERT_EQ(face.picture.height, 42);

    // Down each end the face is warning.png scaled.
    const std::vector<std::uint32_t> backdrop = ts::RowsBeside(status, S(3));
    ASSERT_EQ(static_cast<int>(backdrop.size()), shot.height);
    int compared = 0;
    const int off = ts::ScaledFaceMismatches(shot, face, backdrop, kDpi, &compared);
    EXPECT_LE(off, compared / 25) << off << " of " << compared << " face pixels are not warning.png scaled";
    // The rounded corner shows what lies behind it; just inside, the face.
    EXPECT_LE(Distance(shot.at(0, 0), backdrop[0]), 24) << "the face's corner is not rounded off";
    EXPECT_GT(Distance(shot.at(S(6), shot.height / 2), backdrop[shot.height / 2]), 60) << "no face inside";

    // White text in the middle, as tall as the scaled font makes it.
    const ts::WhiteText text = ts::FindWhiteText(shot, S(100));
    EXPECT_GT(text.pixels, static_cast<int>(90 * kScale * kScale)) << "too little white text";
    EXPECT_GE(text.height, S(10)) << "the text is not drawn at the scale";
    EXPECT_LE(text.height, S(20));
}

TEST_F(InstallerAtDpi, CloseButtonShowsItsHoverFaceAndToolTipAtTheMouse) {
    HWND close = Child(IDC_CLOSE_BUTTON);
    const POINT centre = CentreOf(close);
    MouseTo(centre);
    ::Sleep(100);
    MouseTo(POINT{centre.x + 1, centre.y});  // the first move makes the tip, later ones reach it
    auto redShare = [&] {
        const ts::Pixels shot = Shot(close);
        const int area = shot.width * shot.height;
        const int red = area - ts::CountDifferentPixels(shot, RECT{0, 0, shot.width, shot.height}, kCloseHoverRed, 12);
        return area > 0 ? static_cast<double>(red) / area : 0.0;
    };
    EXPECT_TRUE(WaitUntil([&] { return redShare() > 0.7; }, 3000))
        << "no red hover face over the whole close button (" << redShare() << " of it)";

    HWND tip = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            tip = ts::WaitForWindow(run_.app.id(), L"退出", 0);
            return tip != nullptr;
        },
        4000))
        << "no tool tip";
    // The tip shows beside the cursor, not where a 96-DPI layout would put it.
    const RECT t = ScreenRect(tip);
    const POINT cursor{centre.x + 1, centre.y};
    const int reach = S(64);
    EXPECT_LE(std::abs(t.top - cursor.y), reach) << "tip top " << t.top << ", cursor " << cursor.y;
    EXPECT_TRUE(t.left <= cursor.x + reach && t.right >= cursor.x - reach)
        << "tip " << t.left << ".." << t.right << ", cursor " << cursor.x;
}

}  // namespace
