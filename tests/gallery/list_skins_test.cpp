// The list-like controls in the gallery under the test theme, judged from
// screen pixels and driven by the real mouse. The list box: rows painted by
// state, the selection the list box and the screen agree on, the
// notifications a parent gets (and does not get), the keyboard, scrolling,
// hostile row heights and texts. The combo box with its drop-down list, the
// list view with its header, and the tree with its expand and collapse
// pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/win_handles.h"
#include "gallery/gallery_fixture.h"
#include "skin/scroll_test_support.h"
#include "skin/skin_test_dialog.h"
#include "skin/windows/skin_api_win32.h"

using namespace gallery_test;

namespace {

// What the dialog hears from its controls, recorded above the skin.
struct Heard {
    std::vector<std::pair<int, int>> commands;  // (control id, code)
    WNDPROC previous = nullptr;
    int Count(int id, int code) const {
        int n = 0;
        for (auto& c : commands) n += c.first == id && c.second == code;
        return n;
    }
};
Heard g_heard;

LRESULT CALLBACK Listen(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND) g_heard.commands.push_back({LOWORD(wp), HIWORD(wp)});
    return ::CallWindowProcW(g_heard.previous, w, m, wp, lp);
}

class ListSkins : public ::testing::Test {
protected:
    void SetUp() override {
        gallery_ = std::make_unique<GalleryUnderTest>();
        ASSERT_TRUE(gallery_->Ready());
        gallery_->MoveAway();
        list_ = gallery_->Control(IDC_GALLERY_LISTBOX);
        ASSERT_TRUE(list_);
        g_heard = Heard{};
        g_heard.previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(gallery_->Dialog(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Listen)));
        skin_test::Pump(50);
    }
    void TearDown() override {
        if (HasFailure() && gallery_) gallery_->SaveFailureScreenshot();
        gallery_->MoveAway();
        ::SetWindowLongPtrW(gallery_->Dialog(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_heard.previous));
        gallery_.reset();
    }
    RECT Row(int row) const {
        RECT r{};
        ::SendMessageW(list_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // The name of the screen colour at the row's left end, past the
    // pictures' rounded corners and before its text.
    std::string RowName(int row) const {
        RECT r = Row(row);
        return gallery_->NameAt(IDC_GALLERY_LISTBOX, r.left + 1, (r.top + r.bottom) / 2);
    }
    int Selection() const { return static_cast<int>(::SendMessageW(list_, LB_GETCURSEL, 0, 0)); }
    int SelChanges() const { return g_heard.Count(IDC_GALLERY_LISTBOX, LBN_SELCHANGE); }
    void Key(WPARAM key) {
        ::SendMessageW(list_, WM_KEYDOWN, key, 1);
        ::SendMessageW(list_, WM_KEYUP, key, 0xC0000001);
        skin_test::Pump(30);
    }
    void Fill(int rows) {
        ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        for (int i = 0; i < rows; ++i)
            ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"Row " + std::to_wstring(i)).c_str()));
        skin_test::Pump(50);
    }

    std::unique_ptr<GalleryUnderTest> gallery_;
    HWND list_ = nullptr;
};

TEST_F(ListSkins, RowsShowStripesHoverAndTheSelectionTheListBoxHolds) {
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    // The gallery selected row 1 itself: the list box and the screen agree.
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(::SendMessageW(list_, LB_GETSEL, 1, 0), 1);
    EXPECT_EQ(RowName(1), "gallery.listbox.row.checked");
    EXPECT_EQ(RowName(0), "gallery.listbox.stripe.even");
    EXPECT_EQ(RowName(2), "gallery.listbox.stripe.even");
    EXPECT_EQ(RowName(3), "gallery.listbox.stripe.odd");
    // The row height is the theme's.
    EXPECT_EQ(Row(0).bottom - Row(0).top, 20);

    RECT third = Row(3);
    gallery_->MoveTo(IDC_GALLERY_LISTBOX, 30, (third.top + third.bottom) / 2);
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_LISTBOX, third.left + 1, (third.top + third.bottom) / 2,
                                      "gallery.listbox.row.over"));
    EXPECT_EQ(RowName(2), "gallery.listbox.stripe.even");
    gallery_->MoveAway();
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_LISTBOX, third.left + 1, (third.top + third.bottom) / 2,
                                      "gallery.listbox.stripe.odd"));
}

