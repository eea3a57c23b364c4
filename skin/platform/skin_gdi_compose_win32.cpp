// Composed results of the GDI canvas: a piece list drawn once into a private
// bitmap, kept selected in its own DC, and copied onto the target on every
// later draw of the same list. Drawing the list onto a target T gives, pixel
// by pixel, (T AND M) OR C for opaque and keyed lists (C the list drawn onto
// black, M the mask of pixels no piece covered with a picture pixel), and C
// blended over T for blended lists whose pieces do not overlap (a blend over
// transparent black gives the source itself). So the replay draws exactly
// what the list draws, with plain copies wherever M is clear or C opaque.
#include <windows.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "common/win_bitmap_info.h"
#include "skin/draw/skin_compose_cache.h"
#include "skin/draw/skin_compose_plan.h"
#include "skin/platform/skin_gdi_canvas_win32.h"

namespace {

enum class Composition { None, Opaque, Blended };

bool SameSize(const SkinPiece& p) { return p.dst.w == p.src.w && p.dst.h == p.src.h; }

bool Overlap(const SkinBox& a, const SkinBox& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Whether the list can be composed, and how; `scaled` tells whether a piece
// takes the target's stretch mode.
Composition Classify(const SkinSurface& source, const SkinPiece* pieces, int count, SkinColor key, uint8_t alpha,
                     bool* scaled) {
    bool masks = source.keyMask && source.keyBlack && source.maskKey == key;
    bool keyed = false, blended = false;
    *scaled = false;
    for (int i = 0; i < count; ++i) {
        const SkinPiece& p = pieces[i];
        switch (p.blit) {
            case SkinBlit::Copy:
                break;
            case SkinBlit::Stretch:
                *scaled = *scaled || !SameSize(p);
                break;
            case SkinBlit::StretchHalftone:
                // HALFTONE depends on the brush origin: only its 1:1 copies.
                if (!SameSize(p)) return Composition::None;
                break;
            case SkinBlit::Keyed:
                // Keyed copies through the masks use one mode of their own.
                if (!masks) return Composition::None;
                keyed = true;
                break;
            case SkinBlit::Blend:
                if (alpha != 255) return Composition::None;
                blended = true;
                *scaled = *scaled || !SameSize(p);
                break;
            case SkinBlit::BlendConstant:
                return Composition::None;
        }
    }
    if (keyed && blended) return Composition::None;
    if (!blended) return Composition::Opaque;
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (Overlap(pieces[i].dst, pieces[j].dst)) return Composition::None;
    return Composition::Blended;
}

// A replay copies pixels as they are: the target must hold them in the
// format of the composed bitmap (32 bits, B G R and one byte more) and map
// logical to device units by a shift alone.
bool TargetTakesComposed(HDC dc) {
    if (GetObjectType(dc) != OBJ_MEMDC) return false;
    if (GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE || GetLayout(dc) != 0) return false;
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    DIBSECTION ds;
    std::memset(&ds, 0, sizeof ds);
    int size = bitmap ? GetObjectW(bitmap, sizeof ds, &ds) : 0;
    if (size != static_cast<int>(sizeof(BITMAP)) && size != static_cast<int>(sizeof(DIBSECTION))) return false;
    if (ds.dsBm.bmBitsPixel != 32 || ds.dsBm.bmPlanes != 1) return false;
    if (size == static_cast<int>(sizeof(DIBSECTION)) && ds.dsBmih.biCompression != BI_RGB)
        return ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[0] == 0xFF0000 &&
               ds.dsBitfields[1] == 0xFF00 && ds.dsBitfields[2] == 0xFF;
    return true;
}

// A private bitmap held selected in its own memory DC for its whole life;
// both are counted by the graphics layer while they live.
class HeldBitmap {
public:
    HeldBitmap() = default;
    ~HeldBitmap() {
        if (dc_) {
            SelectObject(dc_, original_);
            DeleteDC(dc_);
            SkinTrackGdiObject(-1);
        }
        if (bitmap_) {
            DeleteObject(bitmap_);
            SkinTrackGdiObject(-1);
        }
    }
    HeldBitmap(const HeldBitmap&) = delete;
    HeldBitmap& operator=(const HeldBitmap&) = delete;

    // 32 bits per pixel, bottom-up, all zero (transparent black).
    bool MakeColour(int w, int h) {
        BITMAPINFO info = win::Bgra32Info(w, h);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap && !bits) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
        bits_ = static_cast<uint8_t*>(bits);
        return Hold(bitmap);
    }
    // Monochrome, all white.
    bool MakeMono(int w, int h) {
        if (!Hold(CreateBitmap(w, h, 1, 1, nullptr))) return false;
        return PatBlt(dc_, 0, 0, w, h, WHITENESS) != FALSE;
    }

    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    const uint8_t* Bits() const { return bits_; }

    // The pixels as 32-bit B G R X, rows top-down; the bitmap leaves its DC
    // for the read, as GetDIBits asks.
    bool Read(int w, int h, std::vector<uint32_t>* pixels) {
        BITMAPINFO info = win::Bgra32Info(w, -h);
        pixels->assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
        SelectObject(dc_, original_);
        int lines = GetDIBits(dc_, bitmap_, 0, static_cast<UINT>(h), pixels->data(), &info, DIB_RGB_COLORS);
        HGDIOBJ back = SelectObject(dc_, bitmap_);
        return lines == h && back && back != HGDI_ERROR;
    }

private:
    bool Hold(HBITMAP bitmap) {
        if (!bitmap) return false;
        bitmap_ = bitmap;
        SkinTrackGdiObject(+1);
        dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) return false;
        SkinTrackGdiObject(+1);
        original_ = SelectObject(dc_, bitmap_);
        if (!original_ || original_ == HGDI_ERROR) {
            DeleteDC(dc_);
            SkinTrackGdiObject(-1);
            dc_ = nullptr;
            return false;
        }
        return true;
    }

    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ original_ = nullptr;
    uint8_t* bits_ = nullptr;
};

