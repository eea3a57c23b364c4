// CSkinSpinButtonSB: the skin of a spin button (up-down control). It paints
// both halves from the description's sixteen pictures by the mouse and the
// control's state, over the parent's skinned background, and leaves the
// arrows' work (capture, repeat, the buddy) to the control.
#pragma once

#include <windows.h>

#include <array>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_spin_geometry.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinSpinButtonSB : public CSkinBase {
public:
    explicit CSkinSpinButtonSB(HWND window);

    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinSpinButtonDesc* SpinDescription() const { return static_cast<const SkinSpinButtonDesc*>(description_); }

private:
    friend struct SkinSpinButtonTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEnable(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnButtonUp(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);

    bool Horizontal() const;
    SkinSpinHalves Halves() const;
    // Which half holds the point: 0 the first, 1 the second, -1 neither.
    int HalfAt(int x, int y) const;
    // The half whose arrow key is held in the focused buddy, or -1.
    int KeyHeldHalf(bool horizontal) const;

    std::array<CSkinDrawImage*, kSkinSpinPictureCount> pictures_{};
    int hotHalf_ = -1;
};
