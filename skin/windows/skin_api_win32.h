// Public entry points of the skin engine. All strings are UTF-16.
#pragma once

#include <windows.h>

// Loads the skin package stored in the executable's own resources under
// (type, id), decrypting entries with the optional password. Returns 1 when
// the resource exists, else 0.
int LoadSkinResource(const wchar_t* resourceType, int resourceId, const char* password);

// Attaches the theme's description `skinId` to `window`. Returns 1 when the
// window kind is skinnable and the theme describes that id, else 0 (the
// window keeps its system look).
int SetWindowSkin(HWND window, const wchar_t* skinId);

// Sets the text or picture id of the window's drawing item named `name`.
// Returns 1 on success, 0 when the window is not skinned or has no such item.
int SetSkinProperty(HWND window, const wchar_t* name, const wchar_t* value, int redraw);

// Paints, into `dc` over the child's client rectangle (left, top, right,
// bottom), what the child's skinned parent shows behind it, so the child
// looks as if it had no background of its own. `alpha` 255 copies, below 0
// copies nothing, anything else blends. Returns 1 when a skinned picture
// was painted; 0 when there was none, after filling the rectangle with the
// parent's colour or the system button face.
int PaintParentBackground(HWND child, HDC dc, int left, int top, int right, int bottom, int alpha);

// Posted to the parent of a skinned list box when a clickable drawing item
// its skin shows in a row is clicked: wParam is the item's place among the
// skin's drawing items, LOWORD(lParam) the list's control id and
// HIWORD(lParam) the row. The click selects nothing.
enum : UINT { kSkinListClickMessage = 6325 };
