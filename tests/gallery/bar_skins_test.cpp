// The toolbar, status bar, rebar and control bar skins in the gallery under
// its solid-colour test theme: what each part of a bar shows, read from the
// screen, the toolbar's faces following the real mouse, status texts read
// whole whatever their length, and owner-drawn parts left to the parent.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gallery/gallery_fixture.h"
#include "skin/skin_test_dialog.h"
#include "skin/spy_graphics.h"
#include "skin/windows/manager/skin_class_proc_win32.h"
#include "skin/windows/skin_api_win32.h"
#include "support/win_test_support.h"

using namespace gallery_test;

namespace {

RECT ItemRect(HWND toolbar, int index) {
    RECT r{};
    ::SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
}

RECT PartRect(HWND status, int index) {
    RECT r{};
    ::SendMessageW(status, SB_GETRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
}

uint32_t System(int index) { return skin_test::Rgb(::GetSysColor(index)); }

class BarSkins : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gallery_.Ready());
        gallery_.MoveAway();
        toolbar_ = gallery_.Control(IDC_GALLERY_TOOLBAR);
        status_ = gallery_.Control(IDC_GALLERY_STATUSBAR);
        rebar_ = gallery_.Control(IDC_GALLERY_REBAR);
        ASSERT_TRUE(toolbar_ && status_ && rebar_);
    }
    // The name of what the toolbar shows at a point of button `index`.
    std::string ToolbarAt(int index, int dx, int dy) const {
        RECT r = ItemRect(toolbar_, index);
        return gallery_.NameAt(IDC_GALLERY_TOOLBAR, r.left + dx, r.top + dy);
    }
    bool WaitForToolbar(int index, const std::string& name, DWORD ms = 2000) const {
        return skin_test::PumpUntil([&] { return ToolbarAt(index, 1, 1) == name; }, ms);
    }

    GalleryUnderTest gallery_;
    HWND toolbar_ = nullptr, status_ = nullptr, rebar_ = nullptr;
};

// The gallery's toolbar: new, open, save, |, cut, copy, paste (disabled), |,
// print (drop-down), properties (checked).
constexpr int kNew = 0, kOpen = 1, kSave = 2, kFirstSeparator = 3, kPaste = 6, kPrint = 8, kProperties = 9;

TEST_F(BarSkins, ToolbarButtonsSeparatorsAndDropArrowsByState) {
    RECT client = gallery_.ClientRect(IDC_GALLERY_TOOLBAR);
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_TOOLBAR, client.right - 3, client.bottom / 2),
              "gallery.toolbar.background.horiz");
    EXPECT_EQ(ToolbarAt(kNew, 1, 1), "gallery.toolbar.button.normal");
    EXPECT_EQ(ToolbarAt(kPaste, 1, 1), "gallery.toolbar.button.disable");
    EXPECT_EQ(ToolbarAt(kProperties, 1, 1), "gallery.toolbar.button.down") << "a checked button is down";
    {
        // The disabled button's icon greyed, not tinted: every pixel is a
        // grey, the face, or a mix of the two, so its channels differ from
        // one another as a grey's (not at all) or the face's do, or between.
        RECT paste = ItemRect(toolbar_, kPaste);
        ::MapWindowPoints(toolbar_, nullptr, reinterpret_cast<POINT*>(&paste), 2);
        const uint32_t face = ThemeColours::Get().Of("gallery.toolbar.button.disable");
        testing_support::Pixels pixels = testing_support::CaptureScreenArea(paste);
        int icon = 0, coloured = 0;
        for (uint32_t p : pixels.data) {
            if (p == face) continue;
            ++icon;
            auto mixOk = [&](int shift) {
                const int d = static_cast<int>(p >> shift & 0xFF) - static_cast<int>(p >> 16 & 0xFF);
                const int f = static_cast<int>(face >> shift & 0xFF) - static_cast<int>(face >> 16 & 0xFF);
                return d >= std::min(0, f) - 10 && d <= std::max(0, f) + 10;
            };
            if (!mixOk(8) || !mixOk(0)) ++coloured;
        }
        EXPECT_GT(icon, 20) << "no icon on the disabled button";
        EXPECT_EQ(coloured, 0) << "the disabled icon keeps colour";
    }

    RECT sep = ItemRect(toolbar_, kFirstSeparator);
    int middle = (sep.left + sep.right) / 2;
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_TOOLBAR, middle, (sep.top + sep.bottom) / 2),
              "gallery.toolbar.separator.horiz");
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_TOOLBAR, middle, sep.top), "gallery.toolbar.background.horiz")
        << "the line stops short of the bar's edges";

    // The split drop-down part: its own face, the arrow picture at its middle.
    RECT print = ItemRect(toolbar_, kPrint);
    RECT button = ItemRect(toolbar_, kNew);
    int arrowLeft = print.left + (button.right - button.left);
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_TOOLBAR, (arrowLeft + print.right) / 2, (print.top + print.bottom) / 2),
              "gallery.toolbar.drop.horiz");
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_TOOLBAR, print.right - 2, print.top + 1), "gallery.toolbar.button.normal");
}

