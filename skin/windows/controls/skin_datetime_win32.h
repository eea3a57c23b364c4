// CSkinDateTimeSB: the skin of a date-time picker. Its frame comes from the
// skin's frame pictures and its drop button from the button pictures by
// state (over while the mouse is on it, down while pressed or while the
// calendar is open, disabled); the control draws its date fields into the
// skin's buffer. A picker with an up-down part has that part skinned with
// the spin skin the description names.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_bar_layout.h"
#include "skin/windows/controls/skin_field_frame_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinDateTimeSB : public CSkinFieldFrame {
public:
    explicit CSkinDateTimeSB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnAttached() override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinDateTimeDesc* DateTimeDescription() const { return static_cast<const SkinDateTimeDesc*>(description_); }

    // The drop button in client coordinates; empty for an up-down picker.
    SkinRect ButtonRect() const;
    // Whether the calendar is open.
    bool Dropped() const;

protected:
    void OnHoverChanged() override;

private:
    friend struct SkinDateTimeTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnCreate(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnButtonUp(const SkinMessage&, LRESULT*);
    bool OnNotify(const SkinMessage&, LRESULT*);

    void InvalidateButton();
    void SkinSpinPart();

    CSkinDrawImage* buttons_[kSkinFaceCount] = {};
    bool buttonHot_ = false;
};
