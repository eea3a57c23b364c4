// The control gallery itself under Wine: one control of every kind the
// engine dispatches, the test theme on screen where the engine skins,
// and the gallery program with its screenshot and its exit codes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "gallery/gallery_fixture.h"
#include "skin/skin_test_dialog.h"
#include "skin/windows/manager/skin_dispatch.h"
#include "skin/windows/manager/skin_messages.h"
#include "support/win_test_support.h"

using namespace gallery_test;

namespace {

SkinWindowKind KindOf(HWND window) {
    wchar_t cls[128] = {};
    ::GetClassNameW(window, cls, 128);
    return SkinDispatchWindow(cls, static_cast<uint32_t>(::GetWindowLongPtrW(window, GWL_STYLE))).kind;
}

TEST(Gallery, HoldsOneControlOfEveryKindTheEngineDispatches) {
    GalleryUnderTest gallery;
    ASSERT_TRUE(gallery.Ready());
    std::set<SkinWindowKind> seen{KindOf(gallery.Dialog())};
    for (const GalleryControl& c : kGalleryControls) {
        HWND control = gallery.Control(c.id);
        ASSERT_NE(control, nullptr) << testing_support::Narrow(c.kind);
        seen.insert(KindOf(control));
    }
    seen.insert(KindOf(ListView_GetHeader(gallery.Control(IDC_GALLERY_LISTVIEW))));
    // MDI clients have no place in a dialog.
    for (int k = static_cast<int>(SkinWindowKind::Frame); k <= static_cast<int>(SkinWindowKind::MdiClient); ++k) {
        auto kind = static_cast<SkinWindowKind>(k);
        if (kind == SkinWindowKind::MdiClient) continue;
        EXPECT_TRUE(seen.count(kind)) << "no control of kind " << k;
    }
    EXPECT_FALSE(seen.count(SkinWindowKind::None)) << "a control the engine does not know";
}

// Every kind now has its skin: a control left with the system look means a
// wrong skin id or a kind the attach table lost.
TEST(Gallery, SkinsEveryControlOfEveryKind) {
    GalleryUnderTest gallery;
    ASSERT_TRUE(gallery.Ready());
    EXPECT_NE(::GetPropW(gallery.Dialog(), kSkinPropObject), nullptr) << "the dialog";
    for (const GalleryControl& c : kGalleryControls)
        EXPECT_NE(::GetPropW(gallery.Control(c.id), kSkinPropObject), nullptr) << testing_support::Narrow(c.kind);
    EXPECT_NE(::GetPropW(ListView_GetHeader(gallery.Control(IDC_GALLERY_LISTVIEW)), kSkinPropObject), nullptr)
        << "the list view's header";
}

TEST(Gallery, ShowsTheTestThemeWhereTheEngineSkinsAndTheSystemLookElsewhere) {
    GalleryUnderTest gallery;
    ASSERT_TRUE(gallery.Ready());
    const ThemeColours& colours = ThemeColours::Get();
    ASSERT_NE(colours.ByName("gallery.frame"), nullptr);
    POINT empty = gallery.EmptyDialogPoint();
    ASSERT_GE(empty.x, 0);
    POINT screen = empty;
    ::ClientToScreen(gallery.Dialog(), &screen);
    EXPECT_EQ(skin_test::ScreenPixel(screen.x, screen.y), colours.Of("gallery.frame"));

    // The first push button has the focus; the second not.
    RECT push = gallery.ClientRect(IDC_GALLERY_PUSH_DEFAULT);
    EXPECT_EQ(gallery.NameAt(IDC_GALLERY_PUSH, push.right / 2, 2), "gallery.button.focus");
    EXPECT_EQ(gallery.NameAt(IDC_GALLERY_PUSH_DEFAULT, push.right / 2, 2), "gallery.button.normal");
    // A control the engine left alone shows none of its skin's pictures.
    for (const GalleryControl& c : kGalleryControls) {
        HWND control = gallery.Control(c.id);
        if (!control || ::GetPropW(control, kSkinPropObject)) continue;
        RECT r = gallery.ClientRect(c.id);
        std::string name = gallery.NameAt(c.id, r.right / 2, r.bottom / 2);
        std::string own = testing_support::Narrow(c.skinId) + ".";
        EXPECT_NE(name.compare(0, own.size(), own), 0) << testing_support::Narrow(c.kind) << " shows " << name;
    }
}

// The gallery program, as `make gallery` runs it.
long RunGallery(const std::wstring& arguments) {
    testing_support::ChildProcess gallery;
    if (!gallery.Start(testing_support::ToWindowsPath(GALLERY_EXE), arguments)) return -2;
    return gallery.Wait(60000);
}

// A 24-bit bottom-up BMP the gallery wrote, as 0x00RRGGBB rows.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Screenshot TakeScreenshot(const std::wstring& options) {
    Screenshot shot;
    testing_support::TempFolder folder;
    std::wstring file = folder.path() + L"gallery.bmp";
    if (RunGallery(options + L" --at=30,30 --screenshot=\"" + file + L"\"") != 0) return shot;
    FILE* f = _wfopen(file.c_str(), L"rb");
    if (!f) return shot;
    std::vector<unsigned char> bytes;
    unsigned char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    if (bytes.size() <= 54u || bytes[0] != 'B') return shot;
    auto field = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24; };
    int width = field(18), height = field(22), offset = field(10);
    size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (width <= 0 || height <= 0 || bytes.size() < offset + stride * height) return shot;
    shot.width = width;
    shot.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &bytes[offset + stride * (height - 1 - y) + 3 * x];
            shot.pixels.push_back(static_cast<uint32_t>(p[2]) << 16 | p[1] << 8 | p[0]);
        }
    return shot;
}

