// What a skinned list box and its skinned dialog tell each other: the row
// item's click (WM_SKIN_LISTCLICK, with the row and nothing selected), the
// heights the dialog answers WM_MEASUREITEM with for rows the skin paints,
// the row records those heights come from, and a list that asks its
// parent about keys (WM_VKEYTOITEM) with the painted selection following;
// a sorted list whose records follow the rows the sort moved; a dialog that
// closes itself from what its lists tell it or from their own messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "gallery/gallery_fixture.h"
#include "skin/skin_test_dialog.h"
#include "skin/windows/controls/skin_list_box_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/skin_api_win32.h"

using namespace gallery_test;

namespace {

constexpr int kOwnList = 4242;

struct ParentLog {
    std::vector<std::pair<WPARAM, LPARAM>> listClicks;
    int itemClicks = 0;
    int selChanges = 0;
    std::vector<std::pair<int, int>> vkeys;  // (key, caret) of WM_VKEYTOITEM
    std::vector<int> selectionAtVkey;        // LB_GETCURSEL while the parent is asked
    LRESULT vkeyAnswer = -1;
    WNDPROC previous = nullptr;
};
ParentLog g_log;

LRESULT CALLBACK Listen(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
        case WM_SKIN_LISTCLICK:
            g_log.listClicks.push_back({wp, lp});
            break;
        case WM_SKIN_ITEMCLICK:
            ++g_log.itemClicks;
            break;
        case WM_COMMAND:
            g_log.selChanges += HIWORD(wp) == LBN_SELCHANGE;
            break;
        case WM_VKEYTOITEM:
            if (::GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == kOwnList) {
                g_log.vkeys.push_back({LOWORD(wp), HIWORD(wp)});
                g_log.selectionAtVkey.push_back(
                    static_cast<int>(::SendMessageW(reinterpret_cast<HWND>(lp), LB_GETCURSEL, 0, 0)));
                return g_log.vkeyAnswer;
            }
            break;
        default:
            break;
    }
    return ::CallWindowProcW(g_log.previous, w, m, wp, lp);
}

class ListBoxParent : public ::testing::Test {
protected:
    void SetUp() override {
        gallery_ = std::make_unique<GalleryUnderTest>();
        ASSERT_TRUE(gallery_->Ready());
        gallery_->MoveAway();
        g_log = ParentLog{};
        g_log.previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(gallery_->Dialog(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Listen)));
        skin_test::Pump(50);
    }
    void TearDown() override {
        if (HasFailure() && gallery_) gallery_->SaveFailureScreenshot();
        gallery_->MoveAway();
        ::SetWindowLongPtrW(gallery_->Dialog(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_log.previous));
        gallery_.reset();
    }
    // A list box of the program's own in place of the gallery's, skinned
    // as the gallery's is.
    HWND OwnList(DWORD style) {
        HWND gallery = gallery_->Control(IDC_GALLERY_LISTBOX);
        RECT r{};
        ::GetWindowRect(gallery, &r);
        ::MapWindowPoints(nullptr, gallery_->Dialog(), reinterpret_cast<POINT*>(&r), 2);
        ::ShowWindow(gallery, SW_HIDE);
        HWND list = ::CreateWindowExW(0, L"ListBox", L"",
                                      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | style,
                                      r.left, r.top, r.right - r.left, r.bottom - r.top, gallery_->Dialog(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOwnList)), nullptr, nullptr);
        if (list) SetWindowSkin(list, L"gallery.listbox");
        skin_test::Pump(50);
        return list;
    }
    static CSkinListBoxSB* Skin(HWND list) {
        CSkinBase* skin = SkinObjectOf(list);
        return skin && skin->AttachedKind() == SkinWindowKind::ListBox ? static_cast<CSkinListBoxSB*>(skin) : nullptr;
    }
    static std::vector<std::pair<int, int>> Records(HWND list) {
        std::vector<std::pair<int, int>> out;
        for (const auto& r : Skin(list)->Records().Records()) out.push_back({r.row, r.height});
        return out;
    }
    static RECT Row(HWND list, int row) {
        RECT r{};
        ::SendMessageW(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        return r;
    }

    std::unique_ptr<GalleryUnderTest> gallery_;
};

