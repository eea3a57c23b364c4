// CSkinScrollBarSB: the skin of a "ScrollBar" control. Its one bar fills
// the control and is drawn and operated by the scroller; presses and drags
// go to the control's parent as WM_HSCROLL or WM_VSCROLL with the control's
// handle. The control's own messages (SBM_...) are answered from the same
// copy of the bar that the scroll-bar hooks keep, so every reader agrees
// with what is drawn. A size box shows the parent's background and the
// skin's size-box picture.
#pragma once

#include <windows.h>

#include "skin/resources/skin_descriptions.h"
#include "skin/windows/controls/skin_scroller.h"
#include "skin/windows/manager/skin_class_proc.h"

class CSkinScrollBarSB : public CSkinScroller {
public:
    explicit CSkinScrollBarSB(HWND window);

    void OnReskinned() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    const SkinScrollBarDesc* ScrollBarDescription() const {
        return static_cast<const SkinScrollBarDesc*>(description_);
    }

protected:
    std::wstring ScrollBarImageId() const override;
    std::wstring SizeBoxImageId() const override;

private:
    friend struct SkinScrollBarTable;

    bool OnPaint(WPARAM, LPARAM, LRESULT*);
    bool OnEraseBackground(WPARAM, LPARAM, LRESULT*);
    bool OnNcPaint(WPARAM, LPARAM, LRESULT*);
    bool OnEnable(WPARAM, LPARAM, LRESULT*);
    bool OnMouseMove(WPARAM, LPARAM, LRESULT*);
    bool OnButtonDown(WPARAM, LPARAM, LRESULT*);
    bool OnButtonUp(WPARAM, LPARAM, LRESULT*);
    bool OnMouseLeave(WPARAM, LPARAM, LRESULT*);
    bool OnBarMessage(WPARAM, LPARAM, LRESULT*);

    bool IsSizeBox() const;
    void PaintSizeBox();

    UINT currentMessage_ = 0;
    bool reinitSent_ = false;
};
