#include "gallery_screenshot.h"

#include <cstdint>
#include <cstdio>
#include <memory>

#include "common/win_handles.h"

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

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
    win::WindowDc screen(nullptr);
    win::ScopedMemoryDc memory(::CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    win::ScopedGdiObject bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen.get() || !memory || !bitmap || !bits) return false;
    {
        win::ScopedSelection select(memory.get(), bitmap.get());
        if (!::BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY)) return false;
    }
    ::GdiFlush();

    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t size = stride * static_cast<uint32_t>(height);
    BITMAPFILEHEADER head{};
    head.bfType = 0x4D42;  // "BM"
    head.bfOffBits = sizeof head + sizeof info.bmiHeader;
    head.bfSize = head.bfOffBits + size;
    info.bmiHeader.biSizeImage = size;
    std::unique_ptr<FILE, FileCloser> f(_wfopen(path, L"wb"));
    if (!f) return false;
    bool written = std::fwrite(&head, sizeof head, 1, f.get()) == 1 &&
                   std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f.get()) == 1 &&
                   std::fwrite(bits, 1, size, f.get()) == size;
    return std::fclose(f.release()) == 0 && written;
}