// What covers one pixel of the box.
enum Cover : uint8_t { kByCopy = 1, kByKeyed = 2, kByBlend = 4 };

class GdiComposed final : public SkinComposedResult {
public:
    // The list composed into a w x h bitmap; null when GDI refuses a step or
    // the replay would take too many copies.
    static std::unique_ptr<GdiComposed> Build(Composition kind, const SkinSurface& source, const SkinPiece* pieces,
                                              int count, const SkinBox& box, SkinColor key, uint8_t alpha,
                                              int stretchMode) {
        auto result = std::unique_ptr<GdiComposed>(new GdiComposed());
        result->blended_ = kind == Composition::Blended;
        const int w = box.w, h = box.h;
        if (!result->colour_.MakeColour(w, h)) return nullptr;
        SkinPiece shifted[SkinPieces::kCapacity];
        bool keyed = false;
        std::vector<uint8_t> cover(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
        for (int i = 0; i < count; ++i) {
            SkinPiece p = pieces[i];
            p.dst.x -= box.x;
            p.dst.y -= box.y;
            shifted[i] = p;
            uint8_t by = p.blit == SkinBlit::Keyed ? kByKeyed : p.blit == SkinBlit::Blend ? kByBlend : kByCopy;
            keyed = keyed || by == kByKeyed;
            for (int y = p.dst.y; y < p.dst.y + p.dst.h; ++y)
                for (int x = p.dst.x; x < p.dst.x + p.dst.w; ++x)
                    cover[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] |= by;
        }
        // The colour part is the list drawn by the plain path itself.
        if (stretchMode) SetStretchBltMode(result->colour_.Dc(), stretchMode);
        result->drawn_ = SkinGdiDrawPieces(result->colour_.Dc(), source, shifted, count, key, alpha);
        if (result->drawn_ <= 0) return nullptr;

        std::vector<SkinComposedPixel> kinds(cover.size(), SkinComposedPixel::Skip);
        if (result->blended_) {
            GdiFlush();
            const uint8_t* bits = result->colour_.Bits();
            for (int y = 0; y < h; ++y) {
                const uint8_t* row = bits + static_cast<size_t>(h - 1 - y) * static_cast<size_t>(w) * 4;
                for (int x = 0; x < w; ++x) {
                    size_t i = static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
                    uint32_t px;
                    std::memcpy(&px, row + static_cast<size_t>(x) * 4, 4);
                    if (cover[i] & kByCopy)
                        kinds[i] = SkinComposedPixel::Copy;
                    else if (cover[i] && px >> 24 == 255)
                        kinds[i] = SkinComposedPixel::Copy;
                    else if (cover[i] && px != 0)
                        kinds[i] = SkinComposedPixel::Special;
                }
            }
        } else {
            std::vector<uint32_t> mask;
            if (keyed && !result->ComposeMask(source, shifted, count, w, h, &mask)) return nullptr;
            for (size_t i = 0; i < cover.size(); ++i) {
                bool clear = keyed ? (mask[i] & 0xFFFFFF) == 0 : cover[i] != 0;
                if (clear)
                    kinds[i] = SkinComposedPixel::Copy;
                else if (cover[i] & kByKeyed)
                    kinds[i] = SkinComposedPixel::Special;
            }
        }
        if (!SkinPlanComposedCopy(kinds, w, h, result->blended_, &result->ops_)) return nullptr;
        bool special = false;
        for (const SkinComposeOp& op : result->ops_) special = special || op.special;
        if (!special) result->mask_.reset();  // no keyed part: the mask is not needed
        return result;
    }

    size_t Bytes(int w, int h) const {
        size_t bytes = static_cast<size_t>(w) * static_cast<size_t>(h) * 4;
        if (mask_) bytes += static_cast<size_t>((w + 15) / 16 * 2) * static_cast<size_t>(h);
        return bytes;
    }

    // The composed list onto `dc` with its box at (x, y); the pieces the
    // list drew, or 0 when GDI refused a copy.
    int Draw(HDC dc, int x, int y) const {
        bool ok = true;
        bool keyColours = false;
        COLORREF oldText = 0, oldBack = 0;
        HDC colour = colour_.Dc();
        for (const SkinComposeOp& op : ops_) {
            const SkinBox& b = op.box;
            if (!op.special) {
                ok = BitBlt(dc, x + b.x, y + b.y, b.w, b.h, colour, b.x, b.y, SRCCOPY) && ok;
            } else if (blended_) {
                BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
                ok = AlphaBlend(dc, x + b.x, y + b.y, b.w, b.h, colour, b.x, b.y, b.w, b.h, blend) && ok;
            } else {
                if (!keyColours) {
                    oldText = SetTextColor(dc, RGB(0, 0, 0));      // mask 0 -> black
                    oldBack = SetBkColor(dc, RGB(255, 255, 255));  // mask 1 -> white
                    keyColours = true;
                }
                ok = BitBlt(dc, x + b.x, y + b.y, b.w, b.h, mask_->Dc(), b.x, b.y, SRCAND) &&
                     BitBlt(dc, x + b.x, y + b.y, b.w, b.h, colour, b.x, b.y, SRCPAINT) && ok;
            }
        }
        if (keyColours) {
            SetBkColor(dc, oldBack);
            SetTextColor(dc, oldText);
        }
        return ok ? drawn_ : 0;
    }

private:
    GdiComposed() = default;

    // M: white, cleared by every opaque piece and ANDed with the key mask
    // under every keyed one, in the pixels the keyed copies pick.
    bool ComposeMask(const SkinSurface& source, const SkinPiece* pieces, int count, int w, int h,
                     std::vector<uint32_t>* pixels) {
        mask_ = std::make_unique<HeldBitmap>();
        if (!mask_->MakeMono(w, h)) return false;
        HDC dc = mask_->Dc();
        SetStretchBltMode(dc, COLORONCOLOR);
        SkinSourceDc memory;
        if (!memory.Select(source.keyMask)) return false;
        for (int i = 0; i < count; ++i) {
            const SkinPiece& p = pieces[i];
            BOOL ok = p.blit != SkinBlit::Keyed ? PatBlt(dc, p.dst.x, p.dst.y, p.dst.w, p.dst.h, BLACKNESS)
                      : SameSize(p)
                          ? BitBlt(dc, p.dst.x, p.dst.y, p.dst.w, p.dst.h, memory.get(), p.src.x, p.src.y, SRCAND)
                          : StretchBlt(dc, p.dst.x, p.dst.y, p.dst.w, p.dst.h, memory.get(), p.src.x, p.src.y, p.src.w,
                                       p.src.h, SRCAND);
            if (!ok) return false;
        }
        return mask_->Read(w, h, pixels);
    }

    HeldBitmap colour_;
    std::unique_ptr<HeldBitmap> mask_;
    std::vector<SkinComposeOp> ops_;
    bool blended_ = false;
    int drawn_ = 0;
};

}  // namespace