TEST_F(ListSkins, AClickSelectsOnceAndTellsTheParentOnce) {
    RECT r = Row(2);
    gallery_->Click(IDC_GALLERY_LISTBOX, 30, (r.top + r.bottom) / 2);
    skin_test::Pump(100);
    EXPECT_EQ(SelChanges(), 1);
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(::SendMessageW(list_, LB_GETSEL, 2, 0), 1);
    EXPECT_EQ(::SendMessageW(list_, LB_GETSEL, 1, 0), 0);
    EXPECT_EQ(::GetFocus(), list_) << "a click gives the list the focus";
    EXPECT_TRUE(
        gallery_->WaitForName(IDC_GALLERY_LISTBOX, r.left + 1, (r.top + r.bottom) / 2, "gallery.listbox.row.checked"));
    // The same row again: nothing new.
    skin_test::Pump(600);  // past the double-click time
    gallery_->Click(IDC_GALLERY_LISTBOX, 30, (r.top + r.bottom) / 2);
    skin_test::Pump(100);
    EXPECT_EQ(SelChanges(), 1);
    // A double click reaches neither the list box nor its parent.
    RECT four = Row(4);
    gallery_->Click(IDC_GALLERY_LISTBOX, 30, (four.top + four.bottom) / 2);
    gallery_->Click(IDC_GALLERY_LISTBOX, 30, (four.top + four.bottom) / 2);
    skin_test::Pump(100);
    EXPECT_EQ(g_heard.Count(IDC_GALLERY_LISTBOX, LBN_DBLCLK), 0);
    EXPECT_EQ(Selection(), 4);
    EXPECT_EQ(SelChanges(), 2);
}

TEST_F(ListSkins, AProgramsOwnSelectionIsPaintedButNotNotified) {
    // A parent answering LBN_SELCHANGE with LB_SETCURSEL would recurse if
    // the program's call were notified.
    EXPECT_EQ(::SendMessageW(list_, LB_SETCURSEL, 5, 0), 5);
    EXPECT_EQ(::SendMessageW(list_, LB_SETCURSEL, 5, 0), 5);
    EXPECT_EQ(SelChanges(), 0);
    EXPECT_EQ(Selection(), 5);
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    EXPECT_EQ(RowName(5), "gallery.listbox.row.checked");
    EXPECT_EQ(RowName(1), "gallery.listbox.stripe.odd");
    // An index past the rows is refused and never stored; -1 clears.
    EXPECT_EQ(::SendMessageW(list_, LB_SETCURSEL, 0xFFFF, 0), LB_ERR);
    EXPECT_EQ(Selection(), 5);
    ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Selection(), -1);
    EXPECT_EQ(::SendMessageW(list_, LB_GETSEL, 5, 0), 0);
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    EXPECT_EQ(RowName(5), "gallery.listbox.stripe.odd");
    // A click below the last row of an empty list selects nothing.
    Fill(0);
    gallery_->Click(IDC_GALLERY_LISTBOX, 30, 30);
    skin_test::Pump(100);
    EXPECT_EQ(Selection(), -1);
    EXPECT_EQ(SelChanges(), 0);
}

TEST_F(ListSkins, TheKeyboardMovesTheSelectionThatIsPainted) {
    ::SetFocus(list_);
    ::SendMessageW(list_, LB_SETCURSEL, 1, 0);
    Key(VK_DOWN);
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(SelChanges(), 1);
    Key(VK_END);
    EXPECT_EQ(Selection(), 6);
    Key(VK_HOME);
    EXPECT_EQ(Selection(), 0);
    // Type-ahead: "F" goes to the next row starting with it.
    ::SendMessageW(list_, WM_CHAR, L'F', 1);
    skin_test::Pump(30);
    EXPECT_EQ(Selection(), 3) << "Fourth item";
    EXPECT_EQ(SelChanges(), 4);
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    EXPECT_EQ(RowName(3), "gallery.listbox.row.checked");
    EXPECT_EQ(RowName(0), "gallery.listbox.stripe.even");
}

