// A graphics layer for tests that draws for real through the build's own
// layer and writes down the texts and pieces drawn on every canvas, so a
// test sees what a skin painted (text, colour, format) beside its pixels.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "skin/platform/skin_graphics.h"

class SpyGraphics : public ISkinGraphics {
public:
    struct Text {
        std::wstring text;
        SkinColor color;
        uint32_t format;
        HFONT font;
        SkinRect rect;
    };

    SpyGraphics() : base_(DefaultSkinGraphics()) { SetSkinGraphics(this); }
    ~SpyGraphics() override { SetSkinGraphics(nullptr); }

    std::vector<Text> Texts() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }
    std::vector<HBITMAP> Sources() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return sources_;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        texts_.clear();
        sources_.clear();
    }

    SkinPen CreatePen(uint32_t style, int width, SkinColor color) override {
        return base_.CreatePen(style, width, color);
    }
    SkinBrush CreateSolidBrush(SkinColor color) override { return base_.CreateSolidBrush(color); }
    SkinBrush CreatePatternBrush(HBITMAP bitmap) override { return base_.CreatePatternBrush(bitmap); }
    HBRUSH NullBrush() override { return base_.NullBrush(); }
    SkinBitmapHandle CreateBitmapFromBmp(const uint8_t* file, size_t size) override {
        return base_.CreateBitmapFromBmp(file, size);
    }
    SkinBitmapHandle CreateDibSection(int width, int height, int bitsPerPixel, uint8_t** bits) override {
        return base_.CreateDibSection(width, height, bitsPerPixel, bits);
    }
    bool CreateKeyMasks(HBITMAP bitmap, int width, int height, SkinColor key, SkinBitmapHandle* mask,
                        SkinBitmapHandle* black) override {
        return base_.CreateKeyMasks(bitmap, width, height, key, mask, black);
    }
    SkinBitmapHandle CreateCompatibleBitmap(int width, int height) override {
        return base_.CreateCompatibleBitmap(width, height);
    }
    bool GetBitmapInfo(HBITMAP bitmap, SkinBitmapInfo* info) override { return base_.GetBitmapInfo(bitmap, info); }
    bool ReadBitmapPixels(HBITMAP bitmap, SkinBitmapPixels* pixels) override {
        return base_.ReadBitmapPixels(bitmap, pixels);
    }
    SkinRegion CreateRegion(const SkinRect* rects, size_t count) override { return base_.CreateRegion(rects, count); }
    std::unique_ptr<ISkinCanvas> CreateBitmapCanvas(const SkinSurface& target) override {
        return Wrap(base_.CreateBitmapCanvas(target));
    }
    std::unique_ptr<ISkinCanvas> CreateDcCanvas(HDC dc) override { return Wrap(base_.CreateDcCanvas(dc)); }
    void Delete(SkinGdiKind kind, void* handle) override { base_.Delete(kind, handle); }
    long LiveObjects() const override { return base_.LiveObjects(); }

private:
    class Canvas : public ISkinCanvas {
    public:
        Canvas(std::unique_ptr<ISkinCanvas> inner, SpyGraphics& spy) : inner_(std::move(inner)), spy_(spy) {}
        int DrawPieces(const SkinSurface& source, const SkinPiece* pieces, int count, SkinColor key,
                       uint8_t alpha) override {
            {
                std::lock_guard<std::mutex> lock(spy_.mutex_);
                spy_.sources_.push_back(source.bitmap);
            }
            return inner_->DrawPieces(source, pieces, count, key, alpha);
        }
        using ISkinCanvas::DrawPieces;
        int DrawPiecesCached(SkinComposeCache& cache, const SkinSurface& source, const SkinPiece* pieces, int count,
                             SkinColor key, uint8_t alpha) override {
            {
                std::lock_guard<std::mutex> lock(spy_.mutex_);
                spy_.sources_.push_back(source.bitmap);
            }
            return inner_->DrawPiecesCached(cache, source, pieces, count, key, alpha);
        }
        bool CopyFrom(ISkinCanvas& source, const SkinBox& dst, int x, int y, uint8_t alpha) override {
            return inner_->CopyFrom(source, dst, x, y, alpha);
        }
        void FillSolid(const SkinRect& r, SkinColor c) override { inner_->FillSolid(r, c); }
        void FillBrush(const SkinRect& r, HBRUSH b) override { inner_->FillBrush(r, b); }
        void GradientFill(const SkinRect& r, SkinColor a, SkinColor b, bool v) override {
            inner_->GradientFill(r, a, b, v);
        }
        void RoundRect(const SkinRect& r, int w, int h, HPEN p, HBRUSH b) override { inner_->RoundRect(r, w, h, p, b); }
        void Line(int x0, int y0, int x1, int y1, HPEN p) override { inner_->Line(x0, y0, x1, y1, p); }
        int DrawText(SkinRect& rect, const std::wstring& text, uint32_t format, SkinColor color, HFONT font) override {
            if (!(format & kSkinDtCalcRect)) {
                std::lock_guard<std::mutex> lock(spy_.mutex_);
                spy_.texts_.push_back(Text{text, color, format, font, rect});
            }
            return inner_->DrawText(rect, text, format, color, font);
        }
        void DrawIcon(int x, int y, HICON icon, int w, int h) override { inner_->DrawIcon(x, y, icon, w, h); }
        void DrawPixels(const SkinBox& dst, const uint8_t* pixels, int stride) override {
            inner_->DrawPixels(dst, pixels, stride);
        }
        void DrawFocusRect(const SkinRect& r) override { inner_->DrawFocusRect(r); }
        HDC Dc() const override { return inner_->Dc(); }

    private:
        std::unique_ptr<ISkinCanvas> inner_;
        SpyGraphics& spy_;
    };

    std::unique_ptr<ISkinCanvas> Wrap(std::unique_ptr<ISkinCanvas> inner) {
        if (!inner) return nullptr;
        return std::make_unique<Canvas>(std::move(inner), *this);
    }

    ISkinGraphics& base_;
    mutable std::mutex mutex_;
    std::vector<Text> texts_;
    std::vector<HBITMAP> sources_;
};
