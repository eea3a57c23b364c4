// CSkinToggleSB: what the check-box and radio-button skins share. They draw
// a mark picture by check state and mouse state, the window text beside it,
// the theme's drawing items by the check state's mask, and a focus
// rectangle; checking stays the control's own work, read at every paint.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_pressable_win32.h"
#include "skin/windows/controls/skin_toggle_layout.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinToggleSB : public CSkinPressable {
public:
    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    // The check state (BM_GETSTATE's check bits), never cached.
    virtual uint32_t ReadCheckState();
    // The whole control into `canvas` over the client rectangle.
    virtual void Draw(ISkinCanvas& canvas);

    LRESULT HandleMessage(const SkinMessage& message);

    const SkinRadioButtonDesc* ToggleDescription() const {
        return static_cast<const SkinRadioButtonDesc*>(description_);
    }

protected:
    // `checkBox`: the check skin, which knows the indeterminate mark;
    // `paintResult`: what WM_PAINT answers.
    CSkinToggleSB(HWND window, bool checkBox, LRESULT paintResult);

private:
    friend struct SkinToggleTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnButtonUp(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);

    void LoadMarks();
    void DrawMatchingItems(ISkinCanvas& canvas);

    const bool checkBox_;
    const LRESULT paintResult_;
    CSkinDrawImage* marks_[kSkinToggleMarks] = {};
    uint32_t checkState_ = 0;
};
