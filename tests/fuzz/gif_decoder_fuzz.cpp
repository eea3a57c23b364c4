// Fuzz target: the GIF decoder over every frame of the input, through the
// rewind and the first frame after it.
#include <cstddef>
#include <cstdint>

#include "skin/picture/skin_gif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SkinGifDecoder decoder;
    // A smaller screen cap than the package's keeps each run quick; the cap
    // itself is tested apart.
    if (!decoder.Load(data, size, size_t(1) << 20)) return 0;
    for (int step = 0; step < 4096; ++step) {
        SkinGifDecoder::Step s = decoder.Advance();
        if (s.rewound) break;
    }
    decoder.Advance();
    if (decoder.HasCanvas()) {
        size_t n = static_cast<size_t>(decoder.Width()) * static_cast<size_t>(decoder.Height());
        const uint8_t* mask = decoder.Mask();
        for (size_t i = 0; i < n; ++i)
            if (mask[i] > 1) __builtin_trap();
        // Pixels are opaque B, G, R with the fourth byte clear.
        const uint8_t* pixels = decoder.Pixels();
        for (size_t i = 0; i < n; ++i)
            if (pixels[i * 4 + 3] != 0) __builtin_trap();
    }
    return 0;
}
