// The canvas: the one small layer through which the skin engine draws.
//
// Everything the skins put on screen goes through ISkinCanvas, and the GDI
// canvas (skin/platform/skin_gdi_canvas_win32.cpp) is the only code that calls
// GDI's drawing functions. Natively, SkinRecordingCanvas writes down each
// call so that tests can compare what would have been drawn.
#pragma once

#include <cstdint>
#include <string>

#include "common/value_types.h"
#include "common/win_constants.h"
#include "common/win_types.h"
#include "skin/draw/skin_geometry.h"
#include "skin/draw/skin_scale.h"

// The magenta key of skin pictures.
constexpr SkinColor kSkinDefaultKey = SkinRgb(255, 0, 255);

// A picture the canvas copies from: a GDI bitmap on Windows (never selected
// into a device context while the canvas uses it), an opaque id natively.
struct SkinSurface {
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
    // Optional, for Keyed pieces: a monochrome mask with the pixels of
    // `maskKey` white, and the picture with those pixels black. With them
    // the canvas copies a keyed piece as two plain copies (AND, then OR)
    // instead of TransparentBlt, which is slow under Wine.
    HBITMAP keyMask = nullptr;
    HBITMAP keyBlack = nullptr;
    SkinColor maskKey = 0;

    bool IsEmpty() const { return !bitmap || width <= 0 || height <= 0; }
};

class SkinComposeCache;  // skin_compose_cache.h

class ISkinCanvas {
public:
    virtual ~ISkinCanvas() = default;

    // Copies the pieces from `source` in order. `key` serves Keyed pieces,
    // `alpha` the constant alpha of Blend and BlendConstant pieces. Returns
    // the number of pieces the target took.
    virtual int DrawPieces(const SkinSurface& source, const SkinPiece* pieces, int count,
                           SkinColor key = kSkinDefaultKey, uint8_t alpha = 255) = 0;
    int DrawPieces(const SkinSurface& source, const SkinPieces& pieces, SkinColor key = kSkinDefaultKey,
                   uint8_t alpha = 255) {
        return DrawPieces(source, pieces.begin(), pieces.Count(), key, alpha);
    }

    // The same for the pieces of a picture that is drawn again and again
    // (the skin images): `cache` belongs to that picture. The threads that
    // draw the picture take turns on it, and a canvas may keep there what
    // it composed, so that the next draw of the same list costs a few plain
    // copies. The pixels are exactly those of DrawPieces. This default
    // simply draws the pieces.
    virtual int DrawPiecesCached(SkinComposeCache& cache, const SkinSurface& source, const SkinPiece* pieces, int count,
                                 SkinColor key = kSkinDefaultKey, uint8_t alpha = 255) {
        (void)cache;
        return DrawPieces(source, pieces, count, key, alpha);
    }

    // Copies from what another canvas has drawn (a memory canvas): opaque
    // 1:1 for alpha 255, else blended with that constant alpha.
    virtual bool CopyFrom(ISkinCanvas& source, const SkinBox& dst, int srcX, int srcY, uint8_t alpha = 255) = 0;

    virtual void FillSolid(const SkinRect& rect, SkinColor color) = 0;
    virtual void FillBrush(const SkinRect& rect, HBRUSH brush) = 0;
    // Two-colour gradient, left to right or top to bottom.
    virtual void GradientFill(const SkinRect& rect, SkinColor begin, SkinColor end, bool vertical) = 0;
    // Rounded rectangle outlined with `pen` and filled with `brush`.
    virtual void RoundRect(const SkinRect& rect, int ellipseW, int ellipseH, HPEN pen, HBRUSH brush) = 0;
    virtual void Line(int x0, int y0, int x1, int y1, HPEN pen) = 0;
    // Text in `color` on a transparent background with `font` (the canvas's
    // current font when null); the old font comes back afterwards. With
    // kSkinDtCalcRect nothing is drawn and `rect` receives the measured size.
    // Returns the height of the text.
    virtual int DrawText(SkinRect& rect, const std::wstring& text, uint32_t format, SkinColor color, HFONT font) = 0;
    virtual void DrawIcon(int x, int y, HICON icon, int width, int height) = 0;
    // Opaque 32-bit pixels (B, G, R, unused), rows top-down, `stride` bytes
    // apart, 1:1 at dst's origin; dst gives the size.
    virtual void DrawPixels(const SkinBox& dst, const uint8_t* pixels, int stride) = 0;
    virtual void DrawFocusRect(const SkinRect& rect) = 0;

    // The device context behind the canvas (null natively), for the few
    // Win32 callers that must hand it on (a message to the application).
    virtual HDC Dc() const = 0;

    // The display scale of the window this canvas draws for (skin_scale.h):
    // coordinates are device pixels, and pictures drawn through
    // CSkinDrawImage come out at this scale. A new canvas is at 96 DPI; the
    // code that makes a canvas for a window gives it the window's scale.
    const SkinScale& Scale() const { return scale_; }
    void SetScale(const SkinScale& scale) { scale_ = scale; }

private:
    SkinScale scale_;
};