TEST_F(BarSkins, ToolbarButtonShowsHoverAndPressedFaces) {
    RECT open = ItemRect(toolbar_, kOpen);
    gallery_.MoveTo(IDC_GALLERY_TOOLBAR, (open.left + open.right) / 2, (open.top + open.bottom) / 2);
    EXPECT_TRUE(WaitForToolbar(kOpen, "gallery.toolbar.button.over")) << ToolbarAt(kOpen, 1, 1);
    EXPECT_EQ(ToolbarAt(kNew, 1, 1), "gallery.toolbar.button.normal");
    gallery_.Press();
    EXPECT_TRUE(WaitForToolbar(kOpen, "gallery.toolbar.button.down")) << ToolbarAt(kOpen, 1, 1);
    gallery_.Release();
    EXPECT_TRUE(WaitForToolbar(kOpen, "gallery.toolbar.button.over")) << "the release ends the press";

    // On to the next button: the face moves with the mouse.
    RECT save = ItemRect(toolbar_, kSave);
    gallery_.MoveTo(IDC_GALLERY_TOOLBAR, (save.left + save.right) / 2, (save.top + save.bottom) / 2);
    EXPECT_TRUE(WaitForToolbar(kSave, "gallery.toolbar.button.over"));
    EXPECT_TRUE(WaitForToolbar(kOpen, "gallery.toolbar.button.normal"));
    // A disabled button stays disabled under the mouse.
    RECT paste = ItemRect(toolbar_, kPaste);
    gallery_.MoveTo(IDC_GALLERY_TOOLBAR, (paste.left + paste.right) / 2, (paste.top + paste.bottom) / 2);
    skin_test::Pump(200);
    EXPECT_EQ(ToolbarAt(kPaste, 1, 1), "gallery.toolbar.button.disable");
    gallery_.MoveAway();
    // Wine notices the mouse leaving by polling.
    EXPECT_TRUE(WaitForToolbar(kSave, "gallery.toolbar.button.normal", 3000)) << "the over face stuck";
}

TEST_F(BarSkins, DisabledToolbarShowsEveryButtonDisabled) {
    ::EnableWindow(toolbar_, FALSE);
    RECT open = ItemRect(toolbar_, kOpen);
    gallery_.MoveTo(IDC_GALLERY_TOOLBAR, (open.left + open.right) / 2, (open.top + open.bottom) / 2);
    skin_test::Pump(200);
    EXPECT_TRUE(WaitForToolbar(kOpen, "gallery.toolbar.button.disable"));
    EXPECT_EQ(ToolbarAt(kProperties, 1, 1), "gallery.toolbar.button.disable");
    gallery_.MoveAway();
    ::EnableWindow(toolbar_, TRUE);
    EXPECT_TRUE(WaitForToolbar(kProperties, "gallery.toolbar.button.down"));
}

