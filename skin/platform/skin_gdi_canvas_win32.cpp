#include "skin/platform/skin_gdi_canvas_win32.h"

#include <climits>
#include <mutex>
#include <vector>

#include "common/win_bitmap_info.h"

SkinCountedDc SkinCreateMemoryDc(HDC like) {
    SkinCountedDc dc(CreateCompatibleDC(like));
    if (dc) SkinTrackGdiObject(+1);
    return dc;
}

namespace {

// Idle source DCs the pool keeps; more are made while more threads draw at
// once, and deleted when they come back to a full pool.
constexpr size_t kIdleSourceDcs = 4;

class SourceDcPool {
public:
    HDC Take() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!idle_.empty()) {
                HDC dc = idle_.back();
                idle_.pop_back();
                return dc;
            }
        }
        HDC dc = CreateCompatibleDC(nullptr);
        if (dc) SkinTrackGdiObject(+1);
        return dc;
    }
    void Give(HDC dc) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (idle_.size() < kIdleSourceDcs) {
                idle_.push_back(dc);
                return;
            }
        }
        DeleteDC(dc);
        SkinTrackGdiObject(-1);
    }

private:
    std::mutex mutex_;
    std::vector<HDC> idle_;
};

// Never destroyed: its DCs live as long as the process, and draws may run
// while static objects go away.
SourceDcPool& Pool() {
    static SourceDcPool* pool = new SourceDcPool();
    return *pool;
}

}  // namespace

SkinSourceDc::SkinSourceDc() : dc_(Pool().Take()) {}

SkinSourceDc::~SkinSourceDc() {
    if (!dc_) return;
    if (original_) SelectObject(dc_, original_);
    Pool().Give(dc_);
}

bool SkinSourceDc::Select(HGDIOBJ bitmap) {
    if (!dc_ || !bitmap) return false;
    if (bitmap == current_) return true;
    HGDIOBJ old = SelectObject(dc_, bitmap);
    if (!old || old == HGDI_ERROR) return false;
    if (!original_) original_ = old;
    current_ = bitmap;
    return true;
}

namespace {

// HALFTONE for the scaled copies that ask for it; the old mode and brush
// origin come back when the scope ends.
class HalftoneMode {
public:
    explicit HalftoneMode(HDC dc) : dc_(dc) {}
    ~HalftoneMode() {
        if (!set_) return;
        SetStretchBltMode(dc_, oldMode_);
        SetBrushOrgEx(dc_, oldOrigin_.x, oldOrigin_.y, nullptr);
    }
    HalftoneMode(const HalftoneMode&) = delete;
    HalftoneMode& operator=(const HalftoneMode&) = delete;
    void Use() {
        if (set_) return;
        oldMode_ = SetStretchBltMode(dc_, HALFTONE);
        // HALFTONE needs the brush origin reset after the mode is set.
        SetBrushOrgEx(dc_, 0, 0, &oldOrigin_);
        set_ = true;
    }

private:
    HDC dc_;
    bool set_ = false;
    int oldMode_ = 0;
    POINT oldOrigin_{};
};

bool SameSize(const SkinPiece& p) { return p.dst.w == p.src.w && p.dst.h == p.src.h; }

BOOL Blend(HDC dc, HDC source, const SkinPiece& p, uint8_t alpha, bool perPixel) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, static_cast<BYTE>(perPixel ? AC_SRC_ALPHA : 0)};
    return AlphaBlend(dc, p.dst.x, p.dst.y, p.dst.w, p.dst.h, source, p.src.x, p.src.y, p.src.w, p.src.h, blend);
}

BOOL Copy(HDC dc, HDC source, const SkinPiece& p, DWORD rop) {
    if (SameSize(p)) return BitBlt(dc, p.dst.x, p.dst.y, p.dst.w, p.dst.h, source, p.src.x, p.src.y, rop);
    return StretchBlt(dc, p.dst.x, p.dst.y, p.dst.w, p.dst.h, source, p.src.x, p.src.y, p.src.w, p.src.h, rop);
}

bool Overlap(const SkinBox& a, const SkinBox& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Keyed pieces through the masks: AND with the mask clears the non-key
// pixels, OR with the blackened picture puts them in. Pieces that overlap
// go through one at a time, or the second AND would clear the first OR.
int DrawMaskedRun(HDC dc, SkinSourceDc& memory, const SkinSurface& source, const SkinPiece* pieces, int count) {
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));      // mask 0 -> black
    COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));  // mask 1 -> white
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);      // mask and picture pick the same pixels
    int drawn = 0;
    for (int first = 0; first < count;) {
        int end = first + 1;
        while (end < count) {
            bool overlaps = false;
            for (int k = first; k < end && !overlaps; ++k) overlaps = Overlap(pieces[k].dst, pieces[end].dst);
            if (overlaps) break;
            ++end;
        }
        // Without its mask a run is left out whole rather than half drawn.
        if (memory.Select(source.keyMask)) {
            for (int i = first; i < end; ++i) Copy(dc, memory.get(), pieces[i], SRCAND);
            if (memory.Select(source.keyBlack))
                for (int i = first; i < end; ++i) drawn += Copy(dc, memory.get(), pieces[i], SRCPAINT) ? 1 : 0;
        }
        first = end;
    }
    SetStretchBltMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    return drawn;
}

}  // namespace

