// Benchmark: decoding every frame of a multi-frame GIF (12 frames of
// 320 x 240 written by ImageMagick) with SkinGifDecoder beside giflib's
// DGifSlurp over the same bytes. giflib only expands the raw frames; our
// decoder also composites each onto its canvas, so a third figure adds the
// tests' reference compositing to giflib. Prints the best of several runs
// and the ratios.
#include <cstdio>
#include <string>
#include <vector>

#include "skin/gif_builder.h"
#include "skin/gif_reference.h"
#include "skin/picture/skin_gif_decoder.h"
#include "tests/bench/bench_timing.h"

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : TOVANE_BENCH_GIF;
    std::vector<uint8_t> file = giftest::ReadFile(path);
    if (file.empty()) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    const int frames = gifref::SlurpOnly(file);
    if (frames <= 0) {
        std::fprintf(stderr, "giflib cannot read %s\n", path.c_str());
        return 1;
    }

    const int runs = 15;
    const int repeat = 4;  // decodes of the file per run
    volatile uint32_t sink = 0;
    int ourFrames = 0;
    double ours = BestMilliseconds(runs, [&] {
        for (int r = 0; r < repeat; ++r) {
            SkinGifDecoder d;
            d.Load(file.data(), file.size());
            ourFrames = 0;
            while (!d.Advance().rewound) ++ourFrames;
            sink = sink + d.PixelAt(0, 0);
        }
    });
    double giflib = BestMilliseconds(runs, [&] {
        for (int r = 0; r < repeat; ++r) sink = sink + static_cast<uint32_t>(gifref::SlurpOnly(file));
    });
    double composited = BestMilliseconds(runs, [&] {
        for (int r = 0; r < repeat; ++r) sink = sink + static_cast<uint32_t>(gifref::Composite(file).frames.size());
    });
    if (ourFrames != frames) {
        std::fprintf(stderr, "decoded %d frames, giflib %d\n", ourFrames, frames);
        return 1;
    }
    const double bytes = static_cast<double>(file.size()) * repeat;
    std::printf("GIF decode: %zu bytes, %d frames, best of %d runs of %d decodes\n", file.size(), frames, runs, repeat);
    std::printf("  SkinGifDecoder (composited)   %8.2f ms  %7.1f MB/s\n", ours, bytes / ours / 1e3);
    std::printf("  giflib DGifSlurp (raw frames) %8.2f ms  %7.1f MB/s\n", giflib, bytes / giflib / 1e3);
    std::printf("  giflib + compositing          %8.2f ms\n", composited);
    std::printf("  ratio giflib / ours: %.2f (above 1: ours is faster)\n", giflib / ours);
    std::printf("  ratio giflib+compositing / ours: %.2f\n", composited / ours);
    return 0;
}
