#include "skin/windows/controls/skin_check_button_win32.h"

CSkinCheckBtnSB::CSkinCheckBtnSB(HWND window) : CSkinToggleSB(window, true, 1) {}