TEST_F(ListSkins, AHundredRowsScrollByBarWheelAndKeyboardWithThePaintedRowsFollowing) {
    Fill(100);
    RECT client{}, outer{};
    ::GetClientRect(list_, &client);
    ::GetWindowRect(list_, &outer);
    // A client area of exactly ten rows.
    ::SetWindowPos(list_, nullptr, 0, 0, 160, outer.bottom - outer.top - client.bottom + 200,
                   SWP_NOMOVE | SWP_NOZORDER);
    skin_test::Pump(100);
    ::GetClientRect(list_, &client);
    ASSERT_EQ(client.bottom / 20, 10);
    SCROLLINFO info{sizeof info, SIF_ALL};
    ASSERT_TRUE(::GetScrollInfo(list_, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 99);
    EXPECT_EQ(info.nPage, 10u);
    EXPECT_EQ(info.nPos, 0);
    // The thumb: a tenth of the track, at least 20 pixels, at its start;
    // at the last page it ends where the track ends.
    const RECT sheet = scroll_test::BarBeside(list_);
    const int track = sheet.bottom - sheet.top - 32;
    const int thumb = std::max(20, MulDiv(10, track, 100));
    auto barName = [&](int y) {
        const ThemeColour* t = ThemeColours::Get().ByColour(scroll_test::WindowPixel(list_, sheet.left + 8, y));
        return t ? t->name : std::string();
    };
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    EXPECT_EQ(barName(sheet.top + 16 + 1), "gallery.scrollbar.sheet.v.thumb.normal");
    EXPECT_EQ(barName(sheet.top + 16 + thumb - 2), "gallery.scrollbar.sheet.v.thumb.normal");
    EXPECT_EQ(barName(sheet.top + 16 + thumb + 2), "gallery.scrollbar.sheet.v.track");

    ::SetFocus(list_);
    ::SendMessageW(list_, LB_SETCURSEL, 0, 0);
    Key(VK_NEXT);
    const int afterPage = Selection();
    EXPECT_GE(afterPage, 9);
    Key(VK_END);
    EXPECT_EQ(Selection(), 99);
    const LRESULT top = ::SendMessageW(list_, LB_GETTOPINDEX, 0, 0);
    EXPECT_EQ(top, 90);
    ASSERT_TRUE(::GetScrollInfo(list_, SB_VERT, &info));
    EXPECT_EQ(info.nPos, 90);
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    EXPECT_EQ(RowName(99), "gallery.listbox.row.checked");
    EXPECT_EQ(RowName(98), "gallery.listbox.stripe.even");
    EXPECT_EQ(barName(sheet.bottom - 16 - 2), "gallery.scrollbar.sheet.v.thumb.normal");
    EXPECT_EQ(barName(sheet.bottom - 16 - thumb - 2), "gallery.scrollbar.sheet.v.track");
    // A row height set again refreshes the bar where the list stands.
    ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, 20);
    ASSERT_TRUE(::GetScrollInfo(list_, SB_VERT, &info));
    EXPECT_EQ(info.nPos, 90);
    EXPECT_EQ(::SendMessageW(list_, LB_GETTOPINDEX, 0, 0), 90);

    // The wheel scrolls back up; the rows painted are the list's.
    POINT centre{60, 100};
    ::ClientToScreen(list_, &centre);
    for (int i = 0; i < 10; ++i)
        ::SendMessageW(list_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(centre.x, centre.y));
    skin_test::Pump(50);
    EXPECT_LT(::SendMessageW(list_, LB_GETTOPINDEX, 0, 0), 90);
    const int firstShown = static_cast<int>(::SendMessageW(list_, LB_GETTOPINDEX, 0, 0));
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    EXPECT_EQ(RowName(firstShown), firstShown % 2 ? "gallery.listbox.stripe.odd" : "gallery.listbox.stripe.even");

    // A drag of the thumb to the bottom.
    ::SendMessageW(list_, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    skin_test::Pump(50);
    EXPECT_EQ(::SendMessageW(list_, LB_GETTOPINDEX, 0, 0), 0);
    const RECT bar = scroll_test::BarBeside(list_);
    const int x = bar.left + 8;
    scroll_test::PlayMouse({scroll_test::MoveTo(scroll_test::ScreenOf(list_, x, bar.top + 20)), scroll_test::Down(),
                            scroll_test::MoveTo(scroll_test::ScreenOf(list_, x, bar.top + 100)),
                            scroll_test::MoveTo(scroll_test::ScreenOf(list_, x, bar.bottom + 40)), scroll_test::Up()});
    EXPECT_EQ(::SendMessageW(list_, LB_GETTOPINDEX, 0, 0), 90);
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    EXPECT_EQ(RowName(90), "gallery.listbox.stripe.even");
}

TEST_F(ListSkins, HostileHeightsAndLongRowsAreKeptSafe) {
    // Above 255 the list box refuses a height: the skin gives it 255.
    EXPECT_NE(::SendMessageW(list_, LB_SETITEMHEIGHT, 0, 300), LB_ERR);
    EXPECT_EQ(::SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0), 255);
    EXPECT_NE(::SendMessageW(list_, LB_SETITEMHEIGHT, 0, 0), LB_ERR);
    EXPECT_EQ(::SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0), 1);
    ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, 20);

    // A row of 5000 characters is read whole and drawn ellipsised.
    std::wstring longRow(5000, L'W');
    ::SendMessageW(list_, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(longRow.c_str()));
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    EXPECT_EQ(::SendMessageW(list_, LB_GETTEXTLEN, 0, 0), 5000);
    // Inserting above the selection moved it with its row.
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(RowName(2), "gallery.listbox.row.checked");
    RECT r = Row(0);
    int textPixels = 0;
    for (int x = r.left + 4; x < r.right - 4; ++x) {
        std::string name = gallery_->NameAt(IDC_GALLERY_LISTBOX, x, (r.top + r.bottom) / 2);
        textPixels += name == "gallery.listbox.text";
    }
    EXPECT_GT(textPixels, 10) << "the long row shows its text";
    ::SendMessageW(list_, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(Selection(), 1);
}

}  // namespace

