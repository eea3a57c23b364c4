// Benchmark (under Wine): the 9-grid of the installer's 509 x 233 BMP
// background into its 503 x 230 client area, and of a 399 x 42 PNG button
// face into its own size, each beside one plain BitBlt of the same size in
// the same run. Prints milliseconds per draw and the ratios.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/picture.h"
#include "skin/resources/skin_draw_image.h"
#include "skin/resources/skin_graphics.h"
#include "tests/bench/bench_timing.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) in.open("Z:" + path, std::ios::binary);  // the source tree under Wine
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Best time of one call of `f`, in milliseconds, over runs of `reps` calls.
template <typename F>
double PerCall(int reps, F&& f) {
    return BestMilliseconds(7, [&] {
               for (int i = 0; i < reps; ++i) f();
           }) /
           reps;
}

struct Figures {
    double grid = 0, blit = 0;
};

// One 9-grid of `image` into a w x h paint buffer, beside one BitBlt of a
// w x h block of the same picture into the same buffer.
// `mode` is the stretch mode the caller leaves on the buffer (the 9-grid
// keeps it; a fresh DC has BLACKONWHITE).
Figures Measure(CSkinDrawImage& image, int w, int h, const SkinQuad& margins, int reps, int mode) {
    SkinBitmapHandle buffer = SkinGraphics().CreateCompatibleBitmap(w, h);
    std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateBitmapCanvas(SkinSurface{buffer.Get(), w, h});
    SetStretchBltMode(canvas->Dc(), mode);
    SkinSurface source = image.GetSurface();
    HDC memory = CreateCompatibleDC(canvas->Dc());
    HGDIOBJ old = SelectObject(memory, source.bitmap);
    Figures f;
    for (int round = 0; round < 2; ++round) {  // the first round warms up
        f.blit = PerCall(reps, [&] { BitBlt(canvas->Dc(), 0, 0, w, h, memory, 0, 0, SRCCOPY); });
        SelectObject(memory, old);
        f.grid = PerCall(reps, [&] { image.Draw9Grid(*canvas, SkinRect{0, 0, w, h}, margins); });
        old = SelectObject(memory, source.bitmap);
    }
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    return f;
}

void Print(const char* name, const Figures& f) {
    std::printf("%-34s 9-grid %8.4f ms   BitBlt %8.4f ms   ratio %5.2fx\n", name, f.grid, f.blit, f.grid / f.blit);
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
    auto png = CSkinDrawImage::FromPicture(tovane::DecodePng(pngFile.data(), pngFile.size()),
                                           CSkinDrawImage::kTypePng);
    if (bmp->GetWidth() != 509 || png->GetWidth() != 399) {
        std::fprintf(stderr, "unexpected picture sizes\n");
        return 1;
    }
    Print("BMP 509x233 into 503x230 (15)", Measure(*bmp, 503, 230, SkinQuad{15, 15, 15, 15}, 200, BLACKONWHITE));
    Print("  the same, COLORONCOLOR", Measure(*bmp, 503, 230, SkinQuad{15, 15, 15, 15}, 200, COLORONCOLOR));
    Print("PNG 399x42 into 399x42 (2)", Measure(*png, 399, 42, SkinQuad{2, 2, 2, 2}, 1000, BLACKONWHITE));
    return 0;
}
