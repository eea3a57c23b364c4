// A canvas that draws nothing and writes down every call, in order: the
// native stand-in for GDI, and the way tests see what a skin would draw.
#pragma once

#include <string>
#include <vector>

#include "skin/draw/skin_canvas.h"

struct SkinCanvasCall {
    enum class Kind {
        Pieces,
        CopyFrom,
        FillSolid,
        FillBrush,
        Gradient,
        RoundRect,
        Line,
        Text,
        Icon,
        Pixels,
        FocusRect
    };

    Kind kind = Kind::Pieces;
    HBITMAP source = nullptr;            // Pieces
    std::vector<SkinPiece> pieces;       // Pieces
    SkinColor key = 0;                   // Pieces
    int alpha = 255;                     // Pieces, CopyFrom
    SkinRect rect;                       // fills, RoundRect, Text, FocusRect; CopyFrom/Icon/Pixels: destination
    SkinColor color = 0;                 // FillSolid, Text; Gradient: begin
    SkinColor color2 = 0;                // Gradient: end
    bool vertical = false;               // Gradient
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // Line; CopyFrom: source origin in x0, y0; RoundRect: ellipse in x0, y0
    const void* handle = nullptr;        // the brush, pen, font, icon or source canvas
    const void* handle2 = nullptr;       // RoundRect: the brush
    std::wstring text;                   // Text
    uint32_t format = 0;                 // Text
};

class SkinRecordingCanvas : public ISkinCanvas {
public:
    int DrawPieces(const SkinSurface& source, const SkinPiece* pieces, int count, SkinColor key = kSkinDefaultKey,
                   uint8_t alpha = 255) override;
    using ISkinCanvas::DrawPieces;
    bool CopyFrom(ISkinCanvas& source, const SkinBox& dst, int srcX, int srcY, uint8_t alpha = 255) override;
    void FillSolid(const SkinRect& rect, SkinColor color) override;
    void FillBrush(const SkinRect& rect, HBRUSH brush) override;
    void GradientFill(const SkinRect& rect, SkinColor begin, SkinColor end, bool vertical) override;
    void RoundRect(const SkinRect& rect, int ellipseW, int ellipseH, HPEN pen, HBRUSH brush) override;
    void Line(int x0, int y0, int x1, int y1, HPEN pen) override;
    // Measures every character as 8 x 16 pixels, one line.
    int DrawText(SkinRect& rect, const std::wstring& text, uint32_t format, SkinColor color, HFONT font) override;
    void DrawIcon(int x, int y, HICON icon, int width, int height) override;
    void DrawPixels(const SkinBox& dst, const uint8_t* pixels, int stride) override;
    void DrawFocusRect(const SkinRect& rect) override;
    HDC Dc() const override { return nullptr; }

    const std::vector<SkinCanvasCall>& Calls() const { return calls_; }
    // All pieces of all Pieces calls, in order.
    std::vector<SkinPiece> AllPieces() const;
    // The texts drawn, in order (measurements left out).
    std::vector<std::wstring> Texts() const;
    void Clear() { calls_.clear(); }

private:
    std::vector<SkinCanvasCall> calls_;
};