TEST_F(ListBoxParent, ARowsRemoveButtonTellsTheRowAndSelectsNothing) {
    HWND list = gallery_->Control(IDC_GALLERY_LISTBOX);
    ASSERT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    const RECT row = Row(list, 3);
    RECT client{};
    ::GetClientRect(list, &client);
    // The button: 12 pixels square, 4 from the row's right end, shown in
    // the row under the mouse only.
    const POINT button{client.right - 10, row.top + 10};
    gallery_->Repaint(IDC_GALLERY_LISTBOX);
    EXPECT_NE(gallery_->NameAt(IDC_GALLERY_LISTBOX, button.x, button.y), "gallery.listbox.remove");
    gallery_->MoveTo(IDC_GALLERY_LISTBOX, 20, (row.top + row.bottom) / 2);
    EXPECT_TRUE(gallery_->WaitForName(IDC_GALLERY_LISTBOX, button.x, button.y, "gallery.listbox.remove"));

    gallery_->Click(IDC_GALLERY_LISTBOX, button.x, button.y);
    skin_test::Pump(150);
    ASSERT_EQ(g_log.listClicks.size(), 1u);
    EXPECT_EQ(g_log.listClicks[0].first, 0u) << "the first of the skin's items";
    EXPECT_EQ(LOWORD(g_log.listClicks[0].second), IDC_GALLERY_LISTBOX);
    EXPECT_EQ(HIWORD(g_log.listClicks[0].second), 3);
    EXPECT_EQ(g_log.itemClicks, 0) << "told once, with its row";
    EXPECT_EQ(g_log.selChanges, 0);
    // The gallery removed the row; the selection stayed on its own row.
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(list, LB_GETTEXTLEN, 3, 0), 10) << "\"Fifth item\" moved up";

    // The selected row does not show the button: a press there is the row's.
    const RECT selected = Row(list, 1);
    gallery_->Click(IDC_GALLERY_LISTBOX, button.x, (selected.top + selected.bottom) / 2);
    skin_test::Pump(150);
    EXPECT_EQ(g_log.listClicks.size(), 1u);
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 6);
}

TEST_F(ListBoxParent, TheDialogMeasuresPaintedRowsFromTheSkinsRecords) {
    HWND list = OwnList(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS);
    ASSERT_TRUE(list);
    ASSERT_TRUE(Skin(list) && Skin(list)->DrawsRows());
    // Rows the dialog measures while they are inserted: the theme's
    // height (the dialog's own procedure answers nothing).
    for (const wchar_t* text : {L"one", L"two", L"three", L"four", L"five"})
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageW(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"zero"));
    for (int row = 0; row < 6; ++row) EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, row, 0), 20) << row;
    EXPECT_TRUE(Records(list).empty()) << "no row had a height set";

    // A height set on a row without a record makes one; the list box and
    // the record agree, also where the list box would refuse the height.
    ::SendMessageW(list, LB_DELETESTRING, 0, 0);
    for (int row = 0; row < 5; ++row) ::SendMessageW(list, LB_SETITEMHEIGHT, row, 21 + row);
    ::SendMessageW(list, LB_SETITEMHEIGHT, 4, 400);
    EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, 4, 0), 255);
    EXPECT_EQ(Records(list), (std::vector<std::pair<int, int>>{{0, 21}, {1, 22}, {2, 23}, {3, 24}, {4, 255}}));

    // Deleting row 1 moves the records of rows 2 to 4 to 1 to 3; an insert
    // moves those at and after it down, and the new row is measured at the
    // theme's height.
    ::SendMessageW(list, LB_DELETESTRING, 1, 0);
    EXPECT_EQ(Records(list), (std::vector<std::pair<int, int>>{{0, 21}, {1, 23}, {2, 24}, {3, 255}}));
    ::SendMessageW(list, LB_INSERTSTRING, 2, reinterpret_cast<LPARAM>(L"new"));
    EXPECT_EQ(Records(list), (std::vector<std::pair<int, int>>{{0, 21}, {1, 23}, {3, 24}, {4, 255}}));
    EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, 2, 0), 20);
    EXPECT_EQ(Skin(list)->MeasuredHeight(3), 24);
    EXPECT_EQ(Skin(list)->MeasuredHeight(2), 20);
    // Emptied, the list keeps no record.
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    EXPECT_TRUE(Records(list).empty());
    ::DestroyWindow(list);
}

