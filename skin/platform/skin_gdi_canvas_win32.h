// The GDI canvas (Windows only): the one place of the skin engine that calls
// GDI's drawing functions. It draws on a device context it does not own;
// every object or mode it selects or sets is put back before it returns.
#pragma once

#include <windows.h>

#include <memory>

#include "common/win_handles.h"
#include "skin/draw/skin_canvas.h"

// Adds to the graphics layer's count of live objects; for the device
// contexts the canvases make, which the layer does not create itself.
void SkinTrackGdiObject(long delta);

// Deletes a device context the graphics layer counted as live.
struct SkinCountedDcTraits {
    static HDC Empty() { return nullptr; }
    static void Close(HDC dc) {
        ::DeleteDC(dc);
        SkinTrackGdiObject(-1);
    }
};
// A memory or information DC counted as a live object of the graphics layer.
using SkinCountedDc = win::Scoped<HDC, SkinCountedDcTraits>;

// A memory DC compatible with `like` (the screen when null); empty when GDI
// refuses one.
SkinCountedDc SkinCreateMemoryDc(HDC like);

// The memory DC a draw copies from, lent by a small pool kept for the life
// of the process (making a DC costs more than most copies under Wine). It
// selects each bitmap only when asked for one that is not in place
// (selecting a bitmap costs tens of microseconds under Wine too), and goes
// back to the pool with its original bitmap selected again. Nothing else of
// its state is ever changed, so every lender finds it alike.
class SkinSourceDc {
public:
    SkinSourceDc();
    ~SkinSourceDc();
    SkinSourceDc(const SkinSourceDc&) = delete;
    SkinSourceDc& operator=(const SkinSourceDc&) = delete;
    HDC get() const { return dc_; }
    // Puts `bitmap` in; false (and the DC unchanged) when GDI refuses it.
    bool Select(HGDIOBJ bitmap);

private:
    HDC dc_ = nullptr;
    HGDIOBJ original_ = nullptr;
    HGDIOBJ current_ = nullptr;
};

// The pieces straight onto `dc`: what SkinGdiCanvas::DrawPieces does.
int SkinGdiDrawPieces(HDC dc, const SkinSurface& source, const SkinPiece* pieces, int count, SkinColor key,
                      uint8_t alpha);
// The same through the picture's cache of composed results
// (skin_gdi_compose.cpp); the cache's mutex is held throughout.
int SkinGdiDrawComposed(HDC dc, SkinComposeCache& cache, const SkinSurface& source, const SkinPiece* pieces, int count,
                        SkinColor key, uint8_t alpha);

class SkinGdiCanvas : public ISkinCanvas {
public:
    explicit SkinGdiCanvas(HDC dc) : dc_(dc) {}

    int DrawPieces(const SkinSurface& source, const SkinPiece* pieces, int count, SkinColor key = kSkinDefaultKey,
                   uint8_t alpha = 255) override;
    using ISkinCanvas::DrawPieces;
    int DrawPiecesCached(SkinComposeCache& cache, const SkinSurface& source, const SkinPiece* pieces, int count,
                         SkinColor key = kSkinDefaultKey, uint8_t alpha = 255) override;
    bool CopyFrom(ISkinCanvas& source, const SkinBox& dst, int srcX, int srcY, uint8_t alpha = 255) override;
    void FillSolid(const SkinRect& rect, SkinColor color) override;
    void FillBrush(const SkinRect& rect, HBRUSH brush) override;
    void GradientFill(const SkinRect& rect, SkinColor begin, SkinColor end, bool vertical) override;
    void RoundRect(const SkinRect& rect, int ellipseW, int ellipseH, HPEN pen, HBRUSH brush) override;
    void Line(int x0, int y0, int x1, int y1, HPEN pen) override;
    int DrawText(SkinRect& rect, const std::wstring& text, uint32_t format, SkinColor color, HFONT font) override;
    void DrawIcon(int x, int y, HICON icon, int width, int height) override;
    void DrawPixels(const SkinBox& dst, const uint8_t* pixels, int stride) override;
    void DrawFocusRect(const SkinRect& rect) override;
    HDC Dc() const override { return dc_; }

private:
    HDC dc_;
};

// Fills `mask` (monochrome) with white where `bitmap` has the key colour
// and black elsewhere, and `black` (colour, same size) with the bitmap's
// pixels, the key pixels made black.
bool SkinGdiMakeKeyMasks(HBITMAP bitmap, int width, int height, SkinColor key, HBITMAP mask, HBITMAP black);

// A canvas over a bitmap: a memory DC with `target` selected for the
// canvas's life. Null when the DC cannot be made or the bitmap selected
// (a bitmap can be selected into one DC at a time).
std::unique_ptr<ISkinCanvas> SkinCreateGdiBitmapCanvas(const SkinSurface& target);