int SkinGdiDrawPieces(HDC dc, const SkinSurface& source, const SkinPiece* pieces, int count, SkinColor key,
                      uint8_t alpha) {
    if (!dc || source.IsEmpty() || !pieces || count <= 0) return 0;
    SkinSourceDc memory;
    if (!memory.get()) return 0;
    bool masks = source.keyMask && source.keyBlack && source.maskKey == key;
    HalftoneMode halftone(dc);
    int drawn = 0;
    for (int i = 0; i < count;) {
        const SkinPiece& p = pieces[i];
        if (p.blit == SkinBlit::Keyed && masks) {
            int end = i;
            while (end < count && pieces[end].blit == SkinBlit::Keyed) ++end;
            drawn += DrawMaskedRun(dc, memory, source, pieces + i, end - i);
            i = end;
            continue;
        }
        ++i;
        if (!memory.Select(source.bitmap)) continue;
        HDC src = memory.get();
        BOOL ok = FALSE;
        switch (p.blit) {
            case SkinBlit::Copy:
                ok = BitBlt(dc, p.dst.x, p.dst.y, p.dst.w, p.dst.h, src, p.src.x, p.src.y, SRCCOPY);
                break;
            case SkinBlit::StretchHalftone:
                if (!SameSize(p)) halftone.Use();
                ok = Copy(dc, src, p, SRCCOPY);
                break;
            case SkinBlit::Stretch:
                ok = Copy(dc, src, p, SRCCOPY);
                break;
            case SkinBlit::Keyed:
                ok = TransparentBlt(dc, p.dst.x, p.dst.y, p.dst.w, p.dst.h, src, p.src.x, p.src.y, p.src.w, p.src.h,
                                    key);
                break;
            case SkinBlit::Blend:
                ok = Blend(dc, src, p, alpha, true);
                break;
            case SkinBlit::BlendConstant:
                ok = Blend(dc, src, p, alpha, false);
                break;
        }
        if (ok) ++drawn;
    }
    return drawn;
}

int SkinGdiCanvas::DrawPieces(const SkinSurface& source, const SkinPiece* pieces, int count, SkinColor key,
                              uint8_t alpha) {
    return SkinGdiDrawPieces(dc_, source, pieces, count, key, alpha);
}

int SkinGdiCanvas::DrawPiecesCached(SkinComposeCache& cache, const SkinSurface& source, const SkinPiece* pieces,
                                    int count, SkinColor key, uint8_t alpha) {
    return SkinGdiDrawComposed(dc_, cache, source, pieces, count, key, alpha);
}

bool SkinGdiMakeKeyMasks(HBITMAP bitmap, int width, int height, SkinColor key, HBITMAP mask, HBITMAP black) {
    SkinCountedDc source = SkinCreateMemoryDc(nullptr), maskDc = SkinCreateMemoryDc(nullptr),
                  blackDc = SkinCreateMemoryDc(nullptr);
    if (!source || !maskDc || !blackDc) return false;
    win::ScopedSelection s(source.get(), bitmap), m(maskDc.get(), mask), b(blackDc.get(), black);
    if (!s || !m || !b) return false;
    // Colour to monochrome: pixels of the source's background colour become 1.
    COLORREF oldBack = SetBkColor(source.get(), key);
    bool ok = BitBlt(maskDc.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY) &&
              BitBlt(blackDc.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    SetBkColor(source.get(), oldBack);
    // Monochrome to colour: 1 -> white, 0 -> black; "dst AND NOT mask" then
    // blackens the key pixels and keeps the rest.
    SetTextColor(blackDc.get(), RGB(0, 0, 0));
    SetBkColor(blackDc.get(), RGB(255, 255, 255));
    constexpr DWORD kDstAndNotSrc = 0x00220326;
    return ok && BitBlt(blackDc.get(), 0, 0, width, height, maskDc.get(), 0, 0, kDstAndNotSrc);
}

bool SkinGdiCanvas::CopyFrom(ISkinCanvas& source, const SkinBox& dst, int srcX, int srcY, uint8_t alpha) {
    HDC from = source.Dc();
    if (!dc_ || !from || dst.w <= 0 || dst.h <= 0) return false;
    if (alpha == 255) return BitBlt(dc_, dst.x, dst.y, dst.w, dst.h, from, srcX, srcY, SRCCOPY) != FALSE;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, 0};
    return AlphaBlend(dc_, dst.x, dst.y, dst.w, dst.h, from, srcX, srcY, dst.w, dst.h, blend) != FALSE;
}