int SkinGdiDrawComposed(HDC dc, SkinComposeCache& cache, const SkinSurface& source, const SkinPiece* pieces, int count,
                        SkinColor key, uint8_t alpha) {
    std::lock_guard<std::mutex> lock(cache.Mutex());
    if (!dc || source.IsEmpty() || !pieces || count < 2 || count > SkinPieces::kCapacity)
        return SkinGdiDrawPieces(dc, source, pieces, count, key, alpha);
    bool scaled = false;
    Composition kind = Classify(source, pieces, count, key, alpha, &scaled);
    if (kind == Composition::None || !TargetTakesComposed(dc))
        return SkinGdiDrawPieces(dc, source, pieces, count, key, alpha);
    int mode = scaled ? GetStretchBltMode(dc) : 0;
    SkinBox box = SkinComposeBounds(pieces, count);
    uint64_t bytes = uint64_t(box.w > 0 ? box.w : 0) * uint64_t(box.h > 0 ? box.h : 0) * 5;
    if (mode == HALFTONE || bytes == 0 || bytes > SkinComposeCache::kProcessBudget - SkinComposeCache::BytesInUse())
        return SkinGdiDrawPieces(dc, source, pieces, count, key, alpha);

    SkinComposeKey k = SkinMakeComposeKey(source.bitmap, pieces, count, box, key, alpha, mode);
    if (auto* found = dynamic_cast<GdiComposed*>(cache.Find(k))) return found->Draw(dc, box.x, box.y);
    if (!cache.SeenBefore(k)) return SkinGdiDrawPieces(dc, source, pieces, count, key, alpha);
    std::unique_ptr<GdiComposed> built;
    try {
        built = GdiComposed::Build(kind, source, pieces, count, box, key, alpha, mode);
    } catch (const std::bad_alloc&) {
        built.reset();  // no memory for the plan: the plain path needs none
    }
    if (!built) return SkinGdiDrawPieces(dc, source, pieces, count, key, alpha);
    int drawn = built->Draw(dc, box.x, box.y);
    size_t size = built->Bytes(box.w, box.h);
    try {
        cache.Store(k, std::move(built), size);
    } catch (const std::bad_alloc&) {
        // Not kept; drawn all the same.
    }
    return drawn;
}