TEST_F(ListBoxParent, ASortedListsRecordsFollowTheRowsTheyBelongTo) {
    HWND list = OwnList(LBS_SORT | LBS_NOTIFY);
    ASSERT_TRUE(list);
    for (const wchar_t* text : {L"b", L"d", L"f"})
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageW(list, LB_SETITEMHEIGHT, 1, 22);  // "d" (a list of one height: the list box keeps one)
    ::SendMessageW(list, LB_SETCURSEL, 2, 0);       // "f"
    // Added where the sort puts them: before "d", then after everything.
    EXPECT_EQ(::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a")), 0);
    EXPECT_EQ(::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"z")), 4);
    EXPECT_EQ(Records(list), (std::vector<std::pair<int, int>>{{2, 22}}));
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 3) << "the selection stayed on \"f\"";
    gallery_->Repaint(kOwnList);
    const RECT f = Row(list, 3);
    EXPECT_EQ(gallery_->NameAt(kOwnList, f.left + 1, (f.top + f.bottom) / 2), "gallery.listbox.row.checked");
    EXPECT_EQ(g_log.selChanges, 0);
    ::DestroyWindow(list);
}

TEST_F(ListBoxParent, AListThatAsksItsParentAboutKeysPaintsWhereItWent) {
    HWND list = OwnList(LBS_WANTKEYBOARDINPUT | LBS_NOTIFY);
    ASSERT_TRUE(list);
    for (const wchar_t* text : {L"one", L"two", L"three", L"four", L"five"})
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageW(list, LB_SETCURSEL, 1, 0);
    ::SetFocus(list);
    skin_test::Pump(30);
    auto key = [&](WPARAM vk) {
        ::SendMessageW(list, WM_KEYDOWN, vk, 1);
        ::SendMessageW(list, WM_KEYUP, vk, 0xC0000001);
        skin_test::Pump(30);
    };
    auto rowName = [&](int row) {
        RECT r = Row(list, row);
        return gallery_->NameAt(kOwnList, r.left + 1, (r.top + r.bottom) / 2);
    };

    // The parent leaves the key to the list: it moves one row down and the
    // skin paints the row it moved to.
    key(VK_DOWN);
    ASSERT_EQ(g_log.vkeys.size(), 1u);
    EXPECT_EQ(g_log.vkeys[0], std::make_pair(static_cast<int>(VK_DOWN), 1));
    EXPECT_EQ(g_log.selectionAtVkey[0], 1);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(g_log.selChanges, 1) << "the list box told it; the skin did not tell it again";
    gallery_->Repaint(kOwnList);
    EXPECT_EQ(rowName(2), "gallery.listbox.row.checked");
    EXPECT_EQ(rowName(1), "gallery.listbox.stripe.odd");
    // Up comes back to where it started, not one row behind.
    key(VK_UP);
    EXPECT_EQ(g_log.vkeys.back(), std::make_pair(static_cast<int>(VK_UP), 2));
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);

    // The parent takes a key itself: nothing moves, nothing is told.
    g_log.vkeyAnswer = -2;
    key(VK_DOWN);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(g_log.selChanges, 2);
    gallery_->Repaint(kOwnList);
    EXPECT_EQ(rowName(1), "gallery.listbox.row.checked");
    ::DestroyWindow(list);
}

// A dialog of the program's own that closes itself when a list tells it of
// a new selection, or when `closeOn` reaches the list's own procedure
// beneath the skin (a program's subclass).
struct Closing {
    HWND dialog = nullptr;
    UINT closeOn = 0;
    WNDPROC beneath = nullptr;
};
Closing g_closing;

LRESULT CALLBACK ClosesOnSelChange(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND && HIWORD(wp) == LBN_SELCHANGE) {
        ::DestroyWindow(w);
        return 0;
    }
    return ::DefWindowProcW(w, m, wp, lp);
}

LRESULT CALLBACK ClosesTheDialog(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == g_closing.closeOn) {
        ::DestroyWindow(g_closing.dialog);
        return 0;
    }
    return ::CallWindowProcW(g_closing.beneath, w, m, wp, lp);
}

