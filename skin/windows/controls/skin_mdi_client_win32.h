// CSkinMDIClient: the skin of an MDI client area (and of the framework's
// frame-or-view windows): a frame without a caption of its own.
#pragma once

#include "skin/windows/controls/skin_wnd_win32.h"

class CSkinMDIClient : public CSkinWndSB {
public:
    using CSkinWndSB::CSkinWndSB;
};
