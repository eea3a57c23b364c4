// CSkinScrollBarSB: the skin of a "ScrollBar" control. Its one bar fills
// the control and is drawn and operated by the scroller; presses and drags
// go to the control's parent as WM_HSCROLL or WM_VSCROLL with the control's
// handle. The control's own messages (SBM_...) are answered from the same
// copy of the bar that the scroll-bar hooks keep, so every reader agrees
// with what is drawn. A size box shows the parent's background and the
// skin's size-box picture.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_scroller_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinScrollBarSB : public CSkinScroller {
public:
    explicit CSkinScrollBarSB(HWND window);

    void OnReskinned() override;
    LRESULT HandleMessage(const SkinMessage& message);
    const SkinScrollBarDesc* ScrollBarDescription() const {
        return static_cast<const SkinScrollBarDesc*>(description_);
    }

protected:
    std::wstring ScrollBarImageId() const override;
    std::wstring SizeBoxImageId() const override;
    bool ShowsFocus() const override;

private:
    friend struct SkinScrollBarTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnNcPaint(const SkinMessage&, LRESULT*);
    bool OnEnable(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnButtonUp(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnSetFocus(const SkinMessage&, LRESULT*);
    bool OnKillFocus(const SkinMessage&, LRESULT*);
    bool OnBarMessage(const SkinMessage&, LRESULT*);

    bool IsSizeBox() const;
    void PaintSizeBox();

    bool reinitSent_ = false;
};