namespace {

class ComboSkins : public ListSkins {};

TEST_F(ComboSkins, FrameAndButtonByStateAndTheDropDownListSkinnedScrollingAndSelecting) {
    HWND combo = gallery_->Control(IDC_GALLERY_COMBO);
    ASSERT_TRUE(combo);
    gallery_->Repaint(IDC_GALLERY_COMBO);
    RECT c = gallery_->ClientRect(IDC_GALLERY_COMBO);
    const int mid = c.bottom / 2;
    EXPECT_EQ(gallery_->NameAt(IDC_GALLERY_COMBO, 0, mid), "gallery.edit.frame.normal");
    EXPECT_EQ(gallery_->NameAt(IDC_GALLERY_COMBO, c.right - 8, 2), "gallery.combo.button.normal");
    gallery_->MoveTo(IDC_GALLERY_COMBO, c.right - 8, mid);
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_COMBO, 0, mid, "gallery.edit.frame.over"));
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_COMBO, c.right - 8, 2, "gallery.combo.button.over"));

    for (int i = 0; i < 40; ++i)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"Choice " + std::to_wstring(i)).c_str()));
    // Opened by the real mouse on its button.
    gallery_->Press();
    gallery_->Release();
    skin_test::Pump(200);
    ASSERT_TRUE(::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
    HWND list = info.hwndList;
    const RECT bar = scroll_test::BarBeside(list);
    ASSERT_GT(bar.bottom - bar.top, 40);
    auto listName = [&](int x, int y) {
        const ThemeColour* t = ThemeColours::Get().ByColour(scroll_test::WindowPixel(list, x, y));
        return t ? t->name : std::string();
    };
    EXPECT_EQ(listName(bar.left + 8, bar.top + 2), "gallery.scrollbar.sheet.v.first.normal");
    EXPECT_EQ(listName(bar.left + 8, bar.top + 20), "gallery.scrollbar.sheet.v.thumb.normal");
    EXPECT_EQ(listName(0, 10), "gallery.combo.border");

    // The wheel scrolls the list and its thumb.
    POINT centre{20, 20};
    ::ClientToScreen(list, &centre);
    for (int i = 0; i < 5; ++i)
        ::SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(centre.x, centre.y));
    skin_test::Pump(100);
    const LRESULT top = ::SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    EXPECT_GT(top, 0);
    EXPECT_NE(listName(bar.left + 8, bar.top + 20), "gallery.scrollbar.sheet.v.thumb.normal");

    // A click on a row selects it and closes the list.
    RECT row{};
    ::SendMessageW(list, LB_GETITEMRECT, top + 1, reinterpret_cast<LPARAM>(&row));
    scroll_test::PlayMouse({scroll_test::MoveTo(scroll_test::ScreenOf(list, 20, (row.top + row.bottom) / 2 + 1)),
                            scroll_test::Down(), scroll_test::Up()});
    skin_test::Pump(200);
    EXPECT_FALSE(::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), top + 1);
    EXPECT_EQ(g_heard.Count(IDC_GALLERY_COMBO, CBN_SELCHANGE), 1);
}

