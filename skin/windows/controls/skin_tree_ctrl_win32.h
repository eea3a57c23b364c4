// CSkinTreeCtrlSB: the skin of a tree view. It always gives the tree the
// engine's scroll bars and border. With the theme's drawItem it paints the
// rows as the list box does (a picture by state: normal, under the mouse,
// selected; text colours by state) on the skin's background, and the
// expand and collapse pictures where the tree keeps its buttons, so the
// tree's own clicks, keyboard and selection work unchanged.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_scroller_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;
class ISkinCanvas;

class CSkinTreeCtrlSB : public CSkinScroller {
public:
    explicit CSkinTreeCtrlSB(HWND window);
    ~CSkinTreeCtrlSB() override;

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinTreeDesc* TreeDescription() const { return static_cast<const SkinTreeDesc*>(description_); }
    bool DrawsRows() const;
    HTREEITEM HoverItem() const { return hoverItem_; }

protected:
    std::wstring ScrollBarImageId() const override;
    SkinColor BorderColor() const override;
    bool HidesThumbWithoutRange() const override { return true; }

private:
    friend struct SkinTreeCtrlTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnQuietPass(const SkinMessage&, LRESULT*);
    bool OnPassThenRedrawBars(const SkinMessage&, LRESULT*);

    void ApplyItemHeight();
    void Paint();
    void PaintRow(ISkinCanvas& canvas, HTREEITEM item);
    std::wstring ItemText(HTREEITEM item) const;
    HTREEITEM ItemAt(POINT p, UINT* flags = nullptr) const;

    CSkinDrawImage* background_ = nullptr;
    CSkinDrawImage* rowPicture_[3] = {};  // normal, over, selected
    CSkinDrawImage* expand_ = nullptr;    // shown by a collapsed row: a click expands it
    CSkinDrawImage* collapse_ = nullptr;  // shown by an expanded row
    HTREEITEM hoverItem_ = nullptr;
};
