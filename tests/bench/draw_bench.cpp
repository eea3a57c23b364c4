// Benchmark (under Wine): the 9-grid of the installer's 509 x 233 BMP
// background into its 503 x 230 client area, and of a 399 x 42 PNG button
// face into its own size, each beside one plain BitBlt of the same size in
// the same run. Rounds alternate between the three figures, and each keeps
// its best round, so that the load of the machine touches them alike:
//   repeat  the same 9-grid again (every paint of a window that keeps its size)
//   first   the same list through the plain path (a new size, the first paint)
//   BitBlt  one copy of a picture-sized block into the same buffer
// Prints milliseconds per draw and the ratios to the BitBlt.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/picture.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/picture/skin_pixel_ops.h"
#include "skin/platform/skin_graphics.h"
#include "tests/bench/bench_timing.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) in.open("Z:" + path, std::ios::binary);  // the source tree under Wine
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Milliseconds of one call of `f`: one run of `reps` calls.
template <typename F>
double PerCall(int reps, F&& f) {
    return BestMilliseconds(1,
                            [&] {
                                for (int i = 0; i < reps; ++i) f();
                                GdiFlush();
                            }) /
           reps;
}

// The pieces the image's 9-grid hands to the canvas: for a decoded picture
// its opaque 1:1 parts become plain copies, as CSkinDrawImage does.
SkinPieces PlainList(CSkinDrawImage& image, int w, int h, const SkinQuad& margins) {
    bool keyed = image.IsBitmapFile();
    SkinPieces grid = SkinNineGrid(keyed ? SkinSourceKind::KeyedBitmap : SkinSourceKind::Decoded, image.GetWidth(),
                                   image.GetHeight(), SkinRect{0, 0, w, h}, margins);
    if (keyed) return grid;
    const tovane::Picture& picture = image.GetPicture();
    SkinOpacityTable opacity;
    opacity.Build(picture.pixels.data(), picture.width, picture.height, picture.width * 4);
    SkinPieces list;
    for (SkinPiece p : grid) {
        if (p.dst.w == p.src.w && p.dst.h == p.src.h && opacity.IsOpaque(p.src)) p.blit = SkinBlit::Copy;
        list.Add(p.blit, p.dst, p.src, picture.width, picture.height);
    }
    return list;
}

struct Figures {
    double repeat = 1e300, first = 1e300, blit = 1e300;
};

// The 9-grid of `image` into a w x h paint buffer (a bitmap of the screen's
// kind, as paint buffers are) whose stretch mode is `mode` (the 9-grid keeps
// the target's; a fresh DC has BLACKONWHITE).
Figures Measure(CSkinDrawImage& image, int w, int h, const SkinQuad& margins, int reps, int mode) {
    SkinBitmapHandle buffer = SkinGraphics().CreateCompatibleBitmap(w, h);
    std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateBitmapCanvas(SkinSurface{buffer.get(), w, h});
    if (!canvas) return Figures();
    SetStretchBltMode(canvas->Dc(), mode);
    SkinSurface source = image.GetSurface();
    HDC memory = CreateCompatibleDC(canvas->Dc());
    HGDIOBJ old = SelectObject(memory, source.bitmap);
    const int firstReps = reps / 10 > 0 ? reps / 10 : 1;
    SkinPieces plain = PlainList(image, w, h, margins);
    Figures f;
    for (int round = 0; round < 16; ++round) {
        bool counted = round >= 2;  // the first rounds warm up
        double blit = PerCall(reps, [&] { BitBlt(canvas->Dc(), 0, 0, w, h, memory, 0, 0, SRCCOPY); });
        SelectObject(memory, old);  // the picture may sit in one DC only
        double repeat = PerCall(reps, [&] { image.Draw9Grid(*canvas, SkinRect{0, 0, w, h}, margins); });
        // The same list through the plain path, as a first draw takes it.
        double first = PerCall(firstReps, [&] { canvas->DrawPieces(source, plain, image.GetColorKey()); });
        old = SelectObject(memory, source.bitmap);
        if (!counted) continue;
        f.blit = std::min(f.blit, blit);
        f.repeat = std::min(f.repeat, repeat);
        f.first = std::min(f.first, first);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    return f;
}

void Print(const char* name, const Figures& f) {
    std::printf("%-30s repeat %7.4f ms (%5.2fx)   first %7.4f ms (%6.2fx)   BitBlt %7.4f ms\n", name, f.repeat,
                f.repeat / f.blit, f.first, f.first / f.blit, f.blit);
}

}  // namespace

int main() {
    std::vector<uint8_t> bmpFile = ReadFile(TOVANE_SOURCE_DIR "/res/skin/skin/PromptBk.bmp");
    std::vector<uint8_t> pngFile = ReadFile(TOVANE_SOURCE_DIR "/res/skin/skin/install.png");
    if (bmpFile.empty() || pngFile.empty()) {
        std::fprintf(stderr, "the skin pictures were not found\n");
        return 1;
    }
    auto bmp = CSkinDrawImage::FromBitmapFile(bmpFile.data(), bmpFile.size());
    auto png = CSkinDrawImage::FromPicture(tovane::DecodePng(pngFile.data(), pngFile.size()), CSkinDrawImage::kTypePng);
    if (bmp->GetWidth() != 509 || png->GetWidth() != 399) {
        std::fprintf(stderr, "unexpected picture sizes\n");
        return 1;
    }
    std::printf("ratios are to the BitBlt of the same run\n");
    Print("BMP 509x233 into 503x230 (15)", Measure(*bmp, 503, 230, SkinQuad{15, 15, 15, 15}, 200, BLACKONWHITE));
    Print("  the same, COLORONCOLOR", Measure(*bmp, 503, 230, SkinQuad{15, 15, 15, 15}, 200, COLORONCOLOR));
    Print("PNG 399x42 into 399x42 (2)", Measure(*png, 399, 42, SkinQuad{2, 2, 2, 2}, 1000, BLACKONWHITE));
    return 0;
}