TEST(GalleryProgram, LeavesAScreenshotOfWhatTheScreenShowed) {
    Screenshot shot = TakeScreenshot(L"--theme=test");
    ASSERT_GT(shot.width, 600);
    ASSERT_GT(shot.height, 400);
    // Much of the window is the test theme's frame picture.
    uint32_t frame = ThemeColours::Get().Of("gallery.frame");
    long framePixels = std::count(shot.pixels.begin(), shot.pixels.end(), frame);
    EXPECT_GT(framePixels, static_cast<long>(shot.width) * shot.height / 5);
}

TEST(GalleryProgram, AFrameAloneLeavesNoBlackHolesUnderTheControlsItDoesNotSkin) {
    // Only the dialog skinned: every control in its system look on the
    // frame's picture. Nothing of the window is left unpainted (black).
    Screenshot shot = TakeScreenshot(L"--theme=test --frame-only");
    ASSERT_GT(shot.width, 600);
    int holes = 0;
    std::string where;
    for (int by = 0; by + 8 <= shot.height; by += 8)
        for (int bx = 0; bx + 8 <= shot.width; bx += 8) {
            bool black = true;
            for (int y = by; y < by + 8 && black; ++y)
                for (int x = bx; x < bx + 8 && black; ++x) black = shot.At(x, y) == 0;
            if (!black) continue;
            if (++holes <= 5) where += " (" + std::to_string(bx) + "," + std::to_string(by) + ")";
        }
    EXPECT_EQ(holes, 0) << "black 8 x 8 blocks at" << where;
    // The frame's picture shows around and under the controls.
    uint32_t frame = ThemeColours::Get().Of("gallery.frame");
    EXPECT_GT(std::count(shot.pixels.begin(), shot.pixels.end(), frame),
              static_cast<long>(shot.width) * shot.height / 3);
}

TEST(GalleryProgram, EndsWithClearCodes) {
    EXPECT_EQ(RunGallery(L"--exit-when-shown"), 0);
    EXPECT_EQ(RunGallery(L"--unskinned --exit-when-shown"), 0);
    EXPECT_EQ(RunGallery(L"--theme=purple"), 2);
    EXPECT_EQ(RunGallery(L"--screenshot="), 2);
}

}  // namespace
