// Check boxes, radio buttons and group boxes at the display's scale, in the
// gallery under the test theme, once per test DPI: marks at their scaled
// size, the text the scaled gap beside them, a group caption at the scaled
// inset with the frame line at half its height.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/dpi_scale.h"
#include "gallery/gallery_fixture.h"
#include "skin/skin_test_dialog.h"
#include "skin/spy_graphics.h"

using namespace gallery_test;

namespace {

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

// The rectangle a text was last drawn in (not measured).
SkinRect TextRect(const SpyGraphics& spy, const std::wstring& text) {
    SkinRect found;
    for (const SpyGraphics::Text& t : spy.Texts())
        if (t.text == text && !(t.format & kSkinDtCalcRect)) found = t.rect;
    return found;
}

TEST(ToggleDpi, MarksGapsAndCaptionsFollowTheScale) {
    const dpi::DpiScale scale(ScreenDpi());
    SpyGraphics spy;
    GalleryUnderTest gallery;
    ASSERT_TRUE(gallery.Ready());
    gallery.MoveAway();
    ::RedrawWindow(gallery.Dialog(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    skin_test::Pump(100);

    const int mark = scale.Scale(14);
    const int id = IDC_GALLERY_CHECK_UNCHECKED;
    RECT r = gallery.ClientRect(id);
    const int middle = r.bottom / 2;
    EXPECT_EQ(gallery.NameAt(id, 0, middle), "gallery.check.uncheck.normal");
    EXPECT_EQ(gallery.NameAt(id, mark - 1, middle), "gallery.check.uncheck.normal") << "the mark is not " << mark;
    EXPECT_NE(gallery.NameAt(id, mark, middle), "gallery.check.uncheck.normal");
    EXPECT_EQ(TextRect(spy, L"Unchecked").left, mark + scale.Scale(3));

    const int left = IDC_GALLERY_RADIO_LEFTTEXT;
    RECT lr = gallery.ClientRect(left);
    EXPECT_EQ(gallery.NameAt(left, lr.right - mark, lr.bottom / 2), "gallery.radio.uncheck.normal");
    EXPECT_NE(gallery.NameAt(left, lr.right - mark - 1, lr.bottom / 2), "gallery.radio.uncheck.normal");
    EXPECT_EQ(TextRect(spy, L"Text on the left").right, lr.right - mark);

    SkinRect caption = TextRect(spy, L"Check boxes");
    ASSERT_FALSE(caption.IsEmpty());
    EXPECT_EQ(caption.left, scale.Scale(8));
    int line = -1;
    const int group = IDC_GALLERY_CHECK_GROUP;
    for (int y = 0; y < caption.bottom + 4 && line < 0; ++y)
        if (gallery.NameAt(group, caption.right + scale.Scale(10), y) == "gallery.group.border") line = y;
    // A pen wider than a pixel is centred on the line, so it may start a row early.
    EXPECT_NEAR(line, caption.Height() / 2, scale.Scale(1) - 1);
    EXPECT_EQ(gallery.NameAt(group, caption.right + scale.Scale(10), caption.Height() / 2), "gallery.group.border");
    if (::testing::Test::HasFailure()) gallery.SaveFailureScreenshot();
}

}  // namespace
