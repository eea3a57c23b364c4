// Children the engine does not skin, on a skinned frame under Wine: where
// they draw nothing of their own, the screen shows the frame's picture
// exactly as it is without them (no black holes, no system grey, the
// picture not shifted). The picture is a pattern in which every pixel
// differs from its neighbours, so a misplaced brush shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "image/picture.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/skin_test_dialog.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/skin_api_win32.h"
#include "support/win_test_support.h"

using namespace skin_test;

namespace {

constexpr int kPatternW = 460, kPatternH = 300;

// A frame whose client shows a pattern picture 1:1 from the client corner.
bool LoadPatternTheme() {
    static const bool loaded = [] {
        tovane::Picture picture;
        picture.width = kPatternW;
        picture.height = kPatternH;
        picture.pixels.resize(static_cast<size_t>(kPatternW) * kPatternH * 4);
        for (int y = 0; y < kPatternH; ++y) {
            for (int x = 0; x < kPatternW; ++x) {
                uint8_t* p = &picture.pixels[(static_cast<size_t>(y) * kPatternW + x) * 4];
                p[0] = static_cast<uint8_t>(x * 7 + y * 3);  // blue
                p[1] = static_cast<uint8_t>(y * 11 + 40);    // green
                p[2] = static_cast<uint8_t>(x * 13 + 90);    // red
                p[3] = 255;
            }
        }
        GetSkinResourceManager()->AddImage(L"test.children.pattern",
                                           CSkinDrawImage::FromPicture(std::move(picture), CSkinDrawImage::kTypePng));
        return LoadThemeText(
            L"<theme><constrol><item class=\"window\" id=\"test.children\">"
            L"<background picFile=\"test.children.pattern\" drawStyle=\"stretchBlt\" "
            L"borderWidth=\"(2,2,2,2)\" borderOffset=\"(0,0,0,0)\"/>"
            L"</item></constrol></theme>");
    }();
    return loaded;
}

// A part of a child that shows only what is behind it, client coordinates
// of the dialog.
struct Sample {
    const char* what;
    RECT rect;
};

std::vector<uint32_t> ClientArea(HWND window, RECT rect) {
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return ScreenPixels(rect);
}

TEST(SkinFrameChildren, UnskinnedChildrenShowTheFramesPictureWhereTheyDrawNothing) {
    ASSERT_TRUE(LoadPatternTheme());
    INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&init));
    MoveMouseAway();
    // The client is the picture's size once the frame has taken its 2-pixel
    // border for the system's 3 and dropped the system's caption.
    TestDialog dialog(kPatternW + 6, kPatternH + 4 + ::GetSystemMetrics(SM_CYCAPTION),
                      {
                          {1, L"Button", BS_GROUPBOX, L"Group", RECT{10, 10, 200, 130}},
                          {2, L"Button", BS_AUTOCHECKBOX, L"Inside", RECT{20, 30, 180, 50}},
                          {3, L"Static", SS_LEFT, L"Static", RECT{220, 10, 440, 30}},
                          {4, L"ToolbarWindow32", TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, L"",
                           RECT{220, 40, 440, 70}},
                          {5, TRACKBAR_CLASSW, TBS_NOTICKS, L"", RECT{220, 80, 440, 110}},
                          {6, L"Button", BS_AUTOCHECKBOX, L"Check", RECT{220, 120, 440, 140}},
                          {7, L"Button", BS_AUTORADIOBUTTON, L"Radio", RECT{220, 150, 440, 170}},
                      },
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    HWND w = dialog.hwnd();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(SetWindowSkin(w, L"test.children"), 1);
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(300);
    RECT client{};
    ::GetClientRect(w, &client);
    ASSERT_EQ(client.right, kPatternW);
    ASSERT_EQ(client.bottom, kPatternH);

    const Sample samples[] = {
        {"inside the group box", RECT{20, 60, 190, 122}},
        {"beside the group box's label", RECT{70, 10, 190, 16}},
        {"the static beyond its text", RECT{300, 12, 438, 28}},
        {"the flat toolbar", RECT{222, 42, 438, 68}},
        {"the trackbar beside its thumb", RECT{250, 81, 438, 84}},
        {"the check box beyond its text", RECT{300, 122, 438, 138}},
        {"the check box in the group box", RECT{110, 32, 178, 48}},
        {"the radio button beyond its text", RECT{300, 152, 438, 168}},
    };
    std::vector<std::vector<uint32_t>> shown;
    for (const Sample& s : samples) shown.push_back(ClientArea(w, s.rect));

    // The frame alone, as the children would leave it.
    for (HWND child = ::GetWindow(w, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ::ShowWindow(child, SW_HIDE);
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(200);
    for (size_t i = 0; i < std::size(samples); ++i) {
        std::vector<uint32_t> bare = ClientArea(w, samples[i].rect);
        ASSERT_EQ(bare.size(), shown[i].size());
        size_t differing = 0, black = 0, first = bare.size();
        for (size_t p = 0; p < bare.size(); ++p) {
            if (!Near(shown[i][p], bare[p], 2)) {
                ++differing;
                if (first == bare.size()) first = p;
            }
            if (shown[i][p] == 0) ++black;
        }
        EXPECT_EQ(differing, 0u) << samples[i].what << ": " << black << " black pixels; first difference shows "
                                 << std::hex << (first < bare.size() ? shown[i][first] : 0) << " for "
                                 << (first < bare.size() ? bare[first] : 0);
    }
}

}  // namespace
