#include "skin/windows/controls/skin_menu_bar_win32.h"

#include "skin/windows/controls/skin_wnd_win32.h"

CSkinMenuBar::CSkinMenuBar(HWND window, HMENU menu) : window_(window), menu_(menu) {}

void CSkinMenuBar::Measure(ISkinCanvas& canvas, HFONT font) {
    items_.clear();
    int count = ::GetMenuItemCount(menu_);
    int x = rect_.left;
    for (int i = 0; i < count && i < 256; ++i) {
        wchar_t text[256] = {};
        ::GetMenuStringW(menu_, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        Item item{text, SkinRect{}, ::GetSubMenu(menu_, i), ::GetMenuItemID(menu_, i)};
        SkinRect measure{0, 0, 0, 0};
        canvas.DrawText(measure, item.text, kSkinDtSingleLine | kSkinDtCalcRect, 0, font);
        int width = measure.Width() + canvas.Scale().Scale(16);  // 8 pixels each side at 96 DPI
        item.rect = SkinRect{x, rect_.top, x + width, rect_.bottom};
        x += width;
        items_.push_back(item);
    }
}

void CSkinMenuBar::Paint(ISkinCanvas& canvas, HFONT font) {
    if (rect_.IsEmpty()) return;
    Measure(canvas, font);
    canvas.FillSolid(rect_, ::GetSysColor(COLOR_MENUBAR));
    for (size_t i = 0; i < items_.size(); ++i) {
        bool hot = static_cast<int>(i) == hot_ || static_cast<int>(i) == pressed_;
        if (hot) canvas.FillSolid(items_[i].rect, ::GetSysColor(COLOR_MENUHILIGHT));
        SkinRect text = items_[i].rect;
        canvas.DrawText(text, items_[i].text, kSkinDtSingleLine | kSkinDtVCenter | kSkinDtCenter,
                        ::GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), font);
    }
}

int CSkinMenuBar::ItemAt(POINT p) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].rect.Contains(p.x, p.y)) return static_cast<int>(i);
    return -1;
}

void CSkinMenuBar::Redraw() { ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE); }

void CSkinMenuBar::OnMouseMove(POINT p) {
    int hot = ItemAt(p);
    if (hot == hot_) return;
    hot_ = hot;
    Redraw();
}

void CSkinMenuBar::OnButtonDown(POINT p) {
    int index = ItemAt(p);
    if (index < 0) return;
    pressed_ = index;
    Redraw();
    const Item& item = items_[static_cast<size_t>(index)];
    if (!item.popup) return;  // a plain item acts on release
    RECT window = win::WindowRect(window_);
    ::TrackPopupMenu(item.popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, window.left + item.rect.left,
                     window.top + item.rect.bottom, 0, window_, nullptr);
    pressed_ = -1;
    Redraw();
}

void CSkinMenuBar::OnButtonUp(POINT p) {
    int index = ItemAt(p);
    int pressed = pressed_;
    pressed_ = -1;
    Redraw();
    if (index < 0 || index != pressed) return;
    const Item& item = items_[static_cast<size_t>(index)];
    if (!item.popup && item.id != static_cast<UINT>(-1)) ::SendMessageW(window_, WM_COMMAND, item.id, 0);
}

bool CSkinMenuBar::OnTimer(UINT_PTR id) {
    if (id != kSkinTimerMenuHot) return false;
    POINT p{};
    ::GetCursorPos(&p);
    RECT window = win::WindowRect(window_);
    POINT local{p.x - window.left, p.y - window.top};
    if (rect_.Contains(local.x, local.y) || tracking_) return true;
    if (hot_ >= 0) {
        hot_ = -1;
        Redraw();
    }
    return false;
}
