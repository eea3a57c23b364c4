// Attachment entry points of the skin engine. The window manager that makes
// them work arrives with the skinned-window layer; until then no window is
// skinnable and every window keeps its system look.
#include "skin/windows/skin_api.h"

int SetWindowSkin(HWND window, const wchar_t* skinId) { return 0; }

int SetSkinProperty(HWND window, const wchar_t* name, const wchar_t* value, int redraw) {
  return 0;
}

int PaintParentBackground(HWND child, HDC dc, int left, int top, int right, int bottom, int alpha) {
  RECT rect{left, top, right, bottom};
  ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
  return 0;
}