TEST_F(BarSkins, StatusBarDrawsBackgroundSeparatorsTextsAndGrip) {
    RECT p0 = PartRect(status_, 0), p1 = PartRect(status_, 1);
    const int y = (p0.top + p0.bottom) / 2;
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_STATUSBAR, p0.right - 4, y), "gallery.statusbar.background");
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_STATUSBAR, (p0.right + p1.left) / 2, y), "gallery.statusbar.separator");
    EXPECT_TRUE(AreaShows(status_, RECT{p0.left, p0.top, p0.left + 60, p0.bottom},
                          ThemeColours::Get().Of("gallery.statusbar.text")))
        << "the part's text in the skin's colour";

    // The size grip in the corner, once the bar has one.
    RECT client = gallery_.ClientRect(IDC_GALLERY_STATUSBAR);
    // (Inside the dialog's rounded corner.)
    const int gx = client.right - 5, gy = client.bottom - 5;
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_STATUSBAR, gx, gy), "gallery.statusbar.background");
    LONG_PTR style = ::GetWindowLongPtrW(status_, GWL_STYLE);
    ::SetWindowLongPtrW(status_, GWL_STYLE, style | SBARS_SIZEGRIP);
    gallery_.Repaint(IDC_GALLERY_STATUSBAR);
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_STATUSBAR, gx, gy), "gallery.statusbar.grip");
    ::SetWindowLongPtrW(status_, GWL_STYLE, style);

    // Simple mode: one text across the bar, no separators.
    ::SendMessageW(status_, SB_SIMPLE, TRUE, 0);
    ::SendMessageW(status_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(L"Simple mode"));
    gallery_.Repaint(IDC_GALLERY_STATUSBAR);
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_STATUSBAR, (p0.right + p1.left) / 2, y), "gallery.statusbar.background");
    EXPECT_TRUE(AreaShows(status_, RECT{p0.left, p0.top, p0.left + 60, p0.bottom},
                          ThemeColours::Get().Of("gallery.statusbar.text")));
    ::SendMessageW(status_, SB_SIMPLE, FALSE, 0);
}

// The texts the skin drew on the status bar since `spy` was cleared.
std::vector<std::wstring> DrawnTexts(const SpyGraphics& spy) {
    std::vector<std::wstring> texts;
    for (const SpyGraphics::Text& t : spy.Texts())
        if (!(t.format & kSkinDtCalcRect)) texts.push_back(t.text);
    return texts;
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    for (const std::wstring& t : texts)
        if (t == text) return true;
    return false;
}

TEST_F(BarSkins, StatusTextsAreReadWholeWhateverTheirLength) {
    // Longer than any fixed buffer a status text could be read into.
    const std::wstring left(3000, L'x');
    const std::wstring text = left + L"\tcentre\tEND";
    ::SendMessageW(status_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
    SpyGraphics spy;
    gallery_.Repaint(IDC_GALLERY_STATUSBAR);
    std::vector<std::wstring> texts = DrawnTexts(spy);
    EXPECT_TRUE(Contains(texts, left)) << "the left piece whole";
    EXPECT_TRUE(Contains(texts, L"centre"));
    EXPECT_TRUE(Contains(texts, L"END")) << "the text's end";
}

// Records the owner-draw requests the dialog receives.
struct DrawItemSpy {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DRAWITEM) {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item && item->hwndItem == watched) {
                seen.push_back(*item);
                return TRUE;
            }
        }
        return ::CallWindowProcW(previous, window, message, wParam, lParam);
    }
    static WNDPROC previous;
    static HWND watched;
    static std::vector<DRAWITEMSTRUCT> seen;
};
WNDPROC DrawItemSpy::previous = nullptr;
HWND DrawItemSpy::watched = nullptr;
std::vector<DRAWITEMSTRUCT> DrawItemSpy::seen;

TEST_F(BarSkins, OwnerDrawnPartsGoToTheParentWithTheirValue) {
    // The part's "text" is a value of the application's, never a string.
    const LPARAM value = 0x5EED1234;
    ::SendMessageW(status_, SB_SETTEXTW, 2 | SBT_OWNERDRAW, value);
    DrawItemSpy::watched = status_;
    DrawItemSpy::seen.clear();
    DrawItemSpy::previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(gallery_.Dialog(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DrawItemSpy::Proc)));
    SpyGraphics spy;
    gallery_.Repaint(IDC_GALLERY_STATUSBAR);
    ::SetWindowLongPtrW(gallery_.Dialog(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DrawItemSpy::previous));
    ASSERT_FALSE(DrawItemSpy::seen.empty());
    const DRAWITEMSTRUCT& item = DrawItemSpy::seen.back();
    EXPECT_EQ(item.itemID, 2u);
    EXPECT_EQ(item.itemData, static_cast<ULONG_PTR>(value));
    EXPECT_EQ(item.CtlID, static_cast<UINT>(IDC_GALLERY_STATUSBAR));
    RECT p2 = PartRect(status_, 2);
    EXPECT_TRUE(::EqualRect(&item.rcItem, &p2));
    EXPECT_NE(item.hDC, nullptr);
    EXPECT_TRUE(Contains(DrawnTexts(spy), L"Theme: test")) << "the other parts as before";
}

