// The display's DPI as Windows reports it, from Windows Vista on: the
// per-window and per-DPI calls of Windows 10 where they exist, found at run
// time, and the system DPI and metrics where they do not (the program then
// runs at one DPI, the system's).
#pragma once

#include <windows.h>

namespace win {

// Messages of newer systems, for builds that target Windows 7.
inline constexpr UINT kWmDpiChanged = 0x02E0;             // WM_DPICHANGED (Windows 8.1)
inline constexpr UINT kWmDpiChangedAfterParent = 0x02E3;  // WM_DPICHANGED_AFTERPARENT (Windows 10 1703)

// The DPI of the system (the primary display at log-on).
UINT SystemDpi();
// The DPI of the window's display; the system DPI where windows have none.
UINT WindowDpi(HWND window);
// GetSystemMetrics for a display of `dpi` (the system DPI's metric where the
// system cannot say).
int SystemMetricForDpi(int index, UINT dpi);
// AdjustWindowRectEx for a display of `dpi`.
bool AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi);
// Keeps the dialog manager from scaling this dialog's fonts and controls
// by itself when its DPI changes (Windows 10 1703 and later), for a dialog
// that lays itself out at each DPI.
void KeepDialogLayoutOnDpiChange(HWND dialog);

}  // namespace win
