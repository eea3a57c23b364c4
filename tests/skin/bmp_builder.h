// BMP files of every layout the skin engine accepts, made in memory for the
// BMP check tests, the drawing tests and the fuzz seeds.
#pragma once

#include <cstdint>
#include <vector>

namespace bmptest {

// A colour as the tests write it: 0x00RRGGBB.
using Rgb = uint32_t;

struct BmpFormat {
    int width = 1;
    int height = 1;
    int bitsPerPixel = 24;  // 1, 4, 8, 16, 24 or 32
    bool topDown = false;
    bool coreHeader = false;   // 12-byte header (1, 4, 8 and 24 bits)
    bool bitfields = false;    // 16 and 32 bits: BI_BITFIELDS, 5-6-5 for 16
    bool rle8 = false;         // 8 bits, run-length encoded
    uint32_t headerSize = 40;  // 40, 52, 56, 108 or 124 for info headers
};

// The file of `pixels` (width x height, top row first). Palette depths
// take their palette from the distinct colours in order of appearance.
std::vector<uint8_t> MakeBmp(const BmpFormat& format, const std::vector<Rgb>& pixels);

// One colour everywhere, with `corner` at the four corner pixels.
std::vector<Rgb> Solid(int width, int height, Rgb color);
std::vector<Rgb> WithCorners(std::vector<Rgb> pixels, int width, int height, Rgb corner);

}  // namespace bmptest
