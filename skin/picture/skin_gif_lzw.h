// The LZW decompressor of GIF image data.
//
// Codes of 3 to 12 bits are read least-significant bit first from the
// frame's joined sub-blocks and expanded into rows of colour indices, which
// go to a row callback. Decoding ends at the end code, at the end of the
// data, when the callback asks to stop, or at a code the table cannot hold
// yet (beyond the next free code): whatever was decoded before stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class SkinGifLzw {
public:
    // Minimum code sizes a GIF may state.
    static constexpr int kMinCodeSize = 2;
    static constexpr int kMaxCodeSize = 8;
    static constexpr int kTableSize = 4096;

    // Receives row `row` (stream order, from 0) of `count` indices; count is
    // the frame width except for a last row cut short by the data. Returns
    // false to stop decoding.
    using RowSink = bool (*)(void* context, int row, const uint8_t* indices, int count);

    SkinGifLzw();
    SkinGifLzw(const SkinGifLzw&) = delete;
    SkinGifLzw& operator=(const SkinGifLzw&) = delete;

    // Decodes [data, data + size) for a frame `width` indices wide, at most
    // `maxRows` rows. Returns the number of complete rows delivered, or -1
    // when the minimum code size is outside 2..8 (nothing decoded).
    int Decode(int minCodeSize, const uint8_t* data, size_t size, int width, int maxRows, RowSink sink, void* context);

private:
    uint16_t prefix_[kTableSize] = {};
    uint8_t suffix_[kTableSize] = {};
    uint8_t first_[kTableSize] = {};
    uint16_t length_[kTableSize] = {};
    std::vector<uint8_t> out_;
};
