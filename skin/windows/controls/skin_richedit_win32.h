// CSkinRichEditSB: the skin of a rich-edit control. It draws the control's
// frame from the skin's frame pictures (the hover picture while the mouse
// is over it) and switches the rich-edit scroll-bar layer on with the
// skin's scroll-bar picture; the layer draws and operates the bars.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinRichEditSB : public CSkinBase {
public:
    explicit CSkinRichEditSB(HWND window);
    ~CSkinRichEditSB() override;

    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;
    void OnScaleChanged() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinRichEditDesc* RichEditDescription() const { return static_cast<const SkinRichEditDesc*>(description_); }

private:
    friend struct SkinRichEditTable;

    bool OnCreate(const SkinMessage&, LRESULT*);
    bool OnNcCalcSize(const SkinMessage&, LRESULT*);
    bool OnNcPaint(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnTimer(const SkinMessage&, LRESULT*);

    // Switches the layer on with the skin's picture (off without one).
    void UpdateLayer();
    void RedrawFrame();

    CSkinDrawImage* frameNormal_ = nullptr;
    CSkinDrawImage* frameOver_ = nullptr;
};
