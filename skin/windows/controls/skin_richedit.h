// CSkinRichEditSB: the skin of a rich-edit control. It draws the control's
// frame from the skin's frame pictures (the hover picture while the mouse
// is over it) and switches the rich-edit scroll-bar layer on with the
// skin's scroll-bar picture; the layer draws and operates the bars.
#pragma once

#include <windows.h>

#include "skin/resources/skin_descriptions.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc.h"

class CSkinDrawImage;

class CSkinRichEditSB : public CSkinBase {
public:
    explicit CSkinRichEditSB(HWND window);
    ~CSkinRichEditSB() override;

    void AdjustColors(int hue, int saturation, int lightness) override;
    void OnReskinned() override;
    void OnAttached() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    const SkinRichEditDesc* RichEditDescription() const {
        return static_cast<const SkinRichEditDesc*>(description_);
    }

private:
    friend struct SkinRichEditTable;

    bool OnCreate(WPARAM, LPARAM, LRESULT*);
    bool OnNcCalcSize(WPARAM, LPARAM, LRESULT*);
    bool OnNcPaint(WPARAM, LPARAM, LRESULT*);
    bool OnMouseMove(WPARAM, LPARAM, LRESULT*);
    bool OnTimer(WPARAM, LPARAM, LRESULT*);

    // Switches the layer on with the skin's picture (off without one).
    void UpdateLayer();
    void RedrawFrame();

    UINT currentMessage_ = 0;
    CSkinDrawImage* frameNormal_ = nullptr;
    CSkinDrawImage* frameOver_ = nullptr;
};
