// CSkinStaticSB: the skin of a static control. It paints the parent's
// skinned background under the control, the control's icon or bitmap, the
// drawing items and the window text, with no background of its own, so the
// text stands on the skinned dialog.
#pragma once

#include <windows.h>

#include "skin/resources/skin_descriptions.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc.h"

class CSkinStaticSB : public CSkinBase {
public:
    explicit CSkinStaticSB(HWND window);
    ~CSkinStaticSB() override;

    void ApplyDescription() override;
    void AdjustColors(int hue, int saturation, int lightness) override;
    void OnReskinned() override;
    virtual void Press();    // 6
    virtual void Release();  // 7
    virtual void Paint();    // 8

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    const SkinStaticDesc* StaticDescription() const { return static_cast<const SkinStaticDesc*>(description_); }
    // A static with drawing items tracks the mouse and shows their states.
    bool IsInteractive() const { return !items_.empty(); }

private:
    friend struct SkinStaticTable;

    bool OnPaint(WPARAM, LPARAM, LRESULT*);
    bool OnDrawItem(WPARAM, LPARAM, LRESULT*);
    bool OnTextOrEnable(WPARAM, LPARAM, LRESULT*);
    bool OnEraseBackground(WPARAM, LPARAM, LRESULT*);
    bool OnSetCursor(WPARAM, LPARAM, LRESULT*);
    bool OnMouseMove(WPARAM, LPARAM, LRESULT*);
    bool OnButtonDown(WPARAM, LPARAM, LRESULT*);
    bool OnButtonUp(WPARAM, LPARAM, LRESULT*);
    bool OnMouseLeave(WPARAM, LPARAM, LRESULT*);

    void DrawContent(ISkinCanvas& canvas);
    // Whether the parent's background is the skin's (not a "nodraw" frame).
    bool ParentDrawnBySkin() const;

    UINT currentMessage_ = 0;
};
