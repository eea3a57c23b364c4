// BMP file bytes, checked before GDI sees them.
//
// CreateDIBitmap trusts the headers it is given: a bit offset, a pixel
// block or a colour table that reaches past the end of the file makes it
// read beyond the buffer. SkinCheckBmp checks every length and offset
// against the file's size first; only files that pass go to GDI.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/win_constants.h"

struct SkinBmpInfo {
    int width = 0;
    int height = 0;        // always positive; see topDown
    bool topDown = false;  // rows stored from the top (negative height in the file)
    int bitsPerPixel = 0;  // 1, 4, 8, 16, 24 or 32
    uint32_t compression = kSkinBmpRgb;
    uint32_t headerSize = 0;  // 12 (core header), 40, 52, 56, 108 or 124
    uint32_t colorCount = 0;  // entries of the colour table in the file
    uint32_t masks[3] = {};   // red, green, blue masks of BI_BITFIELDS files
    uint32_t bitsOffset = 0;  // where the pixels start in the file
    uint64_t stride = 0;      // bytes per row of uncompressed pixels
    uint64_t imageBytes = 0;  // stride x height, or the RLE data size
};

// True when the file's headers are well formed and everything they point
// at lies inside [file, file + size): the file header, an info header of a
// known size, a supported depth and compression, a size within the picture
// limits, the colour table (or masks) and the pixel block (stride x height,
// or the stated RLE data size) at the bit offset.
bool SkinCheckBmp(const uint8_t* file, size_t size, SkinBmpInfo* info = nullptr);

// A BITMAPINFOHEADER (40 bytes, little-endian) followed by the colour table
// as RGBQUADs, or by the three masks of a BI_BITFIELDS file: the file's own
// headers in the one form every GDI accepts, in a 4-byte aligned block.
// Needs a file that passed SkinCheckBmp.
std::vector<uint32_t> SkinBmpInfoBlock(const uint8_t* file, const SkinBmpInfo& info);

// The pixels of an uncompressed file as 32-bit B, G, R, 0, rows top-down,
// width x 4 bytes each: what a device-dependent bitmap on a 32-bit screen
// holds. False for RLE files.
bool SkinDecodeBmpPixels(const uint8_t* file, const SkinBmpInfo& info, std::vector<uint8_t>* bgrx);
