// GIF decoding for the skin's animations, one frame per step.
//
// SkinGifDecoder keeps a copy of the file and a composited canvas of the
// logical screen: 32-bit opaque pixels (B, G, R, 0) that the player hands to
// the canvas layer as they are, plus a mask of the pixels some frame has
// painted since the canvas was last cleared. Each Advance decodes the next
// frame onto it, honouring the previous frame's disposal (leave, restore to
// background, restore to previous), interlacing, local colour tables and
// the transparent index; at the end of the stream it rewinds once and
// decodes the first frame again.
//
// Pixels no frame has painted show the background colour of the frame on
// display: its colour table's background entry, or white when that entry is
// the frame's transparent index (the canvas is drawn opaque, so a
// transparent background has to show as something).
//
// The file is hostile input: every length is checked against the end of
// the data, the logical screen is capped (picture limits and the caller's
// memory budget), every frame is clipped to the canvas, and a bad LZW code
// ends its frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "skin/picture/skin_gif_lzw.h"

class SkinGifDecoder {
public:
    // Memory the canvas needs per logical-screen pixel, at most: the pixels,
    // the mask, and the copy of both kept for restore-to-previous frames.
    static constexpr size_t kBytesPerPixel = 10;

    // What one Advance did.
    struct Step {
        bool decoded = false;  // a frame was decoded onto the canvas
        bool rewound = false;  // the stream ended and was started again
    };

    // Drops any earlier file and canvas, copies the file and reads its
    // header. `maxPixels` caps the logical screen below the picture limits
    // (a caller's memory budget). False when the file is no GIF (signature
    // "GIF87a" or "GIF89a", any case) or its header is cut short; a GIF
    // whose screen is empty or too large loads without a canvas.
    bool Load(const uint8_t* data, size_t size, size_t maxPixels = SIZE_MAX);
    bool Load(std::vector<uint8_t>&& file, size_t maxPixels = SIZE_MAX);
    void Clear();

    // Decodes the next frame. At the end of the stream (the trailer, bytes
    // that start no block, or the end of the data) it rewinds to the first
    // frame, clears the canvas and decodes again, at most once per call.
    Step Advance();

    bool IsLoaded() const { return loaded_; }
    // Whether there is something to draw: the screen is usable and some
    // colour table has been seen (the global one, or a frame's own).
    bool HasCanvas() const { return hasCanvas_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 87 or 89 (0 before a load).
    int Version() const { return version_; }
    // Canvas pixels, rows top-down, Stride() bytes apart.
    const uint8_t* Pixels() const { return reinterpret_cast<const uint8_t*>(pixels_.data()); }
    int Stride() const { return width_ * 4; }
    uint32_t PixelAt(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    // 1 where a frame has painted since the canvas was cleared, else 0.
    const uint8_t* Mask() const { return mask_.data(); }
    // Bytes the canvas holds now, and the most it can come to.
    size_t MemoryBytes() const;
    size_t MaxMemoryBytes() const;
    const std::vector<uint8_t>& FileBytes() const { return file_; }

private:
    struct Rect {
        int left = 0, top = 0, right = 0, bottom = 0;
        bool Empty() const { return right <= left || bottom <= top; }
    };
    // One colour table, always 256 entries (missing ones black), as canvas
    // pixels.
    struct Palette {
        uint32_t colors[256] = {};
        bool present = false;
    };

    bool ReadHeader(size_t maxPixels);
    bool ReadPalette(size_t count, Palette* palette);
    // Reads blocks until a frame is decoded (true) or the stream ends.
    bool DecodeNextFrame();
    bool DecodeImage();
    void SkipSubBlocks();
    void ReadGraphicControl();
    bool EnsureCanvas();
    void Rewind();
    void ClearCanvas();
    void FillUnpainted(const Rect& r);
    void SetBackground(uint32_t color);
    Rect ClipToCanvas(int left, int top, int width, int height) const;
    void DisposePrevious();
    void SaveArea(const Rect& r);
    void RestoreSaved();

    std::vector<uint8_t> file_;
    bool loaded_ = false;
    bool hasCanvas_ = false;
    bool screenUsable_ = false;
    int version_ = 0;
    int width_ = 0;
    int height_ = 0;
    int backgroundIndex_ = 0;
    Palette global_;
    size_t firstFrame_ = 0;
    size_t pos_ = 0;

    std::vector<uint32_t> pixels_;
    std::vector<uint8_t> mask_;
    uint32_t background_ = 0;  // colour of unpainted pixels now

    // Restore-to-previous copy of the area of the frame on display.
    std::vector<uint32_t> savedPixels_;
    std::vector<uint8_t> savedMask_;
    Rect savedRect_;

    // Graphic control of the next frame (reset after each frame).
    int pendingDisposal_ = 0;
    bool pendingTransparent_ = false;
    int pendingTransparentIndex_ = 0;
    // The frame on display.
    int prevDisposal_ = 0;
    Rect prevRect_;

    std::vector<uint8_t> lzwData_;  // the frame's sub-blocks joined
    std::unique_ptr<SkinGifLzw> lzw_;
};
