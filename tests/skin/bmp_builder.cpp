#include "skin/bmp_builder.h"

#include <algorithm>
#include <stdexcept>

namespace bmptest {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint8_t R(Rgb c) { return static_cast<uint8_t>(c >> 16); }
uint8_t G(Rgb c) { return static_cast<uint8_t>(c >> 8); }
uint8_t B(Rgb c) { return static_cast<uint8_t>(c); }

}  // namespace

std::vector<uint8_t> MakeBmp(const BmpFormat& format, const std::vector<Rgb>& pixels) {
    const int w = format.width, h = format.height, bpp = format.bitsPerPixel;
    if (pixels.size() != static_cast<size_t>(w) * h) throw std::invalid_argument("pixel count");
    std::vector<Rgb> palette;
    if (bpp <= 8) {
        for (Rgb c : pixels)
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
        if (palette.size() > (1u << bpp)) throw std::invalid_argument("too many colours");
    }
    auto index = [&](Rgb c) {
        return static_cast<uint32_t>(std::find(palette.begin(), palette.end(), c) - palette.begin());
    };
    uint32_t compression = format.rle8 ? 1 : format.bitfields ? 3 : 0;

    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 0);  // file size, set below
    Put32(out, 0);
    Put32(out, 0);  // bit offset, set below
    if (format.coreHeader) {
        Put32(out, 12);
        Put16(out, static_cast<uint32_t>(w));
        Put16(out, static_cast<uint32_t>(h));
        Put16(out, 1);
        Put16(out, static_cast<uint32_t>(bpp));
        if (bpp <= 8) palette.resize(size_t(1) << bpp, 0);
        for (Rgb c : palette) out.insert(out.end(), {B(c), G(c), R(c)});
    } else {
        size_t start = out.size();
        Put32(out, format.headerSize);
        Put32(out, static_cast<uint32_t>(w));
        Put32(out, static_cast<uint32_t>(format.topDown ? -h : h));
        Put16(out, 1);
        Put16(out, static_cast<uint32_t>(bpp));
        Put32(out, compression);
        Put32(out, 0);  // image size, set below for RLE
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, static_cast<uint32_t>(palette.size()));
        Put32(out, 0);
        out.resize(start + format.headerSize, 0);
        uint32_t masks[3] = {0xF800, 0x07E0, 0x001F};
        if (bpp == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
        if (format.bitfields) {
            if (format.headerSize == 40) {
                for (uint32_t m : masks) Put32(out, m);
            } else {
                for (int i = 0; i < 3; ++i) Set32(out, start + 40 + 4 * i, masks[i]);
            }
        }
        for (Rgb c : palette) out.insert(out.end(), {B(c), G(c), R(c), 0});
    }
    size_t offset = out.size();
    Set32(out, 10, static_cast<uint32_t>(offset));

    auto at = [&](int x, int fileRow) {
        return pixels[static_cast<size_t>(format.topDown ? fileRow : h - 1 - fileRow) * w + x];
    };
    if (format.rle8) {
        for (int row = 0; row < h; ++row) {
            for (int x = 0; x < w;) {
                int run = 1;
                while (x + run < w && run < 255 && at(x + run, row) == at(x, row)) ++run;
                out.push_back(static_cast<uint8_t>(run));
                out.push_back(static_cast<uint8_t>(index(at(x, row))));
                x += run;
            }
            out.push_back(0);
            out.push_back(row + 1 == h ? 1 : 0);  // end of line, end of bitmap
        }
        Set32(out, 14 + 20, static_cast<uint32_t>(out.size() - offset));
    } else {
        size_t stride = ((static_cast<size_t>(w) * bpp + 31) / 32) * 4;
        for (int row = 0; row < h; ++row) {
            std::vector<uint8_t> line(stride, 0);
            for (int x = 0; x < w; ++x) {
                Rgb c = at(x, row);
                switch (bpp) {
                    case 1:
                    case 4:
                    case 8: {
                        size_t bit = static_cast<size_t>(x) * bpp;
                        line[bit / 8] |= static_cast<uint8_t>(index(c) << (8 - bpp - bit % 8));
                        break;
                    }
                    case 16: {
                        uint32_t v = format.bitfields ? (R(c) >> 3) << 11 | (G(c) >> 2) << 5 | (B(c) >> 3)
                                                      : (R(c) >> 3) << 10 | (G(c) >> 3) << 5 | (B(c) >> 3);
                        line[x * 2] = static_cast<uint8_t>(v);
                        line[x * 2 + 1] = static_cast<uint8_t>(v >> 8);
                        break;
                    }
                    case 24:
                        line[x * 3] = B(c), line[x * 3 + 1] = G(c), line[x * 3 + 2] = R(c);
                        break;
                    default:
                        line[x * 4] = B(c), line[x * 4 + 1] = G(c), line[x * 4 + 2] = R(c);
                        break;
                }
            }
            out.insert(out.end(), line.begin(), line.end());
        }
    }
    Set32(out, 2, static_cast<uint32_t>(out.size()));
    return out;
}

std::vector<Rgb> Solid(int width, int height, Rgb color) {
    return std::vector<Rgb>(static_cast<size_t>(width) * height, color);
}

std::vector<Rgb> WithCorners(std::vector<Rgb> pixels, int width, int height, Rgb corner) {
    pixels[0] = pixels[static_cast<size_t>(width) - 1] = corner;
    pixels[static_cast<size_t>(height - 1) * width] = pixels[static_cast<size_t>(height) * width - 1] = corner;
    return pixels;
}

}  // namespace bmptest
