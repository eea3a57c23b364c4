// CSkinToggleSB: what the check-box and radio-button skins share. They draw
// a mark picture by check state and mouse state, the window text beside it,
// the theme's drawing items by the check state's mask, and a focus
// rectangle; checking stays the control's own work, read at every paint.
#pragma once

#include <windows.h>

#include "skin/resources/skin_descriptions.h"
#include "skin/windows/controls/skin_pressable.h"
#include "skin/windows/controls/skin_toggle_rules.h"
#include "skin/windows/manager/skin_class_proc.h"

class CSkinDrawImage;

class CSkinToggleSB : public CSkinPressable {
public:
    void ApplyDescription() override;
    void AdjustColors(int hue, int saturation, int lightness) override;
    void OnReskinned() override;
    // The check state (BM_GETSTATE's check bits), never cached.
    virtual uint32_t ReadCheckState();
    // The whole control into `canvas` over the client rectangle.
    virtual void Draw(ISkinCanvas& canvas);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    const SkinRadioButtonDesc* ToggleDescription() const {
        return static_cast<const SkinRadioButtonDesc*>(description_);
    }
    // The mark drawn at the last paint (kSkinToggle... index), -1 for none.
    int LastMark() const { return lastMark_; }

protected:
    // `checkBox`: the check skin, which knows the indeterminate mark;
    // `paintResult`: what WM_PAINT answers.
    CSkinToggleSB(HWND window, bool checkBox, LRESULT paintResult);

private:
    friend struct SkinToggleTable;

    bool OnPaint(WPARAM, LPARAM, LRESULT*);
    bool OnEraseBackground(WPARAM, LPARAM, LRESULT*);
    bool OnQuietPass(WPARAM, LPARAM, LRESULT*);
    bool OnSetCursor(WPARAM, LPARAM, LRESULT*);
    bool OnMouseMove(WPARAM, LPARAM, LRESULT*);
    bool OnButtonDown(WPARAM, LPARAM, LRESULT*);
    bool OnButtonUp(WPARAM, LPARAM, LRESULT*);
    bool OnMouseLeave(WPARAM, LPARAM, LRESULT*);

    void LoadMarks();
    void DrawMatchingItems(ISkinCanvas& canvas);

    const bool checkBox_;
    const LRESULT paintResult_;
    UINT currentMessage_ = 0;
    CSkinDrawImage* marks_[kSkinToggleMarks] = {};
    uint32_t checkState_ = 0;
    int lastMark_ = -1;
};