TEST_F(BarSkins, RebarDrawsBackgroundGrippersLabelsAndBandBorders) {
    RECT band0{}, band1{};
    ::SendMessageW(rebar_, RB_GETRECT, 0, reinterpret_cast<LPARAM>(&band0));
    ::SendMessageW(rebar_, RB_GETRECT, 1, reinterpret_cast<LPARAM>(&band1));
    const int y = (band0.top + band0.bottom) / 2;
    // Gripper at the band's start, then the label, then the child.
    EXPECT_EQ(gallery_.Pixel(IDC_GALLERY_REBAR, band0.left + 2, y), System(COLOR_BTNSHADOW));
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_REBAR, band0.left + 6, band0.top + 1), "gallery.rebar.background.horiz");
    HWND edit = gallery_.Control(IDC_GALLERY_REBAR_EDIT);
    RECT child{};
    ::GetWindowRect(edit, &child);
    ::MapWindowPoints(nullptr, rebar_, reinterpret_cast<POINT*>(&child), 2);
    EXPECT_TRUE(AreaShows(rebar_, RECT{band0.left + 6, band0.top, child.left, band0.bottom}, System(COLOR_BTNTEXT)))
        << "the band's label";
    // The etched line between the two bands.
    EXPECT_EQ(gallery_.Pixel(IDC_GALLERY_REBAR, band0.right, y), System(COLOR_BTNSHADOW));
    EXPECT_EQ(gallery_.Pixel(IDC_GALLERY_REBAR, band0.right + 1, y), System(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_REBAR, band1.right - 1, band1.top), "gallery.rebar.background.horiz");
}

TEST_F(BarSkins, RebarBandCutShortShowsItsDropPicture) {
    // The second band wants more room than it has.
    REBARBANDINFOW band{};
    band.cbSize = REBARBANDINFOW_V6_SIZE;
    band.fMask = RBBIM_STYLE | RBBIM_IDEALSIZE;
    ::SendMessageW(rebar_, RB_GETBANDINFOW, 1, reinterpret_cast<LPARAM>(&band));
    band.fStyle |= RBBS_USECHEVRON;
    band.cxIdeal = 2000;
    ::SendMessageW(rebar_, RB_SETBANDINFOW, 1, reinterpret_cast<LPARAM>(&band));
    gallery_.Repaint(IDC_GALLERY_REBAR);
    RECT r{};
    ::SendMessageW(rebar_, RB_GETRECT, 1, reinterpret_cast<LPARAM>(&r));
    // The child leaves room for it: the drop picture at the band's end.
    HWND combo = gallery_.Control(IDC_GALLERY_REBAR_COMBO);
    RECT child{};
    ::GetWindowRect(combo, &child);
    ::MapWindowPoints(nullptr, rebar_, reinterpret_cast<POINT*>(&child), 2);
    ASSERT_LT(child.right, r.right);
    EXPECT_TRUE(AreaShows(rebar_, RECT{child.right, r.top, r.right, r.bottom},
                          ThemeColours::Get().Of("gallery.rebar.drop.horiz")));
}

// A top-level window holding control bars of the gallery's class.
class BarHost {
public:
    BarHost() {
        host_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"Static", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
                                  420, 360, nullptr, nullptr, nullptr, nullptr);
    }
    ~BarHost() {
        if (host_) ::DestroyWindow(host_);
    }
    HWND Add(int x, int y, int w, int h, const wchar_t* cls = L"" GALLERY_CONTROLBAR_CLASS, DWORD style = 0) {
        return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | style, x, y, w, h, host_,
                                 nullptr, nullptr, nullptr);
    }

private:
    HWND host_ = nullptr;
};

