// Graphics objects of the skin engine: pens, brushes, bitmaps, regions and
// the canvases over them, all created and deleted through ISkinGraphics.
//
// The layer counts every object it creates and deletes, so a test can see
// that painting leaks nothing (GetGuiResources is a stub under Wine). Each
// object is owned by a SkinGdiHandle (a win::Scoped), which deletes it through
// the layer.
// On Windows the layer is GDI; natively it hands out distinct dummy
// handles (and real pixel memory for DIB sections), counting the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "common/win_handles.h"
#include "common/win_types.h"
#include "skin/draw/skin_canvas.h"
#include "skin/draw/skin_geometry.h"

enum class SkinGdiKind : uint8_t { Bitmap, Pen, Brush, Region, Font };

class ISkinGraphics;
ISkinGraphics& SkinGraphics();

// Deletes a graphics object through SkinGraphics(), the layer that made it;
// the owners below are win::Scoped over it.
template <class Handle, SkinGdiKind Kind>
struct SkinGdiTraits {
    static Handle Empty() { return nullptr; }
    static inline void Close(Handle handle);
};
template <class Handle, SkinGdiKind Kind>
using SkinGdiHandle = win::Scoped<Handle, SkinGdiTraits<Handle, Kind>>;

using SkinPen = SkinGdiHandle<HPEN, SkinGdiKind::Pen>;
using SkinBrush = SkinGdiHandle<HBRUSH, SkinGdiKind::Brush>;
using SkinBitmapHandle = SkinGdiHandle<HBITMAP, SkinGdiKind::Bitmap>;
using SkinRegion = SkinGdiHandle<HRGN, SkinGdiKind::Region>;

// A bitmap with its size and depth.
struct SkinBitmapInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

// Pixels read back from a bitmap: rows top-down, `stride` bytes apart, in
// the bitmap's own depth; `palette` (0x00RRGGBB as RGBQUAD) for 8-bit ones.
struct SkinBitmapPixels {
    SkinBitmapInfo info;
    int stride = 0;
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> palette;
};

class ISkinGraphics {
public:
    virtual ~ISkinGraphics() = default;

    virtual SkinPen CreatePen(uint32_t style, int width, SkinColor color) = 0;
    virtual SkinBrush CreateSolidBrush(SkinColor color) = 0;
    // A brush that tiles `bitmap` (a copy of it: the bitmap may change or go
    // afterwards); null for a bitmap the layer does not know.
    virtual SkinBrush CreatePatternBrush(HBITMAP bitmap) = 0;
    // The stock hollow brush; not counted, never deleted.
    virtual HBRUSH NullBrush() = 0;

    // A device-dependent bitmap from a BMP file whose bytes have passed
    // SkinCheckBmp (image/bmp_file.h): CreateDIBitmap on the screen DC.
    virtual SkinBitmapHandle CreateBitmapFromBmp(const uint8_t* file, size_t size) = 0;
    // A bottom-up DIB section of 24 or 32 bits per pixel; `bits` receives
    // its pixel memory. Refused (null) for other depths and sizes <= 0.
    virtual SkinBitmapHandle CreateDibSection(int width, int height, int bitsPerPixel, uint8_t** bits) = 0;
    // The two bitmaps of SkinSurface::keyMask and keyBlack for `bitmap`
    // (width x height) and `key`; false when they cannot be made.
    virtual bool CreateKeyMasks(HBITMAP bitmap, int width, int height, SkinColor key, SkinBitmapHandle* mask,
                                SkinBitmapHandle* black) = 0;
    // A bitmap compatible with the screen, for paint buffers and caches.
    virtual SkinBitmapHandle CreateCompatibleBitmap(int width, int height) = 0;
    virtual bool GetBitmapInfo(HBITMAP bitmap, SkinBitmapInfo* info) = 0;
    // The pixels of a bitmap in its own depth (GetDIBits on an information
    // context of the display); false when they cannot be read.
    virtual bool ReadBitmapPixels(HBITMAP bitmap, SkinBitmapPixels* pixels) = 0;

    // A region made of the rectangles (ExtCreateRegion); an empty list
    // gives an empty region.
    virtual SkinRegion CreateRegion(const SkinRect* rects, size_t count) = 0;

    // A canvas that draws onto `target` (selected into a memory DC for the
    // canvas's life, the old selection restored before the DC goes).
    virtual std::unique_ptr<ISkinCanvas> CreateBitmapCanvas(const SkinSurface& target) = 0;

    // A canvas that draws onto a device context the caller owns (a paint
    // DC, a window DC); natively a recording canvas.
    virtual std::unique_ptr<ISkinCanvas> CreateDcCanvas(HDC dc) = 0;

    // Deletes an object created above (the owners call this).
    virtual void Delete(SkinGdiKind kind, void* handle) = 0;
    // Objects created through this layer and not deleted yet, memory DCs
    // of canvases included.
    virtual long LiveObjects() const = 0;
};

// Replaces the process's graphics layer (tests); nullptr restores the
// default. Objects must be deleted by the layer that made them.
void SetSkinGraphics(ISkinGraphics* graphics);
// The layer of this build (GDI on Windows, the counting stand-in natively).
ISkinGraphics& DefaultSkinGraphics();

// The screen device context on which device-dependent bitmaps are made.
// The window manager supplies its own; until it does, the layer uses one of
// its own, kept for the life of the process.
using SkinScreenDcProvider = HDC (*)();
void SetSkinScreenDcProvider(SkinScreenDcProvider provider);
HDC SkinScreenDc();
// The layer's own screen DC (null natively), used while no provider gives one.
HDC DefaultSkinScreenDc();

template <class Handle, SkinGdiKind Kind>
void SkinGdiTraits<Handle, Kind>::Close(Handle handle) {
    SkinGraphics().Delete(Kind, handle);
}
