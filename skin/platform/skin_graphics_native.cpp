// The graphics layer away from Windows: every object is a small heap record
// whose address is the handle, so the sanitizers see a leaked object and a
// handle deleted twice stops the test. Bitmaps carry real pixels (a DIB
// section's memory, a BMP file's pixels as a 32-bit screen would hold them),
// so the pixel code works natively; canvases record instead of drawing.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "image/bmp_file.h"
#include "image/picture.h"
#include "skin/draw/skin_recording_canvas.h"
#include "skin/platform/skin_graphics.h"

namespace {

struct NativeObject {
    SkinGdiKind kind = SkinGdiKind::Bitmap;
    SkinBitmapInfo info;
    int stride = 0;
    bool bottomUp = false;
    bool hasPixels = false;
    std::vector<uint8_t> pixels;
};

bool SizeFits(int width, int height) {
    return width > 0 && height > 0 && width <= tovane::kMaxPictureSide && height <= tovane::kMaxPictureSide &&
           uint64_t(width) * uint64_t(height) <= tovane::kMaxPicturePixels;
}

class NativeSkinGraphics final : public ISkinGraphics {
public:
    SkinPen CreatePen(uint32_t, int, SkinColor) override { return SkinPen(Make<HPEN>(SkinGdiKind::Pen)); }
    SkinBrush CreateSolidBrush(SkinColor) override { return SkinBrush(Make<HBRUSH>(SkinGdiKind::Brush)); }
    SkinBrush CreatePatternBrush(HBITMAP bitmap) override {
        if (!Find(bitmap, SkinGdiKind::Bitmap)) return SkinBrush();
        return SkinBrush(Make<HBRUSH>(SkinGdiKind::Brush));
    }
    HBRUSH NullBrush() override {
        static NativeObject stock;
        return reinterpret_cast<HBRUSH>(&stock);
    }

    SkinBitmapHandle CreateBitmapFromBmp(const uint8_t* file, size_t size) override {
        SkinBmpInfo bmp;
        if (!SkinCheckBmp(file, size, &bmp)) return SkinBitmapHandle();
        auto* object = new NativeObject();
        object->info = SkinBitmapInfo{bmp.width, bmp.height, 32};
        object->stride = bmp.width * 4;
        object->hasPixels = SkinDecodeBmpPixels(file, bmp, &object->pixels);
        if (!object->hasPixels) object->pixels.assign(size_t(object->stride) * size_t(bmp.height), 0);
        return SkinBitmapHandle(Register<HBITMAP>(object));
    }

    SkinBitmapHandle CreateDibSection(int width, int height, int bitsPerPixel, uint8_t** bits) override {
        if (bits) *bits = nullptr;
        if ((bitsPerPixel != 24 && bitsPerPixel != 32) || !SizeFits(width, height)) return SkinBitmapHandle();
        auto* object = new NativeObject();
        object->info = SkinBitmapInfo{width, height, bitsPerPixel};
        object->stride = ((width * bitsPerPixel + 31) / 32) * 4;
        object->bottomUp = true;
        object->hasPixels = true;
        object->pixels.assign(size_t(object->stride) * size_t(height), 0);
        if (bits) *bits = object->pixels.data();
        return SkinBitmapHandle(Register<HBITMAP>(object));
    }

    bool CreateKeyMasks(HBITMAP bitmap, int width, int height, SkinColor, SkinBitmapHandle* mask,
                        SkinBitmapHandle* black) override {
        if (!Find(bitmap, SkinGdiKind::Bitmap) || !mask || !black || !SizeFits(width, height)) return false;
        *mask = CreateCompatibleBitmap(width, height);
        *black = CreateCompatibleBitmap(width, height);
        return *mask && *black;
    }

