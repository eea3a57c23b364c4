// CSkinListCtrlSB: the skin of a list view. It always gives the list view
// the engine's scroll bars and border, and skins its header with the skin
// `headSkinLabel` names. With the theme's drawItem, a report view's rows
// are painted as the list box's are (stripes, hover and selection pictures
// or fills, text colours by state), column by column, at the theme's row
// height; selection, focus and keyboard stay the list view's own.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_list_rows.h"
#include "skin/windows/controls/skin_scroller_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;
class ISkinCanvas;

class CSkinListCtrlSB : public CSkinScroller {
public:
    explicit CSkinListCtrlSB(HWND window);
    ~CSkinListCtrlSB() override;

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinListViewDesc* ListDescription() const { return static_cast<const SkinListViewDesc*>(description_); }
    // The theme paints the rows: drawItem, in report view.
    bool DrawsRows() const;
    int HoverRow() const { return hoverRow_; }

protected:
    std::wstring ScrollBarImageId() const override;
    SkinColor BorderColor() const override;
    bool HidesThumbWithoutRange() const override { return true; }

private:
    friend struct SkinListCtrlTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnQuietPass(const SkinMessage&, LRESULT*);
    bool OnPassThenRedrawBars(const SkinMessage&, LRESULT*);
    bool OnSetCursor(const SkinMessage&, LRESULT*);

    void SkinHeader();
    void ApplyRowHeight();
    void Paint();
    void PaintRow(ISkinCanvas& canvas, int row, const SkinListRowStyle& style, int columns);
    std::wstring ItemText(int row, int column) const;
    int RowAt(POINT p) const;

    CSkinDrawImage* overPicture_ = nullptr;
    CSkinDrawImage* checkedPicture_ = nullptr;
    HIMAGELIST rowHeightList_ = nullptr;  // gives the rows their height; ours when the list view shares lists
    bool ownsRowHeightList_ = false;
    int hoverRow_ = -1;
};
