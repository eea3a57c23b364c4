// CSkinDrawImage: the picture object of every skin image.
//
// It holds either a decoded picture (PNG, JPEG, icon) with per-pixel alpha,
// or the bytes of a BMP file, which become a colour-keyed bitmap when the
// image is first prepared. The drawing operations draw on a canvas
// (skin_canvas.h) with the piece lists of skin_geometry.h, so one geometry
// serves both storages and is tested apart from GDI.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "image/picture.h"
#include "skin/draw/skin_canvas.h"
#include "skin/draw/skin_compose_cache.h"
#include "skin/draw/skin_geometry.h"
#include "skin/draw/skin_scale.h"
#include "skin/picture/skin_pixel_ops.h"
#include "skin/platform/skin_graphics.h"

class CSkinBitmap;

// Draw styles of image items and frames, by the theme's names.
enum class SkinDrawStyle : uint8_t {
    BitBlt,          // "bitBlt", and any name not listed
    StretchBlt,      // "stretchBlt"
    Draw9Grid,       // "draw9grid"
    Fill9Grid,       // "fill9grid"
    BitStretchBlt,   // "bitStretchBlt"
    TransparentBlt,  // "transparentBlt"
    NoDraw,          // "nodraw" (frames)
    BitBltBlt,       // "bitBltBlt" (progress bars)
};
// The style of a theme name, compared exactly; unknown names give BitBlt.
// Image items draw "nodraw" and "bitBltBlt" as "bitBlt" too; frames and
// progress bars give them their own meaning.
SkinDrawStyle SkinParseDrawStyle(const std::wstring& name);

// What an image item adds to its rectangle when it applies a draw style.
struct SkinStyledDraw {
    SkinQuad border9grid;  // 9-grid margins
    SkinPair partOffset;   // start and end caps of the three-part cut
    bool vertical = false;
    int xSrc = 0, ySrc = 0, srcWidth = 0, srcHeight = 0;  // normalised before use
};

class CSkinDrawImage {
public:
    // Type codes of the image's source file.
    enum Type { kTypeBmp = 1, kTypePng = 2, kTypeGif = 3, kTypeJpg = 4, kTypeIco = 5 };

    CSkinDrawImage();
    virtual ~CSkinDrawImage();
    CSkinDrawImage(const CSkinDrawImage&) = delete;
    CSkinDrawImage& operator=(const CSkinDrawImage&) = delete;

    // An undecoded BMP file: keeps its own copy of [bytes, bytes + size).
    static std::unique_ptr<CSkinDrawImage> FromBitmapFile(const uint8_t* bytes, size_t size);
    // A decoded picture of the given type code.
    static std::unique_ptr<CSkinDrawImage> FromPicture(tovane::Picture picture, int type);

    int GetType() const { return type_; }
    bool IsBitmapFile() const { return type_ == kTypeBmp; }
    // The BMP file's bytes (empty for decoded pictures and for a bitmap's
    // copy at a scale, whose keyed bitmap holds its pixels).
    const std::vector<uint8_t>& FileBytes() const { return fileBytes_; }
    // The decoded picture (empty for BMP files and for blocks that did not decode).
    const tovane::Picture& GetPicture() const { return picture_; }
    tovane::Picture& GetPicture() { return picture_; }

    // Size of the decoded picture; BMP files report the size in their header
    // (0 when the file fails the BMP check, or GDI refused it).
    int GetWidth() const;
    int GetHeight() const;

    // ----- Scale -----
    // This picture drawn at `scale`: a copy resized by area averaging (and
    // for bitmap files with the key kept as a hard cut), made on the first
    // request for each DPI and kept, or this image at 96 DPI, for a copy
    // itself, and when no copy can be made (a picture too large to scale).
    // Safe from any thread; the copy lives as long as this image.
    CSkinDrawImage* ForScale(const SkinScale& scale);
    // The size the picture is drawn at, at `scale`.
    SkinSize ScaledSize(const SkinScale& scale) const { return SkinScaledPictureSize(scale, GetWidth(), GetHeight()); }
    // For a copy ForScale made: the DPI it was made for; 0 for a theme picture.
    int ScaledDpi() const { return scaledDpi_; }

