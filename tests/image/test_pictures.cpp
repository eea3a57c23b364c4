#include "image/test_pictures.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <zlib.h>

namespace pictest {
namespace {

void Be32(std::vector<uint8_t>& b, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}
void Le16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Le32(std::vector<uint8_t>& b, uint32_t v) {
    Le16(b, v & 0xFFFF);
    Le16(b, v >> 16);
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    Be32(png, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    Be32(png, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

// BITMAPINFOHEADER for an icon image (height doubled for the AND mask).
void DibHeader(std::vector<uint8_t>& b, int width, int height, int bits, uint32_t colors) {
    Le32(b, 40);
    Le32(b, static_cast<uint32_t>(width));
    Le32(b, static_cast<uint32_t>(height * 2));
    Le16(b, 1);
    Le16(b, static_cast<uint32_t>(bits));
    Le32(b, 0);
    Le32(b, 0);
    Le32(b, 0);
    Le32(b, 0);
    Le32(b, colors);
    Le32(b, 0);
}

void AndMask(std::vector<uint8_t>& b, int width, int height, const std::vector<Rgba>& px) {
    size_t stride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x)
            if (px[static_cast<size_t>(y) * width + x].a == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
}

std::vector<uint8_t> IconFile(const std::vector<uint8_t>& image, int width, int height, int bits) {
    std::vector<uint8_t> ico;
    Le16(ico, 0);
    Le16(ico, 1);
    Le16(ico, 1);
    ico.push_back(static_cast<uint8_t>(width >= 256 ? 0 : width));
    ico.push_back(static_cast<uint8_t>(height >= 256 ? 0 : height));
    ico.push_back(0);
    ico.push_back(0);
    Le16(ico, 1);
    Le16(ico, static_cast<uint32_t>(bits));
    Le32(ico, static_cast<uint32_t>(image.size()));
    Le32(ico, 22);
    ico.insert(ico.end(), image.begin(), image.end());
    return ico;
}

}  // namespace

std::vector<Rgba> Pattern(int width, int height, bool opaque) {
    std::vector<Rgba> px(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t a = opaque ? 255 : static_cast<uint8_t>((x * 37 + y * 11) % 4 == 0 ? 0 : 64 + (x * 7 + y) % 192);
            px[static_cast<size_t>(y) * width + x] =
                Rgba{static_cast<uint8_t>(x * 13), static_cast<uint8_t>(y * 29), static_cast<uint8_t>((x + y) * 7), a};
        }
    return px;
}

std::vector<uint8_t> MakePng(int width, int height, const std::vector<Rgba>& px, bool withAlpha) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    Be32(ihdr, static_cast<uint32_t>(width));
    Be32(ihdr, static_cast<uint32_t>(height));
    ihdr.push_back(8);
    ihdr.push_back(withAlpha ? 6 : 2);
    ihdr.push_back(0);
    ihdr.push_back(0);
    ihdr.push_back(0);
    Chunk(png, "IHDR", ihdr);
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const Rgba& p = px[static_cast<size_t>(y) * width + x];
            raw.push_back(p.r);
            raw.push_back(p.g);
            raw.push_back(p.b);
            if (withAlpha) raw.push_back(p.a);
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> z(size);
    compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    z.resize(size);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

std::vector<uint8_t> MakeBlankPng(int width, int height) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    Be32(ihdr, static_cast<uint32_t>(width));
    Be32(ihdr, static_cast<uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    Chunk(png, "IHDR", ihdr);
    std::vector<uint8_t> raw(static_cast<size_t>(height) * (1 + static_cast<size_t>(width) * 4), 0);
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> z(size);
    compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 1);
    z.resize(size);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

namespace {

// Encodes rows of `components` samples in `space`; `fillRow(y, row)` fills row y.
template <typename FillRow>
std::vector<uint8_t> EncodeJpeg(int width, int height, int components, J_COLOR_SPACE space, FillRow&& fillRow) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&c, &out, &outSize);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * components);
    while (c.next_scanline < c.image_height) {
        fillRow(static_cast<int>(c.next_scanline), row);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<uint8_t> jpeg(out, out + outSize);
    jpeg_destroy_compress(&c);
    free(out);
    return jpeg;
}

}  // namespace

std::vector<uint8_t> MakeJpeg(int width, int height, const std::vector<Rgba>& px, bool gray) {
    return EncodeJpeg(width, height, gray ? 1 : 3, gray ? JCS_GRAYSCALE : JCS_RGB,
                      [&](int y, std::vector<uint8_t>& row) {
                          for (int x = 0; x < width; ++x) {
                              const Rgba& p = px[static_cast<size_t>(y) * width + x];
                              if (gray) {
                                  row[x] = p.g;
                              } else {
                                  row[x * 3] = p.r;
                                  row[x * 3 + 1] = p.g;
                                  row[x * 3 + 2] = p.b;
                              }
                          }
                      });
}

std::vector<uint8_t> MakeCmykJpeg(int width, int height, uint8_t c0, uint8_t m, uint8_t y, uint8_t k) {
    return EncodeJpeg(width, height, 4, JCS_CMYK, [&](int, std::vector<uint8_t>& row) {
        for (int x = 0; x < width; ++x) {
            row[x * 4] = c0;
            row[x * 4 + 1] = m;
            row[x * 4 + 2] = y;
            row[x * 4 + 3] = k;
        }
    });
}

std::vector<uint8_t> MakeIcoDib32(int width, int height, const std::vector<Rgba>& px) {
    std::vector<uint8_t> dib;
    DibHeader(dib, width, height, 32, 0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const Rgba& p = px[static_cast<size_t>(y) * width + x];
            dib.insert(dib.end(), {p.b, p.g, p.r, p.a});
        }
    AndMask(dib, width, height, px);
    return IconFile(dib, width, height, 32);
}

std::vector<uint8_t> MakeIcoDib8(int width, int height, const std::vector<Rgba>& px) {
    std::vector<uint8_t> dib;
    DibHeader(dib, width, height, 8, 256);
    for (int i = 0; i < 256; ++i) dib.insert(dib.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 0, 0});
    size_t stride = ((static_cast<size_t>(width) * 8 + 31) / 32) * 4;
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) row[x] = px[static_cast<size_t>(y) * width + x].b;
        dib.insert(dib.end(), row.begin(), row.end());
    }
    AndMask(dib, width, height, px);
    return IconFile(dib, width, height, 8);
}

std::vector<uint8_t> MakeIcoPng(const std::vector<uint8_t>& png, int width, int height) {
    return IconFile(png, width, height, 32);
}

std::vector<uint8_t> MakeBmp24(int width, int height, const std::vector<Rgba>& px) {
    size_t stride = ((static_cast<size_t>(width) * 24 + 31) / 32) * 4;
    std::vector<uint8_t> b = {'B', 'M'};
    Le32(b, static_cast<uint32_t>(54 + stride * height));
    Le32(b, 0);
    Le32(b, 54);
    Le32(b, 40);
    Le32(b, static_cast<uint32_t>(width));
    Le32(b, static_cast<uint32_t>(height));
    Le16(b, 1);
    Le16(b, 24);
    for (int i = 0; i < 6; ++i) Le32(b, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            const Rgba& p = px[static_cast<size_t>(y) * width + x];
            row[x * 3] = p.b;
            row[x * 3 + 1] = p.g;
            row[x * 3 + 2] = p.r;
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

}  // namespace pictest
