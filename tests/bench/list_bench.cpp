// Benchmark (under Wine): the skinned list box beside the system's, in the
// same run.
//
// 1. Painting ten rows: a list box whose theme paints its rows (stripes, a
//    selected and a hover row, text) beside the system's owner-drawn list
//    box of the same rows, whose parent draws each row the same way
//    (WM_DRAWITEM: a fill and the text). Time per full repaint.
// 2. 100 000 rows inserted at the top of each list, 2 000 of whose rows
//    carry a height of their own (the skin keeps records of them that must
//    move with every insert), beside the same inserts into an unskinned
//    list box, both with redrawing off as a program filling a list has it.
// The lists take turns over the rounds; each figure is the best round.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/bench_window.h"
#include "skin/scroll_test_support.h"
#include "skin/skin_test_dialog.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/skin_api_win32.h"
#include "skin/zip_builder.h"

namespace {

constexpr int kRounds = 5;
constexpr int kRepaints = 200;
constexpr int kInserts = 100000;
constexpr int kRowsWithHeights = 2000;

bool LoadListTheme() {
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><theme version=\"3.0\"><constrol>"
        "<item class=\"listbox\" id=\"bench.list\"><attribute drawItem=\"true\" itemHeight=\"20\" "
        "itemBackgroundColor1=\"RGB(240,240,240)\" itemBackgroundColor2=\"RGB(255,255,255)\" "
        "itemBackgroundCheckedColor=\"RGB(37,99,196)\" itemBackgroundOverColor=\"RGB(229,238,252)\" "
        "itemTextNormalColor=\"RGB(33,40,52)\" itemTextCheckedColor=\"RGB(255,255,255)\" "
        "borderColor=\"RGB(143,154,171)\"/></item>"
        "</constrol></theme>";
    ziptest::Archive zip = ziptest::Build({{"skin.xml", ziptest::Bytes(xml)}});
    return GetSkinResourceManager()->LoadFromMemory(zip.bytes.data(), zip.bytes.size(), nullptr) == 1;
}

// The system's owner-drawn rows, drawn as the skin draws its own.
LRESULT CALLBACK OwnerProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DRAWITEM) {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (d->itemID == static_cast<UINT>(-1)) return TRUE;
        const bool selected = (d->itemState & ODS_SELECTED) != 0;
        COLORREF fill = selected ? RGB(37, 99, 196) : (d->itemID % 2 ? RGB(240, 240, 240) : RGB(255, 255, 255));
        HBRUSH brush = ::CreateSolidBrush(fill);
        ::FillRect(d->hDC, &d->rcItem, brush);
        ::DeleteObject(brush);
        wchar_t text[512] = {};
        ::SendMessageW(d->hwndItem, LB_GETTEXT, d->itemID, reinterpret_cast<LPARAM>(text));
        ::SetBkMode(d->hDC, TRANSPARENT);
        ::SetTextColor(d->hDC, selected ? RGB(255, 255, 255) : RGB(33, 40, 52));
        RECT r = d->rcItem;
        r.left += 3;
        ::DrawTextW(d->hDC, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        return TRUE;
    }
    if (m == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 20;
        return TRUE;
    }
    return ::DefWindowProcW(w, m, wp, lp);
}

// A top-level window holding one list box of ten visible rows.
struct ListWindow {
    HWND frame = nullptr;
    HWND list = nullptr;
    ListWindow(int x, int y, DWORD listStyle, bool skinned) {
        frame = ::CreateWindowExW(0, L"ListBenchFrame", L"bench", WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y, 260, 260,
                                  nullptr, nullptr, nullptr, nullptr);
        list = ::CreateWindowExW(
            0, L"ListBox", L"",
            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | listStyle, 0, 0, 240,
            202, frame, nullptr, nullptr, nullptr);
        if (skinned) SetWindowSkin(list, L"bench.list");
        scroll_test::Pump(100);
    }
    ~ListWindow() {
        if (frame) ::DestroyWindow(frame);
    }
    void Fill(int rows) {
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (int i = 0; i < rows; ++i)
            ::SendMessageW(list, LB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>((L"Row number " + std::to_wstring(i)).c_str()));
        ::SendMessageW(list, LB_SETCURSEL, 2, 0);
        scroll_test::Pump(50);
    }
};

double Repaint(const ListWindow& w) { return bench::PaintMilliseconds(w.list, kRepaints, true); }

double InsertAtTop(ListWindow& w) {
    w.Fill(kRowsWithHeights);
    for (int i = 0; i < kRowsWithHeights; ++i) ::SendMessageW(w.list, LB_SETITEMHEIGHT, i, 20);
    ::SendMessageW(w.list, WM_SETREDRAW, FALSE, 0);
    const double ms = Milliseconds([&] {
        for (int i = 0; i < kInserts; ++i)
            ::SendMessageW(w.list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"new row"));
    });
    ::SendMessageW(w.list, WM_SETREDRAW, TRUE, 0);
    const bool complete = ::SendMessageW(w.list, LB_GETCOUNT, 0, 0) == kInserts + kRowsWithHeights;
    ::SendMessageW(w.list, LB_RESETCONTENT, 0, 0);
    scroll_test::Pump(20);
    return complete ? ms : -1;
}

}  // namespace

int main() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &OwnerProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ListBenchFrame";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!::RegisterClassW(&wc) || !LoadListTheme()) {
        std::fprintf(stderr, "the window class or the list theme could not be made\n");
        return 1;
    }
    SkinnedBeside paint, insert;
    {
        ListWindow owner(40, 40, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, false), skinned(340, 40, 0, true);
        owner.Fill(10);
        skinned.Fill(10);
        for (int round = 0; round < kRounds; ++round) {
            paint.plain = std::min(paint.plain, Repaint(owner));
            paint.skinned = std::min(paint.skinned, Repaint(skinned));
        }
    }
    {
        ListWindow plain(40, 40, 0, false), skinned(340, 40, 0, true);
        for (int round = 0; round < 3; ++round) {
            const double p = InsertAtTop(plain), s = InsertAtTop(skinned);
            if (p < 0 || s < 0) {
                std::fprintf(stderr, "an insert run lost rows (%s)\n", p < 0 ? "system" : "skinned");
                return 1;
            }
            insert.plain = std::min(insert.plain, p);
            insert.skinned = std::min(insert.skinned, s);
        }
    }
    PrintBeside("10-row list, one full repaint (system: owner-drawn):", 58, paint);
    PrintBeside("100000 inserts at the top, 2000 rows with heights:", 58, insert);
    return 0;
}