// The drop button of the gallery's combo: opened by the real mouse, closed
// in each way a user closes a list. The face is read before the mouse
// moves again, which would repaint the combo for its hover anyway.
class ComboButton : public ComboSkins {
protected:
    void SetUp() override {
        ComboSkins::SetUp();
        ASSERT_NO_FATAL_FAILURE(Use(IDC_GALLERY_COMBO));
    }
    void Use(int id) {
        id_ = id;
        combo_ = gallery_->Control(id_);
        ASSERT_TRUE(combo_);
        for (int i = 0; i < 12; ++i)
            ::SendMessageW(combo_, CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>((L"Choice " + std::to_wstring(i)).c_str()));
        c_ = gallery_->ClientRect(id_);
    }
    std::string Face() const { return gallery_->NameAt(id_, c_.right - 8, 2); }
    bool Dropped() const { return ::SendMessageW(combo_, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }
    HWND List() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        return ::GetComboBoxInfo(combo_, &info) ? info.hwndList : nullptr;
    }
    void Open() {
        skin_test::Pump(600);  // past the double-click time of the click before
        gallery_->Click(id_, c_.right - 8, c_.bottom / 2);
        skin_test::Pump(150);
        ASSERT_TRUE(Dropped());
        EXPECT_TRUE(gallery_->WaitForName(id_, c_.right - 8, 2, "gallery.combo.button.down"))
            << "open, the button shows " << Face();
    }
    bool FaceUp() const {
        return skin_test::PumpUntil(
            [&] {
                const std::string face = Face();
                return face == "gallery.combo.button.normal" || face == "gallery.combo.button.over";
            },
            2000);
    }
    void OpenAndCloseEveryWay();
    static void Key(WORD vk) {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = vk;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, keys, sizeof(INPUT));
        skin_test::Pump(100);
    }

    int id_ = 0;
    HWND combo_ = nullptr;
    RECT c_{};
};

// Both the gallery's drop-down list combo, which nothing else repaints as
// its list closes, and its editable one, whose edit's notifications do.
TEST_F(ComboButton, IsDownExactlyWhileTheListIsOpenHoweverItCloses) {
    for (int id : {IDC_GALLERY_REBAR_COMBO, IDC_GALLERY_COMBO}) {
        SCOPED_TRACE(id);
        ASSERT_NO_FATAL_FAILURE(Use(id));
        OpenAndCloseEveryWay();
    }
}

