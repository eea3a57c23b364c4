// What the bar and field skins share on the Win32 side: pictures by id and
// their sizes, a picture laid over a rectangle, the non-client ring painted
// off-screen, the colours of an input field, and where the cursor is.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "common/value_types.h"
#include "skin/draw/skin_canvas.h"

class CSkinDrawImage;

// The theme picture `id`, or null (also for an empty id).
CSkinDrawImage* SkinPictureOf(const std::wstring& id);
// The size it shows at on a window of `scale`; 0 x 0 for none.
SkinSize SkinPictureSize(CSkinDrawImage* picture, const SkinScale& scale);

// A picture over `rect`: a 9-grid with `margin` pixels of corner (the
// picture's own, at 96 DPI: the canvas's scale applies), so rounded corners
// and edges keep their shape at any size. Nothing without a picture; false
// then.
bool SkinDrawPicture(ISkinCanvas& canvas, CSkinDrawImage* picture, const SkinRect& rect, int margin);

// Paints the window's non-client ring: `draw` gets a window-sized canvas
// (window coordinates, the whole window rectangle) and what it draws there
// is copied to the window DC around the client area only. The canvas has
// the window's `scale`. Nothing for a window without a ring.
void SkinPaintRing(HWND window, const SkinScale& scale, const std::function<void(ISkinCanvas&, const SkinRect&)>& draw);

// The client rectangle in window coordinates.
SkinRect SkinClientInWindowRect(HWND window);

// An input field's background: the window colour, the button face when the
// field is disabled; the system's own brushes (never deleted).
SkinColor SkinFieldBackground(bool enabled);
HBRUSH SkinFieldBrush(bool enabled);

// A system colour (GetSysColor) as a skin colour.
SkinColor SkinSysColor(int index);

// Whether the cursor is over the window or one of its children.
bool SkinCursorWithin(HWND window);