// A shown dialog with one skinned control of 30 rows; `closeOn` (when not
// 0) closes the dialog from the control's own procedure, put in after the
// skin came (it still goes beneath), or before with `subclassFirst`.
HWND ClosingDialog(const wchar_t* className, DWORD style, const wchar_t* skin, UINT closeOn, HWND* control,
                   bool subclassFirst = false) {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ClosesOnSelChange;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"TovaneClosingDialog";
        return ::RegisterClassW(&wc);
    }();
    if (!atom) return nullptr;
    HWND dialog = ::CreateWindowExW(0, L"TovaneClosingDialog", L"", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 320,
                                    260, nullptr, nullptr, nullptr, nullptr);
    HWND c = ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | style, 10, 10, 280,
                               180, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOwnList)), nullptr, nullptr);
    const std::wstring cls = className;
    if (cls == WC_LISTVIEWW) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = 200;
        column.pszText = const_cast<wchar_t*>(L"Name");
        ::SendMessageW(c, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    }
    for (int i = 0; i < 30; ++i) {
        std::wstring text = L"Row " + std::to_wstring(i);
        if (cls == WC_LISTVIEWW) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = text.data();
            ::SendMessageW(c, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        } else if (cls == WC_TREEVIEWW) {
            TVINSERTSTRUCTW insert{};
            insert.hParent = TVI_ROOT;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT;
            insert.item.pszText = text.data();
            ::SendMessageW(c, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
        } else {
            const UINT add = cls == L"ComboBox" ? CB_ADDSTRING : LB_ADDSTRING;
            ::SendMessageW(c, add, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    g_closing.dialog = dialog;
    g_closing.closeOn = closeOn;
    auto subclass = [&] {
        g_closing.beneath = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClosesTheDialog)));
    };
    if (closeOn && subclassFirst) subclass();
    SetWindowSkin(c, skin);
    skin_test::Pump(50);
    if (closeOn && !subclassFirst) subclass();
    *control = c;
    return dialog;
}

TEST_F(ListBoxParent, ADialogMayCloseItselfFromWhatItsListsTellIt) {
    // The list tells the dialog of the user's new row from inside the
    // skin's handling of the key or click, and the dialog closes: the
    // skin touches nothing of itself afterwards. The list box notifies
    // (LBS_NOTIFY) or the skin does; the press is the skin's own.
    struct Case {
        const char* name;
        DWORD style;
        UINT message;
        WPARAM wParam;
    };
    const Case cases[] = {
        {"key, the list box notifies", LBS_NOTIFY, WM_KEYDOWN, VK_DOWN},
        {"key, the skin notifies", 0, WM_KEYDOWN, VK_END},
        {"click", LBS_NOTIFY, WM_LBUTTONDOWN, MK_LBUTTON},
    };
    for (const Case& c : cases) {
        HWND list = nullptr;
        HWND dialog =
            ClosingDialog(L"ListBox", LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | c.style, L"gallery.listbox", 0, &list);
        ASSERT_TRUE(dialog && list) << c.name;
        ASSERT_TRUE(Skin(list) && Skin(list)->DrawsRows()) << c.name;
        ::SendMessageW(list, LB_SETCURSEL, 0, 0);
        const RECT row = Row(list, 2);
        const LPARAM at = c.message == WM_LBUTTONDOWN ? MAKELPARAM(20, (row.top + row.bottom) / 2) : 1;
        ::SendMessageW(list, c.message, c.wParam, at);
        EXPECT_FALSE(::IsWindow(list)) << c.name;
        EXPECT_FALSE(::IsWindow(dialog)) << c.name;
        if (::IsWindow(dialog)) ::DestroyWindow(dialog);
        skin_test::Pump(20);
    }
}

