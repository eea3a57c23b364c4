// The engine's timers: a skin object starts a timer on its window and the
// engine's timer procedure hands each tick to the object's OnTimer, so the
// control's own procedure never sees the engine's timer messages.
#pragma once

#include <windows.h>

// Starts (or restarts) timer `id` of the window's skin object; false when
// the system refused it.
bool SkinStartTimer(HWND window, UINT_PTR id, UINT milliseconds);
void SkinStopTimer(HWND window, UINT_PTR id);
