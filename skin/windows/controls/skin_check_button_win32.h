// CSkinCheckBtnSB: the skin of a check box (BS_CHECKBOX, BS_AUTOCHECKBOX,
// BS_3STATE, BS_AUTO3STATE): the toggle skin with the third, indeterminate
// mark, one picture for every mouse state.
#pragma once

#include "skin/windows/controls/skin_toggle_win32.h"

class CSkinCheckBtnSB : public CSkinToggleSB {
public:
    // WM_PAINT answers 1.
    explicit CSkinCheckBtnSB(HWND window);
    const SkinCheckButtonDesc* CheckDescription() const {
        return static_cast<const SkinCheckButtonDesc*>(description_);
    }
};
