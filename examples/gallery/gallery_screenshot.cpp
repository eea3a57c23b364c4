#include "gallery_screenshot.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <type_traits>

namespace {

// Owners for the few handles of one screenshot (the gallery uses nothing
// of the engine's tree but its public header).
struct ScreenDcRelease {
    void operator()(HDC dc) const { ::ReleaseDC(nullptr, dc); }
};
struct DcDelete {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct ObjectDelete {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct FileClose {
    void operator()(FILE* f) const { std::fclose(f); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcRelease>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDelete>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDelete>;

}  // namespace

bool GalleryWriteScreenshot(HWND window, const wchar_t* path) {
    RECT r{};
    if (!::GetWindowRect(window, &r)) return false;
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as the file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    ScreenDc screen(::GetDC(nullptr));
    if (!screen) return false;
    MemoryDc memory(::CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    Bitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return false;
    HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    bool copied = ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY) != FALSE;
    ::SelectObject(memory.get(), old);
    if (!copied) return false;
    ::GdiFlush();

    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t size = stride * static_cast<uint32_t>(height);
    BITMAPFILEHEADER head{};
    head.bfType = 0x4D42;  // "BM"
    head.bfOffBits = sizeof head + sizeof info.bmiHeader;
    head.bfSize = head.bfOffBits + size;
    info.bmiHeader.biSizeImage = size;
    std::unique_ptr<FILE, FileClose> f(_wfopen(path, L"wb"));
    if (!f) return false;
    bool written = std::fwrite(&head, sizeof head, 1, f.get()) == 1 &&
                   std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f.get()) == 1 &&
                   std::fwrite(bits, 1, size, f.get()) == size;
    return std::fclose(f.release()) == 0 && written;
}
