#include "gallery_dialog.h"

#include <commctrl.h>
#include <richedit.h>

#include <iterator>
#include <memory>
#include <string>

#include <tovane/skin_api.h>

#include "gallery_controls.h"

namespace {

struct GalleryState {
    GalleryOptions options;
    bool quitOnClose = false;
    GallerySkinCount count;
};

GalleryState* StateOf(HWND dialog) { return reinterpret_cast<GalleryState*>(::GetWindowLongPtrW(dialog, DWLP_USER)); }

HWND Control(HWND dialog, const GalleryControl& c) {
    HWND parent = c.inRebar ? ::GetDlgItem(dialog, IDC_GALLERY_REBAR) : dialog;
    return parent ? ::GetDlgItem(parent, c.id) : nullptr;
}

// Pixels given for 96 DPI, on the display of `window`: the dialog's own
// sizes come from its template, these few from the code.
int Scaled(HWND window, int pixels) {
    HDC dc = ::GetDC(window);
    int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc) ::ReleaseDC(window, dc);
    return ::MulDiv(pixels, dpi > 0 ? dpi : 96, 96);
}

void AddStrings(HWND control, UINT message, std::initializer_list<const wchar_t*> texts) {
    for (const wchar_t* text : texts) ::SendMessageW(control, message, 0, reinterpret_cast<LPARAM>(text));
}

void FillButtons(HWND dialog) {
    ::CheckDlgButton(dialog, IDC_GALLERY_CHECK_CHECKED, BST_CHECKED);
    ::CheckDlgButton(dialog, IDC_GALLERY_CHECK_INDETERMINATE, BST_INDETERMINATE);
    ::CheckDlgButton(dialog, IDC_GALLERY_CHECK_DISABLED_CHECKED, BST_CHECKED);
    ::CheckRadioButton(dialog, IDC_GALLERY_RADIO_FIRST, IDC_GALLERY_RADIO_DISABLED, IDC_GALLERY_RADIO_FIRST);
}

