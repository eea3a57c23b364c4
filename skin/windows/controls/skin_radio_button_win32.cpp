#include "skin/windows/controls/skin_radio_button_win32.h"

CSkinRadioBtnSB::CSkinRadioBtnSB(HWND window) : CSkinToggleSB(window, false, 0) {}
