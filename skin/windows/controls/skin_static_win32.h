// CSkinStaticSB: the skin of a static control. It paints the parent's
// skinned background under the control, the control's icon or bitmap, the
// drawing items and the window text, with no background of its own, so the
// text stands on the skinned dialog.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinStaticSB : public CSkinBase {
public:
    explicit CSkinStaticSB(HWND window);
    ~CSkinStaticSB() override;

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    virtual void Press();
    virtual void Release();
    virtual void Paint();

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinStaticDesc* StaticDescription() const { return static_cast<const SkinStaticDesc*>(description_); }
    // A static with drawing items tracks the mouse and shows their states.
    bool IsInteractive() const { return !items_.empty(); }

private:
    friend struct SkinStaticTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnDrawItem(const SkinMessage&, LRESULT*);
    bool OnTextOrEnable(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnSetCursor(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnButtonUp(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);

    void DrawContent(ISkinCanvas& canvas);
    // Whether the parent's background is the skin's (not a "nodraw" frame).
    bool ParentDrawnBySkin() const;
};