TEST_F(ListBoxParent, ADialogMayCloseItselfFromItsListsOwnMessages) {
    // The program's procedure beneath the skin closes the dialog while it
    // handles a message the skin passes on and then draws after: the
    // list box with rows the skin paints or the system's, the tree, the
    // list view and a combo box's drop-down list.
    struct Case {
        const wchar_t* className;
        DWORD style;
        const wchar_t* skin;
        UINT message;
        WPARAM wParam;
    };
    const DWORD painted = LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    const DWORD systems = painted | LBS_EXTENDEDSEL;
    const Case cases[] = {
        {L"ListBox", painted, L"gallery.listbox", WM_VSCROLL, SB_LINEDOWN},
        {L"ListBox", painted, L"gallery.listbox", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA))},
        {L"ListBox", painted, L"gallery.listbox", WM_KEYDOWN, VK_DOWN},
        {L"ListBox", painted, L"gallery.listbox", WM_SIZE, SIZE_RESTORED},
        {L"ListBox", painted, L"gallery.listbox", WM_MOUSEMOVE, 0},
        {L"ListBox", painted, L"gallery.listbox", LB_SETCURSEL, 3},
        {L"ListBox", systems, L"gallery.listbox", WM_VSCROLL, SB_PAGEDOWN},
        {L"ListBox", systems, L"gallery.listbox", WM_SIZE, SIZE_RESTORED},
        {WC_TREEVIEWW, TVS_HASBUTTONS, L"gallery.tree", WM_VSCROLL, SB_LINEDOWN},
        {WC_TREEVIEWW, TVS_HASBUTTONS, L"gallery.tree", WM_LBUTTONDOWN, MK_LBUTTON},
        {WC_TREEVIEWW, TVS_HASBUTTONS, L"gallery.tree", WM_KEYDOWN, VK_DOWN},
        {WC_TREEVIEWW, TVS_HASBUTTONS, L"gallery.tree", WM_SIZE, SIZE_RESTORED},
        {WC_LISTVIEWW, LVS_REPORT, L"gallery.listview", WM_VSCROLL, SB_LINEDOWN},
        {WC_LISTVIEWW, LVS_REPORT, L"gallery.listview", WM_KEYDOWN, VK_DOWN},
        {WC_LISTVIEWW, LVS_REPORT, L"gallery.listview", WM_MOUSEMOVE, 0},
        {WC_LISTVIEWW, LVS_REPORT, L"gallery.listview", WM_SIZE, SIZE_RESTORED},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(&c - cases) + ": message " + std::to_string(c.message);
        HWND control = nullptr;
        HWND dialog = ClosingDialog(c.className, c.style, c.skin, c.message, &control);
        ASSERT_TRUE(dialog && control) << name;
        ASSERT_TRUE(SkinObjectOf(control)) << name;
        ::SendMessageW(control, c.message, c.wParam, MAKELPARAM(20, 12));
        EXPECT_FALSE(::IsWindow(control)) << name;
        EXPECT_FALSE(::IsWindow(dialog)) << name;
        if (::IsWindow(dialog)) ::DestroyWindow(dialog);
        skin_test::Pump(20);
    }

    // The control's new size while the skin attaches (its bars take their
    // place) reaches the program, which closes the dialog.
    const Case attaching[] = {
        {L"ListBox", painted, L"gallery.listbox", WM_SIZE, 0},
        {WC_TREEVIEWW, TVS_HASBUTTONS, L"gallery.tree", WM_SIZE, 0},
        {WC_LISTVIEWW, LVS_REPORT, L"gallery.listview", WM_SIZE, 0},
    };
    for (const Case& c : attaching) {
        HWND control = nullptr;
        HWND dialog = ClosingDialog(c.className, c.style, c.skin, c.message, &control, true);
        EXPECT_FALSE(::IsWindow(dialog)) << &c - attaching;
        if (::IsWindow(dialog)) ::DestroyWindow(dialog);
        skin_test::Pump(20);
    }

    // A combo box's drop-down list, skinned once it opened.
    for (UINT message : {WM_VSCROLL, WM_KEYDOWN, WM_MOUSEWHEEL}) {
        HWND combo = nullptr;
        HWND dialog = ClosingDialog(L"ComboBox", CBS_DROPDOWNLIST, L"gallery.combo", 0, &combo);
        ASSERT_TRUE(dialog && combo);
        ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        skin_test::Pump(50);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
        HWND list = info.hwndList;
        ASSERT_TRUE(SkinObjectOf(list)) << message;
        g_closing.closeOn = message;
        g_closing.beneath = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClosesTheDialog)));
        const WPARAM wParam = message == WM_VSCROLL   ? SB_LINEDOWN
                              : message == WM_KEYDOWN ? VK_DOWN
                                                      : MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
        ::SendMessageW(list, message, wParam, 0);
        EXPECT_FALSE(::IsWindow(list)) << message;
        EXPECT_FALSE(::IsWindow(dialog)) << message;
        if (::IsWindow(dialog)) ::DestroyWindow(dialog);
        skin_test::Pump(20);
    }
}

}  // namespace