void SkinGdiCanvas::FillSolid(const SkinRect& rect, SkinColor color) {
    if (!dc_ || rect.IsEmpty()) return;
    // An opaque empty text fills with the background colour, no brush needed.
    COLORREF old = SetBkColor(dc_, color);
    RECT r = win::ToRect(rect);
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc_, old);
}

void SkinGdiCanvas::FillBrush(const SkinRect& rect, HBRUSH brush) {
    if (!dc_ || !brush || rect.IsEmpty()) return;
    RECT r = win::ToRect(rect);
    FillRect(dc_, &r, brush);
}

void SkinGdiCanvas::GradientFill(const SkinRect& rect, SkinColor begin, SkinColor end, bool vertical) {
    if (!dc_ || rect.IsEmpty()) return;
    auto channel = [](SkinColor c, int shift) { return static_cast<COLOR16>(((c >> shift) & 0xFF) << 8); };
    TRIVERTEX v[2] = {
        {rect.left, rect.top, channel(begin, 0), channel(begin, 8), channel(begin, 16), 0},
        {rect.right, rect.bottom, channel(end, 0), channel(end, 8), channel(end, 16), 0},
    };
    GRADIENT_RECT g{0, 1};
    ::GradientFill(dc_, v, 2, &g, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void SkinGdiCanvas::RoundRect(const SkinRect& rect, int ellipseW, int ellipseH, HPEN pen, HBRUSH brush) {
    if (!dc_) return;
    win::ScopedSelection p(dc_, pen);
    win::ScopedSelection b(dc_, brush);
    ::RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, ellipseW, ellipseH);
}

void SkinGdiCanvas::Line(int x0, int y0, int x1, int y1, HPEN pen) {
    if (!dc_) return;
    win::ScopedSelection p(dc_, pen);
    POINT old{};
    MoveToEx(dc_, x0, y0, &old);
    LineTo(dc_, x1, y1);
    MoveToEx(dc_, old.x, old.y, nullptr);
}

int SkinGdiCanvas::DrawText(SkinRect& rect, const std::wstring& text, uint32_t format, SkinColor color, HFONT font) {
    if (!dc_ || text.size() > INT_MAX) return 0;
    win::ScopedSelection f(dc_, font);
    COLORREF oldColor = SetTextColor(dc_, color);
    int oldMode = SetBkMode(dc_, TRANSPARENT);
    RECT r = win::ToRect(rect);
    int height = ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
    if (format & kSkinDtCalcRect) rect = win::ToSkinRect(r);
    SetBkMode(dc_, oldMode);
    SetTextColor(dc_, oldColor);
    return height;
}

void SkinGdiCanvas::DrawIcon(int x, int y, HICON icon, int width, int height) {
    if (!dc_ || !icon) return;
    DrawIconEx(dc_, x, y, icon, width, height, 0, nullptr, DI_NORMAL);
}

void SkinGdiCanvas::DrawPixels(const SkinBox& dst, const uint8_t* pixels, int stride) {
    if (!dc_ || !pixels || dst.w <= 0 || dst.h <= 0 || stride % 4 != 0 || stride / 4 < dst.w) return;
    // The rows are stride / 4 pixels wide to GDI; only dst.w of them show.
    BITMAPINFO info = win::Bgra32Info(stride / 4, -dst.h);
    SetDIBitsToDevice(dc_, dst.x, dst.y, static_cast<DWORD>(dst.w), static_cast<DWORD>(dst.h), 0, 0, 0,
                      static_cast<UINT>(dst.h), pixels, &info, DIB_RGB_COLORS);
}

void SkinGdiCanvas::DrawFocusRect(const SkinRect& rect) {
    if (!dc_) return;
    RECT r = win::ToRect(rect);
    ::DrawFocusRect(dc_, &r);
}

namespace {

class BitmapCanvas final : public SkinGdiCanvas {
public:
    BitmapCanvas(SkinCountedDc dc, HBITMAP target)
        : SkinGdiCanvas(dc.get()), memory_(std::move(dc)), selected_(memory_.get(), target) {}
    bool Selected() const { return static_cast<bool>(selected_); }

private:
    // Members go in reverse: the selection is undone before the DC is deleted.
    SkinCountedDc memory_;
    win::ScopedSelection selected_;
};

}  // namespace

std::unique_ptr<ISkinCanvas> SkinCreateGdiBitmapCanvas(const SkinSurface& target) {
    if (target.IsEmpty()) return nullptr;
    SkinCountedDc dc = SkinCreateMemoryDc(nullptr);
    if (!dc) return nullptr;
    auto canvas = std::make_unique<BitmapCanvas>(std::move(dc), target.bitmap);
    if (!canvas->Selected()) return nullptr;
    return canvas;
}