void FillTextInput(HWND dialog) {
    ::SetDlgItemTextW(dialog, IDC_GALLERY_EDIT, L"Single-line edit");
    ::SetDlgItemTextW(dialog, IDC_GALLERY_EDIT_MULTI,
                      L"A multi-line edit.\r\nIts lines wrap and scroll.\r\nThird line.\r\nFourth line.\r\nFifth.");
    HWND rich = ::GetDlgItem(dialog, IDC_GALLERY_RICHEDIT);
    // Longer than the box, so the rich edit shows its bar.
    ::SetWindowTextW(rich,
                     L"Rich edit: bold words and plain ones.\r\n"
                     L"Its bar is drawn by the skin.\r\n"
                     L"Third line.\r\nFourth line.\r\nFifth.");
    CHARFORMAT2W bold{};
    bold.cbSize = sizeof bold;
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    ::SendMessageW(rich, EM_SETSEL, 11, 21);
    ::SendMessageW(rich, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
    ::SendMessageW(rich, EM_SETSEL, 0, 0);

    HWND combo = ::GetDlgItem(dialog, IDC_GALLERY_COMBO);
    AddStrings(combo, CB_ADDSTRING, {L"Combo box", L"Second choice", L"Third choice", L"Fourth choice"});
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);

    HWND spin = ::GetDlgItem(dialog, IDC_GALLERY_SPIN);
    ::SendMessageW(spin, UDM_SETRANGE32, 0, 100);
    ::SendMessageW(spin, UDM_SETPOS32, 0, 42);
    ::SendDlgItemMessageW(dialog, IDC_GALLERY_IPADDRESS, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 20));
    ::SendDlgItemMessageW(dialog, IDC_GALLERY_HOTKEY, HKM_SETHOTKEY, MAKEWORD('G', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
    // A fixed date, so that screenshots do not change from day to day.
    SYSTEMTIME date{};
    date.wYear = 2015;
    date.wMonth = 6;
    date.wDay = 1;
    date.wHour = 12;
    ::SendDlgItemMessageW(dialog, IDC_GALLERY_DATETIME, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
    ::SendDlgItemMessageW(dialog, IDC_GALLERY_TIME, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
}

void FillTree(HWND tree) {
    auto insert = [tree](HTREEITEM parent, const wchar_t* text) {
        TVINSERTSTRUCTW item{};
        item.hParent = parent;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT;
        item.item.pszText = const_cast<wchar_t*>(text);
        return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    };
    HTREEITEM root = insert(TVI_ROOT, L"Controls");
    HTREEITEM buttons = insert(root, L"Buttons");
    for (const wchar_t* text : {L"Push", L"Check", L"Radio"}) insert(buttons, text);
    HTREEITEM lists = insert(root, L"Lists");
    insert(lists, L"List box");
    insert(root, L"Bars");
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(buttons));
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(buttons));
}

void FillListView(HWND list) {
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const wchar_t* heads[] = {L"Control", L"Class", L"Skin"};
    const int widths[] = {80, 90, 62};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(heads[i]);
        column.cx = Scaled(list, widths[i]);
        ::SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    const wchar_t* rows[][3] = {{L"Check box", L"Button", L"checkbutton"},
                                {L"Radio button", L"Button", L"radiobutton"},
                                {L"Group box", L"Button", L"groupbutton"},
                                {L"List view", L"SysListView32", L"listview"}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            item.iSubItem = c;
            item.pszText = const_cast<wchar_t*>(rows[r][c]);
            ::SendMessageW(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    LVITEMW selected{};
    selected.stateMask = selected.state = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));
}

void FillLists(HWND dialog) {
    HWND listBox = ::GetDlgItem(dialog, IDC_GALLERY_LISTBOX);
    AddStrings(
        listBox, LB_ADDSTRING,
        {L"First item", L"Second item", L"Third item", L"Fourth item", L"Fifth item", L"Sixth item", L"Seventh item"});
    ::SendMessageW(listBox, LB_SETCURSEL, 1, 0);
    FillTree(::GetDlgItem(dialog, IDC_GALLERY_TREE));
    FillListView(::GetDlgItem(dialog, IDC_GALLERY_LISTVIEW));

    HWND tab = ::GetDlgItem(dialog, IDC_GALLERY_TAB);
    const wchar_t* tabs[] = {L"General", L"Details", L"More"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(tabs[i]);
        ::SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

void FillRanges(HWND dialog) {
    ::SendDlgItemMessageW(dialog, IDC_GALLERY_PROGRESS, PBM_SETRANGE32, 0, 100);
    ::SendDlgItemMessageW(dialog, IDC_GALLERY_PROGRESS, PBM_SETPOS, 60, 0);
    ::SendDlgItemMessageW(dialog, IDC_GALLERY_SLIDER, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
    ::SendDlgItemMessageW(dialog, IDC_GALLERY_SLIDER, TBM_SETPOS, TRUE, 4);
    for (int id : {IDC_GALLERY_SCROLL_HORZ, IDC_GALLERY_SCROLL_VERT}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = 100;
        info.nPage = 20;
        info.nPos = 30;
        ::SetScrollInfo(::GetDlgItem(dialog, id), SB_CTL, &info, TRUE);
    }
}

void FillToolbar(HWND toolbar) {
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    ::SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    TBBUTTON buttons[] = {
        {STD_FILENEW, 2001, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {STD_FILEOPEN, 2002, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {STD_FILESAVE, 2003, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {STD_CUT, 2004, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {STD_COPY, 2005, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {STD_PASTE, 2006, 0, BTNS_BUTTON, {}, 0, 0},  // disabled
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {STD_PRINT, 2007, TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 0, 0},
        {STD_PROPERTIES, 2008, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK, {}, 0, 0},
    };
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, static_cast<WPARAM>(std::size(buttons)), reinterpret_cast<LPARAM>(buttons));
    ::SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

void FillRebar(HWND dialog) {
    HWND rebar = ::GetDlgItem(dialog, IDC_GALLERY_REBAR);
    HWND combo = ::GetDlgItem(dialog, IDC_GALLERY_REBAR_COMBO);
    AddStrings(combo, CB_ADDSTRING, {L"100%", L"150%", L"200%"});
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
    ::SetDlgItemTextW(dialog, IDC_GALLERY_REBAR_EDIT, L"Find in the gallery");
    struct Band {
        int id;
        const wchar_t* text;
        int width;
    };
    const Band bands[] = {{IDC_GALLERY_REBAR_EDIT, L"Find", 300}, {IDC_GALLERY_REBAR_COMBO, L"Zoom", 160}};
    for (const Band& b : bands) {
        HWND child = ::GetDlgItem(dialog, b.id);
        RECT r{};
        ::GetWindowRect(child, &r);
        REBARBANDINFOW band{};
        band.cbSize = REBARBANDINFOW_V6_SIZE;
        band.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
        band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
        band.lpText = const_cast<wchar_t*>(b.text);
        band.hwndChild = child;  // the rebar becomes its parent
        band.cxMinChild = Scaled(rebar, 60);
        band.cyMinChild = r.bottom - r.top;
        band.cx = Scaled(rebar, b.width);
        ::SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    }
}

void FillStatusBar(HWND dialog, const GalleryState& state) {
    HWND status = ::GetDlgItem(dialog, IDC_GALLERY_STATUSBAR);
    // The status bar places itself along the bottom when told of a size.
    ::SendMessageW(status, WM_SIZE, 0, 0);
    int parts[] = {Scaled(status, 170), Scaled(status, 380), -1};
    ::SendMessageW(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    std::wstring theme = L"Theme: " + std::wstring(state.options.skinned ? state.options.themeName : L"none");
    std::wstring count = state.options.skinned ? L"Skinned: " + std::to_wstring(state.count.skinned) + L" of " +
                                                     std::to_wstring(state.count.total) + L" controls"
                                               : L"The system look";
    ::SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(theme.c_str()));
    ::SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(count.c_str()));
    ::SendMessageW(status, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L"Ready"));
}

// The dialog first, then every control of the table and every label.
GallerySkinCount SkinAll(HWND dialog, bool frameOnly) {
    GallerySkinCount count;
    SetWindowSkin(dialog, kGalleryDialogSkin);
    for (const GalleryControl& c : kGalleryControls) {
        ++count.total;
        if (frameOnly) continue;
        HWND control = Control(dialog, c);
        if (!control) continue;
        // The tree answers 0 by the kind table and is skinned all the same:
        // a skin's procedure on the window is what counts.
        SetWindowSkin(control, c.skinId);
        if (::GetPropW(control, L"VELTAR_PROC")) ++count.skinned;
    }
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        ::GetClassNameW(child, cls, 16);
        // A template's id -1 reads back as -1 (DIALOGEX) or 0xFFFF.
        bool label = (::GetDlgCtrlID(child) & 0xFFFF) == 0xFFFF && std::wstring(cls) == L"Static";
        if (label && !frameOnly) SetWindowSkin(child, kGalleryLabelSkin);
    }
    return count;
}

void OnInitDialog(HWND dialog, GalleryState& state) {
    FillToolbar(::GetDlgItem(dialog, IDC_GALLERY_TOOLBAR));
    FillRebar(dialog);
    FillButtons(dialog);
    FillTextInput(dialog);
    FillLists(dialog);
    FillRanges(dialog);
    if (state.options.skinned) state.count = SkinAll(dialog, state.options.frameOnly);
    FillStatusBar(dialog, state);
}

INT_PTR CALLBACK GalleryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            OnInitDialog(dialog, *reinterpret_cast<GalleryState*>(lParam));
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                ::DestroyWindow(dialog);
                return TRUE;
            }
            return FALSE;
        case kSkinListClickMessage:
            // The remove button the skin shows in the list box's row under the mouse.
            if (LOWORD(lParam) == IDC_GALLERY_LISTBOX)
                ::SendDlgItemMessageW(dialog, IDC_GALLERY_LISTBOX, LB_DELETESTRING, HIWORD(lParam), 0);
            return TRUE;
        case WM_CLOSE:
            ::DestroyWindow(dialog);
            return TRUE;
        case WM_NCDESTROY: {
            std::unique_ptr<GalleryState> state(StateOf(dialog));
            ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
            if (state && state->quitOnClose) ::PostQuitMessage(0);
            return FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

bool GalleryInitControls() {
    static const bool ready = [] {
        INITCOMMONCONTROLSEX init{};
        init.dwSize = sizeof init;
        init.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES | ICC_HOTKEY_CLASS | ICC_COOL_CLASSES |
                     ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                     ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;
        bool common = ::InitCommonControlsEx(&init) != FALSE;
        // The control bar's class: a plain window, as a framework's bar is
        // to everyone but the framework.
        WNDCLASSW bar{};
        bar.lpfnWndProc = &::DefWindowProcW;
        bar.hInstance = ::GetModuleHandleW(nullptr);
        bar.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        bar.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        bar.lpszClassName = L"" GALLERY_CONTROLBAR_CLASS;
        common = (::RegisterClassW(&bar) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS) && common;
        // "RichEdit20W" lives in riched20.dll, which stays loaded.
        bool rich = ::LoadLibraryW(L"riched20.dll") != nullptr;
        return common && rich;
    }();
    return ready;
}

HWND GalleryCreate(HINSTANCE instance, const GalleryOptions& options, bool quitOnClose) {
    if (!GalleryInitControls()) return nullptr;
    auto state = std::make_unique<GalleryState>();
    state->options = options;
    state->quitOnClose = quitOnClose;
    HWND dialog = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_GALLERY), nullptr, &GalleryProc,
                                       reinterpret_cast<LPARAM>(state.get()));
    // From WM_INITDIALOG on the dialog owns the state (and frees it when
    // destroyed); a dialog that failed before it never saw it.
    if (dialog) state.release();
    return dialog;
}

GallerySkinCount GalleryLastSkinCount(HWND dialog) {
    GalleryState* state = StateOf(dialog);
    return state ? state->count : GallerySkinCount{};
}
