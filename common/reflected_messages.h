// Notifications a parent hands back to the child control that sent them
// ("reflection"), so that a control can answer its own WM_COMMAND
// notifications and control-colour messages. The numbering is the usual one
// (OCM__BASE of <olectl.h>): the reflected message is kReflectBase + the
// original message, with the original wParam and lParam.
#pragma once

#include <windows.h>

namespace win {

constexpr UINT kReflectBase = WM_USER + 0x1C00;

// For a reflected WM_COMMAND the control returns nonzero when it handled the
// notification; for a reflected WM_CTLCOLOR... it returns its brush, or 0
// to leave the colours to its parent.
constexpr UINT ReflectedMessage(UINT message) { return kReflectBase + message; }

}  // namespace win
