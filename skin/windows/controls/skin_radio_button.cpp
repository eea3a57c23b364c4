#include "skin/windows/controls/skin_radio_button.h"

CSkinRadioBtnSB::CSkinRadioBtnSB(HWND window) : CSkinToggleSB(window, false, 0) {}
