// What the screen shows of a window, written as a 24-bit BMP file. Read
// from the screen's device context, so skinned painting is in it (a window
// that paints itself into a PrintWindow request would not show it).
#pragma once

#include <windows.h>

bool GalleryWriteScreenshot(HWND window, const wchar_t* path);