TEST_F(BarSkins, ControlBarDrawsItsPictureByOrientation) {
    HWND docked = gallery_.Control(IDC_GALLERY_CONTROLBAR);
    RECT r = gallery_.ClientRect(IDC_GALLERY_CONTROLBAR);
    EXPECT_EQ(ClientNameAt(docked, r.right / 2, r.bottom / 2), "gallery.controlbar.background.horiz");

    BarHost host;
    HWND wide = host.Add(10, 10, 300, 30), high = host.Add(10, 50, 30, 300);
    ASSERT_TRUE(wide && high);
    // Skinned by class, whatever id is asked for.
    EXPECT_EQ(SetWindowSkin(wide, L"any id"), 1);
    EXPECT_EQ(SetWindowSkin(high, L""), 1);
    ::RedrawWindow(wide, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ::RedrawWindow(high, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    skin_test::Pump(100);
    EXPECT_EQ(ClientNameAt(wide, 150, 15), "gallery.controlbar.background.horiz");
    EXPECT_EQ(ClientNameAt(high, 15, 150), "gallery.controlbar.background.vert");
    // Turned the other way, the pictures swap.
    ::SetWindowPos(wide, nullptr, 0, 0, 30, 300, SWP_NOMOVE | SWP_NOZORDER);
    skin_test::Pump(100);
    EXPECT_TRUE(skin_test::PumpUntil(
        [&] { return ClientNameAt(wide, 15, 150) == "gallery.controlbar.background.vert"; }, 2000));
}

}  // namespace

namespace {

// A toolbar of its own in a window of its own: two buttons with texts, a
// separator between them.
HWND AddToolbar(BarHost& host, DWORD style, int x, int y, int w, int h) {
    HWND toolbar = host.Add(x, y, w, h, TOOLBARCLASSNAMEW, style | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    TBBUTTON buttons[] = {
        {STD_FILENEW, 3001, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"New")},
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {STD_FILEOPEN, 3002, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"Open")},
    };
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
    return toolbar;
}

TEST_F(BarSkins, ToolbarTextsAndAVerticalBarsPictures) {
    BarHost host;
    HWND list = AddToolbar(host, TBSTYLE_FLAT | TBSTYLE_LIST, 10, 10, 380, 30);
    HWND vertical = AddToolbar(host, TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_VERT, 10, 60, 60, 250);
    ASSERT_TRUE(list && vertical);
    SpyGraphics spy;
    EXPECT_EQ(SetWindowSkin(list, L"gallery.toolbar"), 1);
    EXPECT_EQ(SetWindowSkin(vertical, L"gallery.toolbar"), 1);
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ::RedrawWindow(vertical, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    skin_test::Pump(100);
    // The buttons' texts, read whole, in the button-text colour.
    std::vector<std::wstring> texts = DrawnTexts(spy);
    EXPECT_TRUE(Contains(texts, L"New"));
    EXPECT_TRUE(Contains(texts, L"Open"));
    for (const SpyGraphics::Text& t : spy.Texts())
        if (t.text == L"Open" && !(t.format & kSkinDtCalcRect)) EXPECT_EQ(t.color, ::GetSysColor(COLOR_BTNTEXT));

    RECT client{};
    ::GetClientRect(list, &client);
    EXPECT_EQ(ClientNameAt(list, client.right - 3, client.bottom / 2), "gallery.toolbar.background.horiz");
    ::GetClientRect(vertical, &client);
    EXPECT_EQ(ClientNameAt(vertical, client.right / 2, client.bottom - 3), "gallery.toolbar.background.vert");
    // A vertical bar's separator picture, along the separator's longer side.
    RECT sep = ItemRect(vertical, 1);
    EXPECT_EQ(ClientNameAt(vertical, (sep.left + sep.right) / 2, (sep.top + sep.bottom) / 2),
              "gallery.toolbar.separator.vert");
}

// How many pixels of row `y` of the client area, from `left` to `right`,
// show the picture `name`.
int RunOf(HWND window, int left, int right, int y, const std::string& name) {
    int n = 0;
    for (int x = left; x < right; ++x) n += ClientNameAt(window, x, y) == name ? 1 : 0;
    return n;
}

// The skin object of a control at a display scale, as a WM_DPICHANGED
// would set it; back at 96 DPI when the test ends.
class AtScale {
public:
    AtScale(HWND window, int dpi) : window_(window) { Set(dpi); }
    ~AtScale() { Set(96); }
    bool Ok() const { return SkinObjectOf(window_) != nullptr; }

private:
    void Set(int dpi) {
        if (CSkinBase* object = SkinObjectOf(window_)) object->SetScale(SkinScale(dpi));
        ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        skin_test::Pump(50);
    }
    HWND window_;
};

TEST_F(BarSkins, BarPicturesAndSizesFollowTheWindowsScale) {
    const ThemeColour* separator = ThemeColours::Get().ByName("gallery.toolbar.separator.horiz");
    const ThemeColour* grip = ThemeColours::Get().ByName("gallery.statusbar.grip");
    ASSERT_TRUE(separator && grip);
    RECT sep = ItemRect(toolbar_, kFirstSeparator);
    const int y = (sep.top + sep.bottom) / 2;
    EXPECT_EQ(RunOf(toolbar_, sep.left, sep.right, y, separator->name), separator->width);
    {
        AtScale scaled(toolbar_, 144);
        ASSERT_TRUE(scaled.Ok());
        EXPECT_EQ(RunOf(toolbar_, sep.left, sep.right, y, separator->name), SkinScale(144).Scale(separator->width))
            << "the separator drawn at its 96-DPI width";
    }

    // The status bar's grip picture at its size for the scale, in the corner.
    LONG_PTR style = ::GetWindowLongPtrW(status_, GWL_STYLE);
    ::SetWindowLongPtrW(status_, GWL_STYLE, style | SBARS_SIZEGRIP);
    RECT client = gallery_.ClientRect(IDC_GALLERY_STATUSBAR);
    const int big = SkinScale(144).Scale(grip->width);
    const int gx = client.right - big + 1, gy = client.bottom - big + 1;
    gallery_.Repaint(IDC_GALLERY_STATUSBAR);
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_STATUSBAR, gx, gy), "gallery.statusbar.background");
    {
        AtScale scaled(status_, 144);
        EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_STATUSBAR, gx, gy), grip->name) << "the grip drawn at 96 DPI";
    }
    ::SetWindowLongPtrW(status_, GWL_STYLE, style);
    gallery_.Repaint(IDC_GALLERY_STATUSBAR);

    // A field's frame ring grows with the scale and shrinks back.
    HWND hotkey = gallery_.Control(IDC_GALLERY_HOTKEY);
    RECT window{};
    ::GetWindowRect(hotkey, &window);
    const int width = window.right - window.left;
    {
        AtScale scaled(hotkey, 144);
        RECT inner = gallery_.ClientRect(IDC_GALLERY_HOTKEY);
        EXPECT_EQ(inner.right, width - 2 * 3);
        EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_HOTKEY, -3, inner.bottom / 2), "gallery.hotkey.frame.normal");
    }
    EXPECT_EQ(gallery_.ClientRect(IDC_GALLERY_HOTKEY).right, width - 2 * 2);
}

// Paints a control whole, frame included, now.
void PaintWhole(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

TEST_F(BarSkins, NoBarOrFieldKeepsAGraphicsObjectPerPaint) {
    // Wine caps a process's graphics objects: what a paint makes, it frees.
    const int ids[] = {IDC_GALLERY_TOOLBAR,   IDC_GALLERY_REBAR,  IDC_GALLERY_STATUSBAR, IDC_GALLERY_CONTROLBAR,
                       IDC_GALLERY_IPADDRESS, IDC_GALLERY_HOTKEY, IDC_GALLERY_DATETIME,  IDC_GALLERY_TIME};
    for (int id : ids) {
        HWND control = gallery_.Control(id);
        ASSERT_NE(control, nullptr) << id;
        // The first paints may fill the pictures' caches of composed pieces.
        for (int i = 0; i < 3; ++i) PaintWhole(control);
        skin_test::Pump(20);
        const long before = SkinGraphics().LiveObjects();
        for (int i = 0; i < 300; ++i) PaintWhole(control);
        skin_test::Pump(20);
        EXPECT_EQ(SkinGraphics().LiveObjects(), before) << "control " << id;
    }
}

}  // namespace