void ComboButton::OpenAndCloseEveryWay() {
    gallery_->Repaint(id_);
    EXPECT_EQ(Face(), "gallery.combo.button.normal");

    // A pick: the combo repaints only its text, the list's skin tells it
    // the rest.
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND list = List();
    ASSERT_TRUE(list);
    RECT row{};
    ::SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    scroll_test::PlayMouse({scroll_test::MoveTo(scroll_test::ScreenOf(list, 20, (row.top + row.bottom) / 2)),
                            scroll_test::Down(), scroll_test::Up()});
    EXPECT_FALSE(Dropped());
    EXPECT_TRUE(FaceUp()) << "after a pick the button shows " << Face();
    EXPECT_EQ(::SendMessageW(combo_, CB_GETCURSEL, 0, 0), 2);

    // Escape, from the real keyboard.
    ASSERT_NO_FATAL_FAILURE(Open());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Dropped());
    EXPECT_TRUE(FaceUp()) << "after Escape the button shows " << Face();
    EXPECT_TRUE(::IsWindow(gallery_->Dialog()) && ::IsWindowVisible(gallery_->Dialog()));

    // A click elsewhere in the dialog, away from the open list.
    ASSERT_NO_FATAL_FAILURE(Open());
    POINT away = gallery_->EmptyDialogPoint();
    ::ClientToScreen(gallery_->Dialog(), &away);
    RECT listRect = win::WindowRect(list);
    if (::PtInRect(&listRect, away)) {
        RECT dialog = win::WindowRect(gallery_->Dialog());
        away = POINT{dialog.left + 4, dialog.bottom - 4};
    }
    scroll_test::PlayMouse({scroll_test::MoveTo(away), scroll_test::Down(), scroll_test::Up()});
    EXPECT_FALSE(Dropped());
    EXPECT_TRUE(FaceUp()) << "after a click elsewhere the button shows " << Face();

    // The focus taken away by the program.
    ASSERT_NO_FATAL_FAILURE(Open());
    ::SetFocus(list_);
    skin_test::Pump(100);
    EXPECT_FALSE(Dropped());
    EXPECT_TRUE(FaceUp()) << "after the focus left the button shows " << Face();

    // Shown and hidden by the program, through the slide the engine skips.
    ::SendMessageW(combo_, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(gallery_->WaitForName(id_, c_.right - 8, 2, "gallery.combo.button.down"));
    ::SendMessageW(combo_, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_TRUE(FaceUp());
}

TEST_F(ComboButton, TheSkinnedListShowsAndHidesAtOnceWithoutTheSlide) {
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND list = List();
    ASSERT_TRUE(list);
    RECT shown = win::WindowRect(list);
    // The system's slide would take its time and leave the list's own look
    // on the screen meanwhile; the engine shows the skinned list whole.
    const DWORD start = ::GetTickCount();
    EXPECT_TRUE(::AnimateWindow(list, 500, AW_HIDE | AW_SLIDE | AW_VER_NEGATIVE));
    EXPECT_FALSE(::IsWindowVisible(list));
    EXPECT_TRUE(::AnimateWindow(list, 500, AW_SLIDE | AW_VER_POSITIVE));
    // The engine answered, not the system, which refuses a shown window.
    EXPECT_TRUE(::AnimateWindow(list, 500, AW_SLIDE | AW_VER_POSITIVE));
    EXPECT_LT(::GetTickCount() - start, 500u);
    EXPECT_TRUE(::IsWindowVisible(list));
    const RECT again = win::WindowRect(list);
    EXPECT_TRUE(::EqualRect(&shown, &again));
    skin_test::Pump(100);
    const RECT bar = scroll_test::BarBeside(list);
    const ThemeColour* arrow = ThemeColours::Get().ByColour(scroll_test::WindowPixel(list, bar.left + 8, bar.top + 2));
    EXPECT_EQ(arrow ? arrow->name : std::string(), "gallery.scrollbar.sheet.v.first.normal");
    EXPECT_TRUE(gallery_->WaitForName(id_, c_.right - 8, 2, "gallery.combo.button.down"));
    Key(VK_ESCAPE);
    EXPECT_FALSE(Dropped());
    EXPECT_TRUE(FaceUp());
}

TEST_F(ComboButton, AStyleChangeAMoveAndASizeRepaintFrameAndButton) {
    gallery_->Repaint(IDC_GALLERY_COMBO);
    const int mid = c_.bottom / 2;
    // Disabled through its style alone: no WM_ENABLE follows.
    const LONG style = ::GetWindowLongW(combo_, GWL_STYLE);
    ::SetWindowLongW(combo_, GWL_STYLE, style | WS_DISABLED);
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_COMBO, c_.right - 8, 2, "gallery.combo.button.disable"));
    ::SetWindowLongW(combo_, GWL_STYLE, style);
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_COMBO, c_.right - 8, 2, "gallery.combo.button.normal"));

    // Wider and moved: the button at the new right end, the frame at both.
    RECT place = win::WindowRect(combo_);
    ::MapWindowPoints(nullptr, gallery_->Dialog(), reinterpret_cast<POINT*>(&place), 2);
    ::SetWindowPos(combo_, nullptr, place.left - 10, place.top, place.right - place.left + 40, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT wide = gallery_->ClientRect(IDC_GALLERY_COMBO);
    ASSERT_EQ(wide.right, c_.right + 40);
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_COMBO, wide.right - 8, 2, "gallery.combo.button.normal"));
    EXPECT_NE(Face(), "gallery.combo.button.normal") << "the button's old place is part of the field now";
    EXPECT_EQ(gallery_->NameAt(IDC_GALLERY_COMBO, 0, mid), "gallery.edit.frame.normal");
    EXPECT_EQ(gallery_->NameAt(IDC_GALLERY_COMBO, wide.right / 2, 0), "gallery.edit.frame.normal");

    // A move or a size drops the old pixels instead of copying them (the
    // frame stretches and the parent shows through its corners); a change
    // that moves nothing, or one without a redraw, keeps the system's way.
    RECT at = win::WindowRect(combo_);
    ::MapWindowPoints(nullptr, gallery_->Dialog(), reinterpret_cast<POINT*>(&at), 2);
    auto copiesOldBits = [&](int dx, int dw, UINT flags) {
        WINDOWPOS pos{combo_,
                      nullptr,
                      at.left + dx,
                      at.top,
                      at.right - at.left + dw,
                      at.bottom - at.top,
                      flags | SWP_NOZORDER | SWP_NOACTIVATE};
        ::SendMessageW(combo_, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        return (pos.flags & SWP_NOCOPYBITS) == 0;
    };
    EXPECT_FALSE(copiesOldBits(7, 0, 0)) << "a move";
    EXPECT_FALSE(copiesOldBits(0, 12, 0)) << "a size";
    EXPECT_TRUE(copiesOldBits(0, 0, 0)) << "no change";
    EXPECT_TRUE(copiesOldBits(7, 0, SWP_NOMOVE)) << "a move it is told to ignore";
    EXPECT_TRUE(copiesOldBits(7, 12, SWP_NOREDRAW)) << "no redraw";

    // A border the program gives it later shows the frame, not the
    // system's sunken edge, and the client area goes on inside it.
    ::SetWindowLongW(combo_, GWL_EXSTYLE, ::GetWindowLongW(combo_, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    ::SetWindowPos(combo_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT edged = win::WindowRect(combo_);
    const uint32_t frame = ThemeColours::Get().Of("gallery.edit.frame.normal");
    ASSERT_LT(gallery_->ClientRect(IDC_GALLERY_COMBO).right, edged.right - edged.left);
    // Read once the new edge is painted: until then the screen shows the
    // frame the client area had there.
    ::RedrawWindow(combo_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    skin_test::Pump(300);
    EXPECT_EQ(scroll_test::WindowPixel(combo_, 0, (edged.bottom - edged.top) / 2), frame);
    EXPECT_EQ(scroll_test::WindowPixel(combo_, (edged.right - edged.left) / 2, 0), frame);
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_COMBO, gallery_->ClientRect(IDC_GALLERY_COMBO).right - 8, 2,
                                      "gallery.combo.button.normal"));
}

TEST_F(ComboButton, TheMouseOverItsEditIsOverTheCombo) {
    gallery_->Repaint(IDC_GALLERY_COMBO);
    const int mid = c_.bottom / 2;
    ASSERT_EQ(gallery_->NameAt(IDC_GALLERY_COMBO, 0, mid), "gallery.edit.frame.normal");
    // Straight onto the edit: the combo itself never sees the mouse move.
    gallery_->MoveTo(IDC_GALLERY_COMBO, 20, mid);
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_COMBO, 0, mid, "gallery.edit.frame.over"));
    skin_test::Pump(400);
    EXPECT_EQ(gallery_->NameAt(IDC_GALLERY_COMBO, 0, mid), "gallery.edit.frame.over") << "the hover holds";
    EXPECT_EQ(Face(), "gallery.combo.button.over");
    gallery_->MoveAway();
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_COMBO, 0, mid, "gallery.edit.frame.normal"));
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_COMBO, c_.right - 8, 2, "gallery.combo.button.normal"));
}

}  // namespace

