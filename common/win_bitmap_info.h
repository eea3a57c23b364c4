// The one picture format the engine and its tests hand to GDI's DIB
// functions: 32 bits per pixel, B G R X in memory, no palette.
#pragma once

#include <windows.h>

namespace win {

// A negative height makes the rows top-down.
inline BITMAPINFO Bgra32Info(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace win