    SkinBitmapHandle CreateCompatibleBitmap(int width, int height) override {
        if (!SizeFits(width, height)) return SkinBitmapHandle();
        auto* object = new NativeObject();
        object->info = SkinBitmapInfo{width, height, 32};
        object->stride = width * 4;
        object->hasPixels = true;
        object->pixels.assign(size_t(object->stride) * size_t(height), 0);
        return SkinBitmapHandle(Register<HBITMAP>(object));
    }

    bool GetBitmapInfo(HBITMAP bitmap, SkinBitmapInfo* info) override {
        NativeObject* object = Find(bitmap, SkinGdiKind::Bitmap);
        if (!object || !info) return false;
        *info = object->info;
        return true;
    }

    bool ReadBitmapPixels(HBITMAP bitmap, SkinBitmapPixels* out) override {
        NativeObject* object = Find(bitmap, SkinGdiKind::Bitmap);
        if (!object || !object->hasPixels || !out) return false;
        out->info = object->info;
        out->stride = object->stride;
        out->palette.clear();
        out->bytes.resize(object->pixels.size());
        int h = object->info.height;
        for (int y = 0; y < h; ++y) {
            int from = object->bottomUp ? h - 1 - y : y;
            std::memcpy(out->bytes.data() + size_t(y) * size_t(out->stride),
                        object->pixels.data() + size_t(from) * size_t(object->stride), size_t(object->stride));
        }
        return true;
    }

    SkinRegion CreateRegion(const SkinRect*, size_t) override { return SkinRegion(Make<HRGN>(SkinGdiKind::Region)); }

    std::unique_ptr<ISkinCanvas> CreateBitmapCanvas(const SkinSurface& target) override {
        if (target.IsEmpty()) return nullptr;
        return std::make_unique<CountedCanvas>(*this);
    }

    // There are no device contexts here; a DC canvas records.
    std::unique_ptr<ISkinCanvas> CreateDcCanvas(HDC dc) override { return std::make_unique<SkinRecordingCanvas>(); }

    void Delete(SkinGdiKind kind, void* handle) override {
        auto* object = static_cast<NativeObject*>(handle);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!live_.erase(object) || object->kind != kind) {
                // A handle this layer never made, or one deleted twice.
                std::fprintf(stderr, "skin graphics: bad delete of %p\n", handle);
                std::abort();
            }
            --count_;
        }
        delete object;
    }

    long LiveObjects() const override {
        std::lock_guard<std::mutex> lock(mutex_);
        return count_;
    }

private:
    // A recording canvas that counts as the memory DC it stands for.
    class CountedCanvas final : public SkinRecordingCanvas {
    public:
        explicit CountedCanvas(NativeSkinGraphics& owner) : owner_(owner) { owner_.Adjust(+1); }
        ~CountedCanvas() override { owner_.Adjust(-1); }

    private:
        NativeSkinGraphics& owner_;
    };

    void Adjust(long delta) {
        std::lock_guard<std::mutex> lock(mutex_);
        count_ += delta;
    }

    template <class Handle>
    Handle Make(SkinGdiKind kind) {
        auto* object = new NativeObject();
        object->kind = kind;
        return Register<Handle>(object);
    }

    template <class Handle>
    Handle Register(NativeObject* object) {
        std::lock_guard<std::mutex> lock(mutex_);
        live_.insert(object);
        ++count_;
        return reinterpret_cast<Handle>(object);
    }

    NativeObject* Find(const void* handle, SkinGdiKind kind) const {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = live_.find(static_cast<NativeObject*>(const_cast<void*>(handle)));
        return it != live_.end() && (*it)->kind == kind ? *it : nullptr;
    }

    mutable std::mutex mutex_;
    std::unordered_set<NativeObject*> live_;
    long count_ = 0;
};

}  // namespace

ISkinGraphics& DefaultSkinGraphics() {
    // Lives as long as the process: the theme's bitmaps are deleted at exit.
    static NativeSkinGraphics* graphics = new NativeSkinGraphics();
    return *graphics;
}

HDC DefaultSkinScreenDc() { return nullptr; }