namespace {

std::string WindowName(HWND window, int x, int y) {
    return ThemeColours::Get().NameOf(scroll_test::WindowPixel(window, x, y));
}

// A click at a client point, played from another thread: list views and
// trees wait for the release inside their press.
void RealClick(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    scroll_test::PlayMouse({scroll_test::MoveTo(p), scroll_test::Down(), scroll_test::Up()});
}

class ListViewSkins : public ListSkins {};

TEST_F(ListViewSkins, HeaderSkinnedByTheListViewsLabelAndRowsPaintedByState) {
    HWND view = gallery_->Control(IDC_GALLERY_LISTVIEW);
    ASSERT_TRUE(view);
    auto header = reinterpret_cast<HWND>(::SendMessageW(view, LVM_GETHEADER, 0, 0));
    ASSERT_TRUE(header);
    gallery_->Repaint(IDC_GALLERY_LISTVIEW);
    ::InvalidateRect(header, nullptr, FALSE);
    ::UpdateWindow(header);
    RECT head{};
    ::GetClientRect(header, &head);
    EXPECT_EQ(head.bottom, 24) << "the header takes the skin's height";
    EXPECT_EQ(WindowName(header, 3, 3), "gallery.header.normal");
    RECT first{};
    ::SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(WindowName(header, first.right - 1, 12), "gallery.header.separator");
    // Under the mouse the head changes picture.
    scroll_test::PlayMouse({scroll_test::MoveTo(scroll_test::ScreenOf(header, 20, 12)), scroll_test::Pause(150)});
    EXPECT_EQ(WindowName(header, 3, 3), "gallery.header.over");

    // Rows: the gallery selected row 1; row 0 shows its stripe.
    auto rowName = [&](int row) {
        RECT r{};
        r.left = LVIR_BOUNDS;
        ::SendMessageW(view, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        POINT p{r.left + 1, (r.top + r.bottom) / 2};
        ::MapWindowPoints(view, nullptr, &p, 1);
        RECT w{};
        ::GetWindowRect(view, &w);
        return WindowName(view, p.x - w.left, p.y - w.top);
    };
    RECT r0{};
    r0.left = LVIR_BOUNDS;
    ::SendMessageW(view, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0));
    // The theme's height (the list view adds its own pixel of padding).
    EXPECT_GE(r0.bottom - r0.top, 20);
    EXPECT_LE(r0.bottom - r0.top, 21);
    gallery_->Repaint(IDC_GALLERY_LISTVIEW);
    EXPECT_EQ(rowName(1), "gallery.listview.row.checked");
    EXPECT_EQ(rowName(0), "gallery.listview.stripe.even");
    // A click selects through the list view itself; the skin paints it.
    RECT r0b{};
    r0b.left = LVIR_BOUNDS;
    ::SendMessageW(view, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0b));
    RealClick(view, 30, (r0b.top + r0b.bottom) / 2);
    skin_test::Pump(200);
    EXPECT_EQ(::SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
    gallery_->MoveAway();
    skin_test::Pump(100);
    gallery_->Repaint(IDC_GALLERY_LISTVIEW);
    EXPECT_EQ(rowName(0), "gallery.listview.row.checked");
    EXPECT_EQ(rowName(1), "gallery.listview.stripe.odd");
}

}  // namespace