    // ----- Drawing. Each returns 1 when something was drawn, else 0. -----
    // Positions and destination rectangles are device pixels of the canvas;
    // the picture's own numbers (source rectangles, margins, caps, strip
    // cells) are 96-DPI numbers of the picture. On a canvas of another scale
    // the copy for that scale is drawn, cut at the scaled edges of those
    // numbers (skin_scale.h).
    //
    // Keyed bitmaps copy with BitBlt, StretchBlt (HALFTONE for StretchDraw,
    // StretchAll and the three-part middle) and TransparentBlt with the key;
    // decoded pictures blend every piece with their own alpha, so for them
    // the "transparent" operations draw like the plain ones.
    int Draw(ISkinCanvas& canvas, int x, int y);
    int DrawPart(ISkinCanvas& canvas, int x, int y, int srcX, int srcY, int width, int height);
    int StretchDraw(ISkinCanvas& canvas, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
                    int srcHeight);
    int StretchAll(ISkinCanvas& canvas, int left, int top, int right, int bottom);
    int DrawTransparent(ISkinCanvas& canvas, int x, int y);
    int DrawPartTransparent(ISkinCanvas& canvas, int x, int y, int srcX, int srcY, int width, int height);
    int Draw9Grid(ISkinCanvas& canvas, const SkinRect& dst, const SkinQuad& margins);
    int Draw9GridPart(ISkinCanvas& canvas, const SkinRect& dst, const SkinQuad& margins, const SkinRect& src,
                      SkinGridOrder order = SkinGridOrder::EdgesFirst);
    // Returns 1 also when there is nothing to draw.
    int DrawThreePart(ISkinCanvas& canvas, const SkinRect& dst, int startCap, int endCap, bool vertical);
    // Colour-keyed bitmaps only; always returns 0.
    int DrawStripCell(ISkinCanvas& canvas, int x, int y, int index, int count);
    // An image item's draw style applied to its rectangle.
    int DrawStyled(ISkinCanvas& canvas, SkinDrawStyle style, const SkinRect& rect, const SkinStyledDraw& params);

    // ----- Storage, made at first use (safe from any thread). -----
    // The colour-keyed bitmap of a BMP file, or nullptr.
    CSkinBitmap* GetKeyedBitmap();
    // What the canvas copies from: the keyed bitmap, or the cached bitmap
    // of the decoded picture (made once, on the first request).
    SkinSurface GetSurface();
    // The same without a keyed bitmap's masks, for plain copies.
    SkinSurface GetPlainSurface();
    HBITMAP GetBitmapHandle() { return GetSurface().bitmap; }
    // The keyed bitmap's key, or RGB(255,255,255) without one.
    SkinColor GetColorKey();

    // Bitmap files only (set by the theme's image items): whether the
    // theme's colour shift applies to the picture, and its transparent
    // colour (0x00BBGGRR, magenta by default).
    bool GetAdjustColors() const { return adjustColors_; }
    void SetAdjustColors(bool adjust) { adjustColors_ = adjust; }
    uint32_t GetTransparentColor() const { return transparentColor_; }
    // Also the key of the keyed bitmap, once it exists.
    void SetTransparentColor(uint32_t color);

protected:
    // The surface and kind of storage the primitives copy from; false when
    // the image has nothing to draw.
    bool Source(SkinSurface* surface, SkinSourceKind* kind);
    int Emit(ISkinCanvas& canvas, const SkinSurface& surface, const SkinPieces& pieces);
    void MakeStorage();

    bool adjustColors_ = true;
    uint32_t transparentColor_ = 0x00FF00FF;
    int type_ = kTypeBmp;
    std::vector<uint8_t> fileBytes_;
    // A bitmap copy resized for a scale has no file: its size.
    int pixelWidth_ = 0, pixelHeight_ = 0;
    tovane::Picture picture_;

    // Made once, by whichever thread asks first.
    std::once_flag storageOnce_;
    std::unique_ptr<CSkinBitmap> keyed_;  // BMP files
    SkinBitmapHandle cached_;             // decoded pictures: 32-bit premultiplied DIB section
    SkinOpacityTable opacity_;            // decoded pictures: which parts need no blending
    // What canvases composed from this picture, and the turn-taking of the
    // threads that draw it.
    SkinComposeCache composed_;

private:
    // The picture a draw on `canvas` uses, and the scale its numbers are to
    // be scaled by (96 DPI when it is this image).
    struct Resolved {
        CSkinDrawImage* image;
        SkinScale scale;
    };
    Resolved Resolve(const ISkinCanvas& canvas);
    std::unique_ptr<CSkinDrawImage> MakeScaledCopy(const SkinScale& scale);
    SkinRect Whole() const { return SkinRect{0, 0, GetWidth(), GetHeight()}; }

    int scaledDpi_ = 0;
    std::mutex scaledLock_;
    std::vector<std::pair<int, std::unique_ptr<CSkinDrawImage>>> scaled_;
};
