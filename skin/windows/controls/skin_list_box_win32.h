// CSkinListBoxSB: the skin of a list box. It always gives the list the
// engine's scroll bars and border. With the theme's drawItem it paints the
// rows itself (stripes, hover and selection pictures or fills, the skin's
// drawing items per row, text colours) and follows the mouse over them.
//
// The selection stays the list box's own: a click sets it through the list
// box, the keyboard and type-ahead move it there as always, and the skin
// paints what the list box holds, so LB_GETCURSEL, LB_GETSEL and screen
// readers agree with the screen. A user's change is told to the parent
// once (LBN_SELCHANGE); a program's LB_SETCURSEL is not, as with the
// system's list box. A list with LBS_WANTKEYBOARDINPUT asks its parent
// (WM_VKEYTOITEM) before it moves, as always, and the skin paints where it
// went, never a row behind.
//
// A clickable item of the skin shows in the row under the mouse; a click
// on it posts WM_SKIN_LISTCLICK to the parent with the item's place in the
// skin's item list and MAKELONG(control id, row), and selects nothing.
#pragma once

#include <windows.h>

#include <string>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_list_rows.h"
#include "skin/windows/controls/skin_scroller_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;
class ISkinCanvas;

class CSkinListBoxSB : public CSkinScroller {
public:
    explicit CSkinListBoxSB(HWND window);
    ~CSkinListBoxSB() override;

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinListBoxDesc* ListDescription() const { return static_cast<const SkinListBoxDesc*>(description_); }
    // The theme paints the rows (drawItem).
    bool DrawsRows() const;

    // The row height of the theme at the window's scale, as the list box
    // keeps it (1 to 255).
    int ItemHeight() const;
    // The height the parent answers WM_MEASUREITEM with for `row`: a row
    // being inserted has no record yet (the records move after the list
    // box took it), so it gets the theme's height.
    int MeasuredHeight(int row) const { return insertingRow_ ? ItemHeight() : records_.HeightOf(row, ItemHeight()); }
    // A row item's click is told as WM_SKIN_LISTCLICK with its row only.
    HWND ItemClickTarget() const override { return nullptr; }
    int Selection() const { return selection_; }
    int HoverRow() const { return hoverRow_; }
    const SkinListRowRecords& Records() const { return records_; }

protected:
    std::wstring ScrollBarImageId() const override;
    SkinColor BorderColor() const override;

private:
    friend struct SkinListBoxTable;

    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnSetCursor(const SkinMessage&, LRESULT*);
    bool OnSetCurSel(const SkinMessage&, LRESULT*);
    bool OnGetCurSel(const SkinMessage&, LRESULT*);
    bool OnSetItemHeight(const SkinMessage&, LRESULT*);
    bool OnRowsChanged(const SkinMessage&, LRESULT*);
    bool OnSetFont(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnButtonUp(const SkinMessage&, LRESULT*);
    bool OnDoubleClick(const SkinMessage&, LRESULT*);
    bool OnKey(const SkinMessage&, LRESULT*);
    bool OnScrollOrWheel(const SkinMessage&, LRESULT*);
    bool OnSize(const SkinMessage&, LRESULT*);
    bool OnSetRedraw(const SkinMessage&, LRESULT*);
    // Passes a message the list box answers by drawing straight to the
    // screen with its redrawing off, unless the program has it off already
    // (a bulk insert): then the program's setting stands.
    LRESULT PassQuietly(const SkinMessage& m);

    int Count() const;
    // The row under a client point, the nearest one below the last; -1 in
    // an empty list.
    int RowAt(POINT p) const;
    SkinRect RowRect(int row) const;
    void InvalidateRow(int row);
    // Gives every row the theme's height (the list box and the records).
    void ApplyItemHeight();
    // The bar after the rows' heights changed, at the list's own top row.
    void UpdateVerticalScroll();
    // Takes the list box's own selection; a change the user made is told
    // to the parent when the list box did not tell it itself.
    void FollowListSelection(bool userAction);
    void NotifySelChange();
    // Sets the list box's own selection without its drawing reaching the screen.
    LRESULT SetListSelection(int row);

    void Paint();
    void PaintBackground(ISkinCanvas& canvas, HDC dc);
    void PaintRow(ISkinCanvas& canvas, int row, const SkinRect& rect, const SkinListRowStyle& style);
    std::wstring RowText(int row) const;
    SkinListRowStyle RowStyle() const;
    // The skin's items of a row: placed in the row, the mouse given to them.
    void PlaceItemsIn(const SkinRect& rect);
    // The state mask of the items a row shows.
    uint32_t RowMask(int row) const;

    CSkinDrawImage* background_ = nullptr;
    CSkinDrawImage* overPicture_ = nullptr;
    CSkinDrawImage* checkedPicture_ = nullptr;
    SkinListRowRecords records_;
    int selection_ = -1;
    int hoverRow_ = -1;
    int pressedRow_ = -1;  // a row item took the press
    bool programRedrawOff_ = false;
    bool passingQuietly_ = false;
    bool insertingRow_ = false;
};
