#include "skin/draw/skin_recording_canvas.h"

namespace {

SkinRect BoxRect(const SkinBox& b) { return SkinRect{b.x, b.y, b.x + b.w, b.y + b.h}; }

}  // namespace

int SkinRecordingCanvas::DrawPieces(const SkinSurface& source, const SkinPiece* pieces, int count, SkinColor key,
                                    uint8_t alpha) {
    if (source.IsEmpty() || !pieces || count <= 0) return 0;
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::Pieces;
    call.source = source.bitmap;
    call.pieces.assign(pieces, pieces + count);
    call.key = key;
    call.alpha = alpha;
    calls_.push_back(std::move(call));
    return count;
}

bool SkinRecordingCanvas::CopyFrom(ISkinCanvas& source, const SkinBox& dst, int srcX, int srcY, uint8_t alpha) {
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::CopyFrom;
    call.rect = BoxRect(dst);
    call.x0 = srcX;
    call.y0 = srcY;
    call.alpha = alpha;
    call.handle = &source;
    calls_.push_back(std::move(call));
    return true;
}

void SkinRecordingCanvas::FillSolid(const SkinRect& rect, SkinColor color) {
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::FillSolid;
    call.rect = rect;
    call.color = color;
    calls_.push_back(std::move(call));
}

void SkinRecordingCanvas::FillBrush(const SkinRect& rect, HBRUSH brush) {
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::FillBrush;
    call.rect = rect;
    call.handle = brush;
    calls_.push_back(std::move(call));
}

void SkinRecordingCanvas::GradientFill(const SkinRect& rect, SkinColor begin, SkinColor end, bool vertical) {
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::Gradient;
    call.rect = rect;
    call.color = begin;
    call.color2 = end;
    call.vertical = vertical;
    calls_.push_back(std::move(call));
}

void SkinRecordingCanvas::RoundRect(const SkinRect& rect, int ellipseW, int ellipseH, HPEN pen, HBRUSH brush) {
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::RoundRect;
    call.rect = rect;
    call.x0 = ellipseW;
    call.y0 = ellipseH;
    call.handle = pen;
    call.handle2 = brush;
    calls_.push_back(std::move(call));
}

void SkinRecordingCanvas::Line(int x0, int y0, int x1, int y1, HPEN pen) {
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::Line;
    call.x0 = x0;
    call.y0 = y0;
    call.x1 = x1;
    call.y1 = y1;
    call.handle = pen;
    calls_.push_back(std::move(call));
}

int SkinRecordingCanvas::DrawText(SkinRect& rect, const std::wstring& text, uint32_t format, SkinColor color,
                                  HFONT font) {
    constexpr int kCharWidth = 8, kLineHeight = 16;
    if (format & kSkinDtCalcRect) {
        rect.right = rect.left + static_cast<int>(text.size()) * kCharWidth;
        rect.bottom = rect.top + kLineHeight;
        return kLineHeight;
    }
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::Text;
    call.rect = rect;
    call.text = text;
    call.format = format;
    call.color = color;
    call.handle = font;
    calls_.push_back(std::move(call));
    return kLineHeight;
}

void SkinRecordingCanvas::DrawIcon(int x, int y, HICON icon, int width, int height) {
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::Icon;
    call.rect = SkinRect{x, y, x + width, y + height};
    call.handle = icon;
    calls_.push_back(std::move(call));
}

void SkinRecordingCanvas::DrawPixels(const SkinBox& dst, const uint8_t* pixels, int stride) {
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::Pixels;
    call.rect = BoxRect(dst);
    call.handle = pixels;
    call.x0 = stride;
    calls_.push_back(std::move(call));
}

void SkinRecordingCanvas::DrawFocusRect(const SkinRect& rect) {
    SkinCanvasCall call;
    call.kind = SkinCanvasCall::Kind::FocusRect;
    call.rect = rect;
    calls_.push_back(std::move(call));
}

std::vector<SkinPiece> SkinRecordingCanvas::AllPieces() const {
    std::vector<SkinPiece> all;
    for (const SkinCanvasCall& c : calls_)
        if (c.kind == SkinCanvasCall::Kind::Pieces) all.insert(all.end(), c.pieces.begin(), c.pieces.end());
    return all;
}

std::vector<std::wstring> SkinRecordingCanvas::Texts() const {
    std::vector<std::wstring> texts;
    for (const SkinCanvasCall& c : calls_)
        if (c.kind == SkinCanvasCall::Kind::Text) texts.push_back(c.text);
    return texts;
}
