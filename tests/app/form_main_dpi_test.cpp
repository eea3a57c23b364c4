// The main window told that its display's DPI changed (WM_DPICHANGED, as
// Windows sends it when the window moves to a monitor of another scale;
// Wine never sends it, so the test does): it takes the suggested rectangle
// and lays itself out at the new scale, skin and controls alike, and back.
// Run in this process, with the installer's skin, once per test DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/form_main_win32.h"
#include "app/installer_layout96.h"
#include "app/scaled_window_check.h"
#include "common/win_dpi_win32.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/skin_api_win32.h"
#include "support/win_test_support.h"

namespace ts = testing_support;

namespace {

const std::string kSkinDir = TOVANE_SKIN_DIR;
const std::string kOutput = TOVANE_TEST_OUTPUT;
const int kDpi = layout96::TestDpi();

void Pump(DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

FormMain::Services QuietServices() {
    FormMain::Services s;
    s.loadDeviceLibraries = [](apple::DeviceEventHandler, void*) { return true; };
    s.terminateProcess = [](UINT) {};
    s.messageBox = [](HWND, const wchar_t*, const wchar_t*) {};
    return s;
}

class FormMainDpiChange : public ::testing::Test {
protected:
    static void SetUpTestSuite() { skinned_ = LoadSkinResource(L"DATA", IDR_SKIN_PACKAGE, nullptr) == 1; }

    void SetUp() override {
        ASSERT_TRUE(skinned_) << "the skin package did not load";
        ::SetCursorPos(2, ::GetSystemMetrics(SM_CYSCREEN) - 2);
        form_ = std::make_unique<FormMain>(::GetModuleHandleW(nullptr), QuietServices());
        ASSERT_TRUE(form_->Create());
        ::SetWindowPos(form_->hwnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(form_->hwnd());
        Pump(400);
    }

    void TearDown() override {
        if (HasFailure() && form_ && form_->hwnd()) {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            ts::WritePng(ts::CaptureScreenArea(ts::ScreenRect(form_->hwnd())),
                         kOutput + "/form_main_dpi_" + std::to_string(kDpi) + "_" + test->name() + ".png");
        }
        if (form_ && form_->hwnd()) ::DestroyWindow(form_->hwnd());
        form_.reset();
        Pump(50);
    }

    HWND Window() const { return form_->hwnd(); }

    // What Windows sends: the new DPI, and the window rectangle grown or
    // shrunk with the scale about its top-left corner.
    RECT ChangeDpi(int from, int to, DWORD settleMs = 400) {
        const RECT now = ts::ScreenRect(Window());
        RECT suggested{now.left, now.top, now.left + ts::Width(now) * to / from, now.top + ts::Height(now) * to / from};
        ::SendMessageW(Window(), win::kWmDpiChanged, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
        Pump(settleMs);
        return suggested;
    }

    // The window as the 96-DPI window scaled to `dpi`: controls, status
    // face, corners, fonts and icons.
    void ExpectLaidOutAt(int dpi) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
        auto s = [&](double v) { return layout96::Scaled(v, dpi); };
        RECT client{};
        ::GetClientRect(Window(), &client);
        for (const layout96::Placed& p : layout96::kControls) {
            SCOPED_TRACE(p.id);
            const RECT r = ts::RectInParent(::GetDlgItem(Window(), p.id));
            const int slack = layout96::IsLink(p.id) ? 4 : 2;
            EXPECT_NEAR(r.left, p.fromRight ? client.right - s(p.left) : s(p.left), 2);
            EXPECT_NEAR(r.top, s(p.top), 2);
            EXPECT_NEAR(ts::Width(r), s(p.width), slack);
            EXPECT_NEAR(ts::Height(r), s(p.height), slack);
        }

        // The status face and its text at the new size.
        HWND status = form_->statusButton();
        const ts::Pixels shot = ts::CaptureScreenArea(ts::ScreenRect(status));
        const std::vector<std::uint32_t> backdrop = ts::RowsBeside(status, s(3));
        int compared = 0;
        const int off = ts::ScaledFaceMismatches(shot, ts::LoadFace(kSkinDir, "warning.png"), backdrop, dpi, &compared);
        EXPECT_LE(off, compared / 25) << off << " of " << compared << " face pixels are not warning.png scaled";
        const ts::WhiteText text = ts::FindWhiteText(shot, s(100));
        EXPECT_GE(text.height, s(10)) << "the status text is not drawn at the scale";
        EXPECT_LE(text.height, s(20));

        // The corners are cut at the new scale.
        win::ScopedGdiObject region(::CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(::GetWindowRgn(Window(), static_cast<HRGN>(region.get())), ERROR);
        const RECT window = ts::ScreenRect(Window());
        const double expected = ts::MagentaInCorner96(kSkinDir) * (dpi / 96.0) * (dpi / 96.0);
        const int cut = ts::CornerCut(static_cast<HRGN>(region.get()), ts::Width(window), ts::Height(window),
                                      s(layout96::kCornerBlock), 0);
        EXPECT_GE(cut, expected * 0.6);
        EXPECT_LE(cut, expected * 1.5 + 1);

        // The dialog's font and the window's icons are made for the DPI.
        auto font = reinterpret_cast<HFONT>(::SendMessageW(::GetDlgItem(Window(), IDC_FOOTER_TEXT), WM_GETFONT, 0, 0));
        LOGFONTW logical{};
        ASSERT_TRUE(font && ::GetObjectW(font, sizeof logical, &logical));
        EXPECT_NEAR(std::abs(logical.lfHeight), std::lround(9.0 * dpi / 72), 1) << "9-point font at the DPI";
        auto icon = reinterpret_cast<HICON>(::SendMessageW(Window(), WM_GETICON, ICON_SMALL, 0));
        ICONINFO info{};
        ASSERT_TRUE(icon && ::GetIconInfo(icon, &info));
        win::ScopedGdiObject colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, win::SystemMetricForDpi(SM_CXSMICON, static_cast<UINT>(dpi)));
    }

    static bool skinned_;
    std::unique_ptr<FormMain> form_;
};

bool FormMainDpiChange::skinned_ = false;

TEST_F(FormMainDpiChange, LaysItselfOutAtTheNewScaleAndBack) {
    ExpectLaidOutAt(kDpi);
    const int other = kDpi == 192 ? 120 : 192;

    const RECT suggested = ChangeDpi(kDpi, other);
    EXPECT_EQ(form_->Scale().Dpi(), other);
    const RECT moved = ts::ScreenRect(Window());
    EXPECT_EQ(moved.left, suggested.left);
    EXPECT_EQ(moved.top, suggested.top);
    EXPECT_EQ(ts::Width(moved), ts::Width(suggested)) << "the window did not keep the suggested rectangle";
    EXPECT_EQ(ts::Height(moved), ts::Height(suggested));
    EXPECT_NEAR(ts::Width(moved), layout96::Scaled(layout96::kWindowWidth, other), 2);
    ExpectLaidOutAt(other);

    ChangeDpi(other, kDpi);
    EXPECT_NEAR(ts::Width(ts::ScreenRect(Window())), layout96::Scaled(layout96::kWindowWidth, kDpi), 2);
    ExpectLaidOutAt(kDpi);
}

TEST_F(FormMainDpiChange, PicturesForEachScaleAreMadeOnce) {
    // Going back and forth between two scales makes nothing new once each
    // has been visited: the scaled pictures and fonts are kept, the old
    // bitmaps and regions go. Only the layer's pool of idle source DCs (at
    // most 4) may still fill while paints overlap.
    const int other = kDpi == 192 ? 120 : 192;
    for (int round = 0; round < 2; ++round) {
        ChangeDpi(kDpi, other, 150);
        ChangeDpi(other, kDpi, 150);
    }
    const long settled = SkinGraphics().LiveObjects();
    for (int round = 0; round < 8; ++round) {
        ChangeDpi(kDpi, other, 150);
        ChangeDpi(other, kDpi, 150);
    }
    EXPECT_LE(SkinGraphics().LiveObjects(), settled + 4) << "graphics objects grow with each DPI change";
}

}  // namespace
