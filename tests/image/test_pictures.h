// Small picture files made in memory for the decoder tests, the package
// tests and the fuzz seeds.
#pragma once

#include <cstdint>
#include <vector>

namespace pictest {

// A pixel given as straight (not premultiplied) R, G, B, A.
struct Rgba {
    uint8_t r, g, b, a;
};

// PNG of colour type 6 (RGBA, 8 bits), or 2 (RGB) when `withAlpha` is false.
std::vector<uint8_t> MakePng(int width, int height, const std::vector<Rgba>& pixels, bool withAlpha = true);
// A fully transparent RGBA PNG, quick to make even when very large.
std::vector<uint8_t> MakeBlankPng(int width, int height);
// Baseline JPEG (RGB, or grayscale when `gray`), quality 95.
std::vector<uint8_t> MakeJpeg(int width, int height, const std::vector<Rgba>& pixels, bool gray = false);
// Adobe-style (inverted) CMYK JPEG of one flat colour: c, m, y, k are the
// stored sample values (255 - ink).
std::vector<uint8_t> MakeCmykJpeg(int width, int height, uint8_t c, uint8_t m, uint8_t y, uint8_t k);
// Icon file holding one 32-bit DIB image (with AND mask).
std::vector<uint8_t> MakeIcoDib32(int width, int height, const std::vector<Rgba>& pixels);
// Icon file holding one 8-bit palette DIB image whose AND mask hides the
// pixels with alpha 0.
std::vector<uint8_t> MakeIcoDib8(int width, int height, const std::vector<Rgba>& pixels);
// Icon file whose only image is the given PNG file.
std::vector<uint8_t> MakeIcoPng(const std::vector<uint8_t>& png, int width, int height);
// 24-bit bottom-up BMP file.
std::vector<uint8_t> MakeBmp24(int width, int height, const std::vector<Rgba>& pixels);

// A width x height test pattern with varied colours and alpha values.
std::vector<Rgba> Pattern(int width, int height, bool opaque = false);

}  // namespace pictest
