// CSkinRadioBtnSB: the skin of a radio button (BS_RADIOBUTTON,
// BS_AUTORADIOBUTTON): the toggle skin with two mark groups only.
#pragma once

#include "skin/windows/controls/skin_toggle_win32.h"

class CSkinRadioBtnSB : public CSkinToggleSB {
public:
    // WM_PAINT answers 0.
    explicit CSkinRadioBtnSB(HWND window);
};
