// Writes the seed corpora of the BMP check and region walk fuzz targets:
// one BMP file of every layout, and pixel rows of every depth.
// Usage: make_draw_corpus OUTPUT_DIR
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "skin/bmp_builder.h"

namespace {

void Write(const std::string& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
    mkdir(dir.c_str(), 0755);
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string root = argv[1];
    mkdir(root.c_str(), 0755);
    std::vector<bmptest::Rgb> px;
    for (int i = 0; i < 7 * 5; ++i) px.push_back(i % 4 == 0 ? 0xFF00FF : 0x102030u * static_cast<uint32_t>(i % 7));
    struct NamedBmp {
        const char* name;
        bmptest::BmpFormat format;
    };
    std::vector<NamedBmp> layouts;
    auto add = [&](const char* name, int bpp, auto&& tweak) {
        bmptest::BmpFormat s;
        s.width = 7, s.height = 5, s.bitsPerPixel = bpp;
        tweak(s);
        layouts.push_back({name, s});
    };
    auto none = [](bmptest::BmpFormat&) {};
    add("rgb24.bmp", 24, none);
    add("rgb32.bmp", 32, none);
    add("pal8.bmp", 8, none);
    add("pal4.bmp", 4, none);
    add("topdown.bmp", 24, [](bmptest::BmpFormat& s) { s.topDown = true; });
    add("core8.bmp", 8, [](bmptest::BmpFormat& s) { s.coreHeader = true; });
    add("bitfields16.bmp", 16, [](bmptest::BmpFormat& s) { s.bitfields = true; });
    add("v5_32.bmp", 32, [](bmptest::BmpFormat& s) { s.bitfields = true, s.headerSize = 124; });
    add("rle8.bmp", 8, [](bmptest::BmpFormat& s) { s.rle8 = true; });
    for (const NamedBmp& l : layouts) Write(root + "/bmp", l.name, bmptest::MakeBmp(l.format, px));

    // Pixel rows: width - 1, height - 1, depth choice, stride choice, row
    // order, palette size, key (3 bytes), alpha, then the pixels.
    for (int depth = 0; depth < 4; ++depth) {
        int bytes = (depth + 1);
        std::vector<uint8_t> seed = {
            7, 3, static_cast<uint8_t>(depth), 2, static_cast<uint8_t>(depth & 1), 200, 0xFF, 0x00, 0xFF, 128};
        for (int i = 0; i < 8 * 4 * bytes; ++i) seed.push_back(i % 5 == 0 ? 0xFF : static_cast<uint8_t>(i * 7));
        Write(root + "/pixels", "depth" + std::to_string(depth) + ".bin", seed);
    }
    return 0;
}
