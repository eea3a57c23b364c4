// The graphics layer on Windows: GDI objects, counted as they are created
// and deleted (GetGuiResources says nothing under Wine).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <vector>

#include "image/bmp_file.h"
#include "image/picture.h"
#include "skin/platform/skin_gdi_canvas_win32.h"
#include "skin/platform/skin_graphics.h"

namespace {

std::atomic<long> g_liveObjects{0};

template <class Handle>
Handle Counted(Handle handle) {
    if (handle) g_liveObjects.fetch_add(1, std::memory_order_relaxed);
    return handle;
}

bool SizeFits(int width, int height) {
    return width > 0 && height > 0 && width <= tovane::kMaxPictureSide && height <= tovane::kMaxPictureSide &&
           uint64_t(width) * uint64_t(height) <= tovane::kMaxPicturePixels;
}

class Win32SkinGraphics final : public ISkinGraphics {
public:
    SkinPen CreatePen(uint32_t style, int width, SkinColor color) override {
        return SkinPen(Counted(::CreatePen(static_cast<int>(style), width, color)));
    }
    SkinBrush CreateSolidBrush(SkinColor color) override { return SkinBrush(Counted(::CreateSolidBrush(color))); }
    SkinBrush CreatePatternBrush(HBITMAP bitmap) override {
        return SkinBrush(bitmap ? Counted(::CreatePatternBrush(bitmap)) : nullptr);
    }
    HBRUSH NullBrush() override { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

    SkinBitmapHandle CreateBitmapFromBmp(const uint8_t* file, size_t size) override {
        SkinBmpInfo bmp;
        if (!SkinCheckBmp(file, size, &bmp)) return SkinBitmapHandle();
        // The headers in one aligned block of the form every GDI takes.
        std::vector<uint32_t> block = SkinBmpInfoBlock(file, bmp);
        auto* info = reinterpret_cast<const BITMAPINFO*>(block.data());
        HBITMAP bitmap =
            CreateDIBitmap(SkinScreenDc(), &info->bmiHeader, CBM_INIT, file + bmp.bitsOffset, info, DIB_RGB_COLORS);
        return SkinBitmapHandle(Counted(bitmap));
    }

    SkinBitmapHandle CreateDibSection(int width, int height, int bitsPerPixel, uint8_t** bits) override {
        if (bits) *bits = nullptr;
        if ((bitsPerPixel != 24 && bitsPerPixel != 32) || !SizeFits(width, height)) return SkinBitmapHandle();
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;  // bottom-up
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        if (!bitmap || !memory) {
            if (bitmap) DeleteObject(bitmap);
            return SkinBitmapHandle();
        }
        if (bits) *bits = static_cast<uint8_t*>(memory);
        return SkinBitmapHandle(Counted(bitmap));
    }

    bool CreateKeyMasks(HBITMAP bitmap, int width, int height, SkinColor key, SkinBitmapHandle* mask,
                        SkinBitmapHandle* black) override {
        if (!bitmap || !mask || !black || !SizeFits(width, height)) return false;
        SkinBitmapHandle m(Counted(CreateBitmap(width, height, 1, 1, nullptr)));
        SkinBitmapHandle b(Counted(::CreateCompatibleBitmap(SkinScreenDc(), width, height)));
        if (!m || !b || !SkinGdiMakeKeyMasks(bitmap, width, height, key, m.get(), b.get())) return false;
        *mask = std::move(m);
        *black = std::move(b);
        return true;
    }

    SkinBitmapHandle CreateCompatibleBitmap(int width, int height) override {
        if (!SizeFits(width, height)) return SkinBitmapHandle();
        return SkinBitmapHandle(Counted(::CreateCompatibleBitmap(SkinScreenDc(), width, height)));
    }

    bool GetBitmapInfo(HBITMAP bitmap, SkinBitmapInfo* info) override {
        BITMAP bm = {};
        if (!bitmap || !info || GetObjectW(bitmap, sizeof bm, &bm) != static_cast<int>(sizeof bm)) return false;
        *info = SkinBitmapInfo{bm.bmWidth, bm.bmHeight, bm.bmBitsPixel};
        return true;
    }

    bool ReadBitmapPixels(HBITMAP bitmap, SkinBitmapPixels* out) override {
        SkinBitmapInfo bm;
        if (!out || !GetBitmapInfo(bitmap, &bm) || !SizeFits(bm.width, bm.height)) return false;
        // Read in the bitmap's own depth: 1- and 4-bit ones as 8-bit with
        // their palette, 16-bit ones as 5-6-5.
        int depth = bm.bitsPerPixel <= 8 ? 8 : bm.bitsPerPixel == 16 ? 16 : bm.bitsPerPixel == 24 ? 24 : 32;
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } info = {};
        info.header.biSize = sizeof(info.header);
        info.header.biWidth = bm.width;
        info.header.biHeight = -bm.height;  // top-down
        info.header.biPlanes = 1;
        info.header.biBitCount = static_cast<WORD>(depth);
        info.header.biCompression = depth == 16 ? BI_BITFIELDS : BI_RGB;
        if (depth == 16) {
            const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
            std::memcpy(info.colors, masks, sizeof masks);
        }
        out->info = SkinBitmapInfo{bm.width, bm.height, depth};
        out->stride = ((bm.width * depth + 31) / 32) * 4;
        out->bytes.assign(static_cast<size_t>(out->stride) * static_cast<size_t>(bm.height), 0);
        // An information context of the display, for reading the pixels.
        SkinCountedDc ic(Counted(CreateICW(L"DISPLAY", nullptr, nullptr, nullptr)));
        if (!ic) return false;
        int lines = GetDIBits(ic.get(), bitmap, 0, static_cast<UINT>(bm.height), out->bytes.data(),
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
        if (lines != bm.height) return false;
        out->palette.clear();
        if (depth == 8) {
            for (const RGBQUAD& c : info.colors)
                out->palette.push_back(uint32_t{c.rgbRed} << 16 | uint32_t{c.rgbGreen} << 8 | c.rgbBlue);
        }
        return true;
    }

    SkinRegion CreateRegion(const SkinRect* rects, size_t count) override {
        if (!rects || count == 0) return SkinRegion(Counted(CreateRectRgn(0, 0, 0, 0)));
        if (count > (std::numeric_limits<DWORD>::max() - sizeof(RGNDATAHEADER)) / sizeof(RECT)) return SkinRegion();
        std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
        RGNDATAHEADER header = {};
        header.dwSize = sizeof(RGNDATAHEADER);
        header.iType = RDH_RECTANGLES;
        header.nCount = static_cast<DWORD>(count);
        header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
        header.rcBound = RECT{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
        RECT* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
        for (size_t i = 0; i < count; ++i) {
            const SkinRect& r = rects[i];
            out[i] = win::ToRect(r);
            header.rcBound.left = std::min(header.rcBound.left, LONG{r.left});
            header.rcBound.top = std::min(header.rcBound.top, LONG{r.top});
            header.rcBound.right = std::max(header.rcBound.right, LONG{r.right});
            header.rcBound.bottom = std::max(header.rcBound.bottom, LONG{r.bottom});
        }
        std::memcpy(data.data(), &header, sizeof header);
        return SkinRegion(Counted(
            ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()))));
    }

    std::unique_ptr<ISkinCanvas> CreateBitmapCanvas(const SkinSurface& target) override {
        return SkinCreateGdiBitmapCanvas(target);
    }

    std::unique_ptr<ISkinCanvas> CreateDcCanvas(HDC dc) override {
        if (!dc) return nullptr;
        return std::make_unique<SkinGdiCanvas>(dc);
    }

    void Delete(SkinGdiKind, void* handle) override {
        if (!handle) return;
        DeleteObject(static_cast<HGDIOBJ>(handle));
        g_liveObjects.fetch_sub(1, std::memory_order_relaxed);
    }

    long LiveObjects() const override { return g_liveObjects.load(std::memory_order_relaxed); }
};

}  // namespace

void SkinTrackGdiObject(long delta) { g_liveObjects.fetch_add(delta, std::memory_order_relaxed); }

ISkinGraphics& DefaultSkinGraphics() {
    static Win32SkinGraphics* graphics = new Win32SkinGraphics();
    return *graphics;
}

HDC DefaultSkinScreenDc() {
    // The screen's DC, kept for the life of the process: bitmaps made on it
    // match the display, whichever thread asks.
    static HDC screen = GetDC(nullptr);
    return screen;
}
