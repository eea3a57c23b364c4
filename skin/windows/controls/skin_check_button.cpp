#include "skin/windows/controls/skin_check_button.h"

CSkinCheckBtnSB::CSkinCheckBtnSB(HWND window) : CSkinToggleSB(window, true, 1) {}