namespace {

class TreeSkins : public ListSkins {};

TEST_F(TreeSkins, ExpandsAndCollapsesWithItsPictures) {
    HWND tree = gallery_->Control(IDC_GALLERY_TREE);
    ASSERT_TRUE(tree);
    auto root = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    auto buttons =
        reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
    ASSERT_TRUE(buttons);
    gallery_->Repaint(IDC_GALLERY_TREE);
    RECT label{}, line{};
    *reinterpret_cast<HTREEITEM*>(&label) = buttons;
    *reinterpret_cast<HTREEITEM*>(&line) = buttons;
    ASSERT_TRUE(::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
    ASSERT_TRUE(::SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&line)));
    EXPECT_EQ(::SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0), 20) << "rows of the theme's height";
    const int indent = static_cast<int>(::SendMessageW(tree, TVM_GETINDENT, 0, 0));
    const POINT sign{label.left - indent / 2, (label.top + label.bottom) / 2};
    auto expanded = [&] {
        return (::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(buttons), TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    };
    ASSERT_TRUE(expanded());
    EXPECT_EQ(gallery_->NameAt(IDC_GALLERY_TREE, sign.x, sign.y), "gallery.tree.collapse");
    // The tree's own button, where the picture is: a click closes the row.
    RealClick(tree, sign.x, sign.y);
    skin_test::Pump(200);
    EXPECT_FALSE(expanded());
    gallery_->MoveAway();
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_TREE, sign.x, sign.y, "gallery.tree.expand"));
    // The row below is now "Lists", closed.
    auto lists = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(buttons)));
    RECT next{};
    *reinterpret_cast<HTREEITEM*>(&next) = lists;
    ASSERT_TRUE(::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&next)));
    EXPECT_EQ(gallery_->NameAt(IDC_GALLERY_TREE, sign.x, (next.top + next.bottom) / 2), "gallery.tree.expand");
    RealClick(tree, sign.x, sign.y);
    skin_test::Pump(200);
    EXPECT_TRUE(expanded());
    gallery_->MoveAway();
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_TREE, sign.x, sign.y, "gallery.tree.collapse"));
    // SetWindowSkin reports 0 for a tree, yet it is skinned.
    EXPECT_EQ(SetWindowSkin(tree, L"gallery.tree"), 0);
    EXPECT_EQ(gallery_->NameAt(IDC_GALLERY_TREE, sign.x, sign.y), "gallery.tree.collapse");
}

}  // namespace
