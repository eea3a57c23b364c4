// Slider and tab control skins under Wine beyond what the gallery shows,
// on a theme of solid pictures: a vertical slider; the tabs' text colours,
// the other sides with their icons and turned text, button-style tabs, and
// the scroll arrows of a row that does not fit. Last, what painting the
// four skins costs in graphics objects.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/common_controls_theme.h"
#include "skin/platform/skin_graphics.h"
#include "skin/skin_test_dialog.h"
#include "skin/spy_graphics.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/skin_api_win32.h"

using namespace skin_test;
using common_controls_test::ColorOf;

namespace {

constexpr int kSlider = 3001, kSliderV = 3002, kTab = 3003, kTabWide = 3004, kSpin = 3005, kBar = 3006;

class SkinSliderTab : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof init,
                                  ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&init);
        ASSERT_TRUE(common_controls_test::LoadTheme());
        dialog_ = std::make_unique<TestDialog>(
            520, 340,
            std::vector<ControlSpec>{
                {kSlider, TRACKBAR_CLASSW, TBS_AUTOTICKS | WS_TABSTOP, L"", RECT{20, 20, 220, 60}},
                {kSliderV, TRACKBAR_CLASSW, TBS_VERT, L"", RECT{240, 20, 280, 220}},
                {kTab, WC_TABCONTROLW, WS_TABSTOP, L"", RECT{20, 80, 220, 200}},
                {kTabWide, WC_TABCONTROLW, 0, L"", RECT{300, 20, 500, 140}},
                {kSpin, UPDOWN_CLASSW, 0, L"", RECT{300, 160, 316, 180}},
                {kBar, PROGRESS_CLASSW, 0, L"", RECT{300, 200, 500, 220}},
            });
        ASSERT_TRUE(dialog_->hwnd());
        slider_ = dialog_->Item(kSlider);
        sliderV_ = dialog_->Item(kSliderV);
        tab_ = dialog_->Item(kTab);
        tabWide_ = dialog_->Item(kTabWide);
        ::SendMessageW(slider_, TBM_SETRANGE, TRUE, MAKELONG(0, 10));
        ::SendMessageW(sliderV_, TBM_SETRANGE, TRUE, MAKELONG(0, 10));
        for (const wchar_t* text : {L"One", L"Two", L"Three"}) AddTab(tab_, text);
        MoveMouseAway();
    }
    void TearDown() override {
        MouseUp();
        MoveMouseAway();
        dialog_.reset();
    }
    static void AddTab(HWND tab, const wchar_t* text, int image = -1) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<wchar_t*>(text);
        item.iImage = image;
        auto count = static_cast<int>(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
        ::SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item));
    }
    static bool Shows(HWND w, int x, int y, const wchar_t* picture) {
        return Near(ClientPixel(w, x, y), ColorOf(picture), 2);
    }
    static RECT Thumb(HWND slider) {
        RECT r{};
        ::SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    static POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    static bool ThumbShows(HWND slider, const wchar_t* picture) {
        POINT m = Middle(Thumb(slider));
        return Shows(slider, m.x, m.y, picture);
    }
    static RECT ItemRect(HWND tab, int index) {
        RECT r{};
        ::SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // A point inside tab `index`, away from its text.
    static POINT TabPoint(HWND tab, int index) {
        RECT r = ItemRect(tab, index);
        return POINT{r.left + 4, r.top + 4};
    }
    static bool TabShows(HWND tab, int index, const wchar_t* picture) {
        POINT p = TabPoint(tab, index);
        return Shows(tab, p.x, p.y, picture);
    }

    std::unique_ptr<TestDialog> dialog_;
    HWND slider_ = nullptr, sliderV_ = nullptr, tab_ = nullptr, tabWide_ = nullptr;
};

TEST_F(SkinSliderTab, VerticalSliderTakesItsOwnPictures) {
    ASSERT_EQ(SetWindowSkin(sliderV_, L"t.slider"), 1);
    ::SendMessageW(sliderV_, TBM_SETPOS, TRUE, 5);
    Repaint(sliderV_);
    EXPECT_TRUE(ThumbShows(sliderV_, L"slider.vthumb.normal"));
    RECT channel{};
    ::SendMessageW(sliderV_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    int x = (channel.left + channel.right) / 2;
    EXPECT_TRUE(Shows(sliderV_, x, 30, L"slider.vchannel.active"));
    EXPECT_TRUE(Shows(sliderV_, x, 170, L"slider.vchannel.normal"));
    // Disabled, it shows no fill.
    ::EnableWindow(sliderV_, FALSE);
    Repaint(sliderV_);
    EXPECT_TRUE(Shows(sliderV_, x, 30, L"slider.vchannel.normal"));
    ::EnableWindow(sliderV_, TRUE);
}

TEST_F(SkinSliderTab, SliderWithASelectionRangeFillsTheSelection) {
    ::SetWindowLongPtrW(slider_, GWL_STYLE, ::GetWindowLongPtrW(slider_, GWL_STYLE) | TBS_ENABLESELRANGE);
    ASSERT_EQ(SetWindowSkin(slider_, L"t.slider"), 1);
    // Where the control puts the thumb's middle for a value.
    auto at = [&](int value) {
        ::SendMessageW(slider_, TBM_SETPOS, TRUE, value);
        return Middle(Thumb(slider_)).x;
    };
    int one = at(1), four = at(4), seven = at(7);
    ::SendMessageW(slider_, TBM_SETSEL, TRUE, MAKELONG(2, 6));
    ::SendMessageW(slider_, TBM_SETPOS, TRUE, 9);
    Repaint(slider_);
    RECT channel{};
    ::SendMessageW(slider_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    int y = (channel.top + channel.bottom) / 2;
    EXPECT_TRUE(Shows(slider_, four, y, L"slider.channel.active"));
    EXPECT_TRUE(Shows(slider_, one, y, L"slider.channel.normal"));
    EXPECT_TRUE(Shows(slider_, seven, y, L"slider.channel.normal")) << "filled up to the thumb, not the selection";
    // Without a selection nothing is filled.
    ::SendMessageW(slider_, TBM_CLEARSEL, TRUE, 0);
    Repaint(slider_);
    EXPECT_TRUE(Shows(slider_, four, y, L"slider.channel.normal"));
}

TEST_F(SkinSliderTab, TabTextsTakeTheirStatesColours) {
    ASSERT_EQ(SetWindowSkin(tab_, L"t.tab"), 1);
    ::SendMessageW(tab_, TCM_SETCURSEL, 2, 0);
    SpyGraphics spy;
    Repaint(tab_);
    int normal = 0, checked = 0;
    for (const SpyGraphics::Text& t : spy.Texts()) {
        if (t.format & kSkinDtCalcRect) continue;
        if (t.text == L"Three") checked += Rgb(t.color) == common_controls_test::kTabTextChecked;
        if (t.text == L"One" || t.text == L"Two") normal += Rgb(t.color) == common_controls_test::kTabTextNormal;
    }
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(normal, 2);
    // Disabled, every text is grey.
    ::EnableWindow(tab_, FALSE);
    spy.Clear();
    Repaint(tab_);
    for (const SpyGraphics::Text& t : spy.Texts()) {
        if (!(t.format & kSkinDtCalcRect)) {
            EXPECT_EQ(t.color, ::GetSysColor(COLOR_GRAYTEXT)) << testing::PrintToString(t.text);
        }
    }
    ::EnableWindow(tab_, TRUE);
}

TEST_F(SkinSliderTab, TabsStandOnTheirSideWithTheirPicturesIconsAndTurnedText) {
    ::SetWindowLongPtrW(tab_, GWL_STYLE, ::GetWindowLongPtrW(tab_, GWL_STYLE) | TCS_VERTICAL | TCS_MULTILINE);
    ::SetWindowPos(tab_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    HIMAGELIST images = ::ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    std::vector<uint32_t> bits(16 * 16, 0xFF1070B0u);
    HBITMAP icon = ::CreateBitmap(16, 16, 1, 32, bits.data());
    ::ImageList_Add(images, icon, nullptr);
    ::DeleteObject(icon);
    ::SendMessageW(tab_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    AddTab(tab_, L"Pictured", 0);
    ASSERT_EQ(SetWindowSkin(tab_, L"t.tab"), 1);
    SpyGraphics spy;
    Repaint(tab_);
    EXPECT_TRUE(TabShows(tab_, 0, L"tab.left.checked"));
    EXPECT_TRUE(TabShows(tab_, 1, L"tab.left.normal"));
    // Vertical text is drawn turned, in a font of its own.
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(tab_, WM_GETFONT, 0, 0));
    bool turned = false;
    for (const SpyGraphics::Text& t : spy.Texts())
        if (t.text == L"Two" && !(t.format & kSkinDtCalcRect)) turned = t.font && t.font != font;
    EXPECT_TRUE(turned);
    // The icon, centred across the tab.
    RECT item = ItemRect(tab_, 3);
    bool iconSeen = false;
    for (int y = item.top; y < item.bottom && !iconSeen; ++y)
        iconSeen = Near(ClientPixel(tab_, (item.left + item.right) / 2, y), 0x1070B0, 3);
    EXPECT_TRUE(iconSeen);

    ::SendMessageW(tab_, TCM_SETIMAGELIST, 0, 0);
    ::ImageList_Destroy(images);
    ::SetWindowLongPtrW(tab_, GWL_STYLE, (::GetWindowLongPtrW(tab_, GWL_STYLE) & ~TCS_VERTICAL) | TCS_BOTTOM);
    ::SetWindowPos(tab_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Repaint(tab_);
    EXPECT_TRUE(TabShows(tab_, 0, L"tab.bottom.checked"));
    EXPECT_TRUE(TabShows(tab_, 1, L"tab.bottom.normal"));

    // Button-style tabs take the push button's faces, pressed when selected.
    ::SetWindowLongPtrW(tab_, GWL_STYLE, (::GetWindowLongPtrW(tab_, GWL_STYLE) & ~TCS_BOTTOM) | TCS_BUTTONS);
    ::SetWindowPos(tab_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Repaint(tab_);
    EXPECT_TRUE(TabShows(tab_, 0, L"push.down"));
    EXPECT_TRUE(TabShows(tab_, 1, L"push.normal"));
}

TEST_F(SkinSliderTab, OwnerDrawnTabsAreDrawnByTheApplicationOnTheirSkinnedFaces) {
    ::SetWindowLongPtrW(tab_, GWL_STYLE, ::GetWindowLongPtrW(tab_, GWL_STYLE) | TCS_OWNERDRAWFIXED);
    ASSERT_EQ(SetWindowSkin(tab_, L"t.tab"), 1);
    int before = dialog_->Seen(WM_DRAWITEM);
    SpyGraphics spy;
    Repaint(tab_);
    EXPECT_EQ(dialog_->Seen(WM_DRAWITEM) - before, 3) << "one WM_DRAWITEM per tab";
    EXPECT_TRUE(TabShows(tab_, 1, L"tab.top.normal"));
    for (const SpyGraphics::Text& t : spy.Texts()) EXPECT_NE(t.text, L"Two") << "the skin drew an owner-drawn text";
}

// Records the sizes a window is told, from above the skin.
std::vector<LPARAM> g_sizes;
WNDPROC g_beneath = nullptr;
LRESULT CALLBACK RecordSizes(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_SIZE) g_sizes.push_back(lp);
    return ::CallWindowProcW(g_beneath, w, m, wp, lp);
}

TEST_F(SkinSliderTab, ScrollArrowsOfALongRowAreSkinnedAndPlacedWithoutAFalseSize) {
    ASSERT_EQ(SetWindowSkin(tabWide_, L"t.tab"), 1);
    g_sizes.clear();
    g_beneath = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(tabWide_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordSizes)));
    for (int i = 0; i < 8; ++i) AddTab(tabWide_, (L"Tab number " + std::to_wstring(i)).c_str());
    Pump(100);
    for (LPARAM size : g_sizes) EXPECT_NE(size, 0) << "the control was told a size of 0 x 0";
    ::SetWindowLongPtrW(tabWide_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_beneath));

    HWND arrows = ::FindWindowExW(tabWide_, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(arrows, nullptr) << "the row fits after all";
    EXPECT_NE(::GetPropW(arrows, kSkinPropObject), nullptr) << "the arrows are not skinned";
    RECT client{}, placed{};
    ::GetClientRect(tabWide_, &client);
    ::GetWindowRect(arrows, &placed);
    ::MapWindowPoints(nullptr, tabWide_, reinterpret_cast<POINT*>(&placed), 2);
    RECT row = ItemRect(tabWide_, 0);
    EXPECT_EQ(placed.right, client.right);
    EXPECT_EQ(placed.top, row.top);
    EXPECT_EQ(placed.bottom, row.bottom);
    Repaint(tabWide_);
    Repaint(arrows);
    EXPECT_TRUE(Shows(arrows, 3, (placed.bottom - placed.top) / 2, L"spin.left.normal"));
    // Arrows made after the skin was attached are skinned too: the row
    // shrinks below the need for them and grows again.
    for (int i = 0; i < 6; ++i) ::SendMessageW(tabWide_, TCM_DELETEITEM, 0, 0);
    for (int i = 0; i < 6; ++i) AddTab(tabWide_, (L"Tab again " + std::to_wstring(i)).c_str());
    HWND again = ::FindWindowExW(tabWide_, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(::GetPropW(again, kSkinPropObject), nullptr);
}

TEST_F(SkinSliderTab, PaintingKeepsNoGraphicsObjects) {
    HWND spin = dialog_->Item(kSpin), bar = dialog_->Item(kBar);
    ASSERT_EQ(SetWindowSkin(slider_, L"t.slider"), 1);
    ASSERT_EQ(SetWindowSkin(tab_, L"t.tab"), 1);
    ASSERT_EQ(SetWindowSkin(spin, L"t.spin"), 1);
    ASSERT_EQ(SetWindowSkin(bar, L"t.progress.grid"), 1);
    ::SendMessageW(bar, PBM_SETPOS, 40, 0);
    ::SetWindowLongPtrW(tabWide_, GWL_STYLE, ::GetWindowLongPtrW(tabWide_, GWL_STYLE) | TCS_VERTICAL | TCS_MULTILINE);
    for (const wchar_t* text : {L"Up", L"Down"}) AddTab(tabWide_, text);
    ASSERT_EQ(SetWindowSkin(tabWide_, L"t.tab"), 1);
    const HWND all[] = {slider_, tab_, spin, bar, tabWide_};
    // The first paints make what is kept for good: the turned fonts, the
    // composed pictures of the drawing layer.
    for (int i = 0; i < 20; ++i)
        for (HWND w : all) Repaint(w);
    long before = SkinGraphics().LiveObjects();
    // The benchmark paints 10 000 times; a leak shows in far fewer.
    for (int i = 0; i < 300; ++i) {
        for (HWND w : all) {
            ::InvalidateRect(w, nullptr, FALSE);
            ::UpdateWindow(w);
        }
    }
    EXPECT_EQ(SkinGraphics().LiveObjects(), before);
}

}  // namespace
