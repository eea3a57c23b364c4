// What a skinned frame gives the children it does not paint: its picture
// behind them. Controls that draw transparently fill with the brush their
// parent answers WM_CTLCOLOR... with (statics, group box labels, check
// boxes, trackbars), or ask the parent to erase under them (flat toolbars,
// themed controls); the frame answers both from its composed background,
// so any control looks right on a skinned dialog, skinned or not.
#include <algorithm>
#include <cwchar>

#include "skin/platform/skin_graphics.h"
#include "skin/windows/controls/skin_list_box_win32.h"
#include "skin/windows/controls/skin_wnd_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"

namespace {

// x modulo n in [0, n).
int Wrap(int x, int n) { return n > 0 ? ((x % n) + n) % n : 0; }

}  // namespace

HBRUSH CSkinWndSB::ChildBackgroundBrush() {
    SkinSurface cache = FrameBackground();
    if (cache.IsEmpty()) return nullptr;
    // The brush holds a copy of the cache; composing again drops it.
    if (!childBrush_) childBrush_ = SkinGraphics().CreatePatternBrush(cache.bitmap);
    return childBrush_.get();
}

bool CSkinWndSB::AnswerChildColor(const SkinMessage& m, LRESULT* result) {
    auto dc = reinterpret_cast<HDC>(m.wParam);
    auto child = reinterpret_cast<HWND>(m.lParam);
    if (drawStyle_ == SkinDrawStyle::NoDraw || !dc || !child || ::GetParent(child) != window_) return false;
    *result = SkinCallPrevious(*this, m);
    // A brush the application chose stands; the system's default gives way.
    if (*result && *result != reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE))) return true;
    HBRUSH brush = AlignedChildBrush(dc, child);
    if (!brush) return true;
    ::SetBkMode(dc, TRANSPARENT);
    *result = reinterpret_cast<LRESULT>(brush);
    return true;
}

HBRUSH CSkinWndSB::AlignedChildBrush(HDC dc, HWND child) {
    if (drawStyle_ == SkinDrawStyle::NoDraw) return nullptr;
    HBRUSH brush = ChildBackgroundBrush();
    if (!brush) return nullptr;
    // The pattern's corner at the frame's client corner, seen from the child.
    POINT origin{0, 0};
    ::MapWindowPoints(child, window_, &origin, 1);
    ::SetBrushOrgEx(dc, Wrap(-origin.x, cacheW_), Wrap(-origin.y, cacheH_), nullptr);
    return brush;
}

void CSkinWndSB::EraseForChild(HDC dc) {
    RECT clip{};
    if (::GetClipBox(dc, &clip) == ERROR || ::IsRectEmpty(&clip)) return;
    std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateDcCanvas(dc);
    if (!canvas) return;
    // The child moved the DC's origin to the frame's client corner, so its
    // logical coordinates are the frame's.
    SkinRect rect = win::ToSkinRect(clip);
    SkinPaintFrameBackground(*canvas, *this, rect, SkinPair{rect.left, rect.top}, 255);
}

bool CSkinWndSB::PaintsOverItself(HWND child) {
    // A transparent child is drawn over its parent's picture; so is a group
    // box, which draws its frame and label and leaves its inside alone.
    if (skin_unhooked::ExStyle(child) & WS_EX_TRANSPARENT) return true;
    wchar_t name[16] = {};
    ::GetClassNameW(child, name, 16);
    return std::wcscmp(name, L"Button") == 0 && (skin_unhooked::Style(child) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool CSkinWndSB::OnMeasureItem(const SkinMessage& m, LRESULT* result) {
    // A list box whose rows the skin paints has its rows as high as the
    // skin keeps them; every other owner-drawn control asks the program.
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam);
    if (!measure || measure->CtlType != ODT_LISTBOX) return false;
    HWND list = ::GetDlgItem(window_, static_cast<int>(measure->CtlID));
    CSkinBase* skin = list ? SkinObjectOf(list) : nullptr;
    if (!skin || skin->AttachedKind() != SkinWindowKind::ListBox) return false;
    auto* listSkin = static_cast<CSkinListBoxSB*>(skin);
    if (!listSkin->DrawsRows()) return false;
    measure->itemHeight = static_cast<UINT>(listSkin->MeasuredHeight(static_cast<int>(measure->itemID)));
    *result = TRUE;
    return true;
}
