// Fuzz target: the pixel run walk over random pixel rows. The first bytes
// choose the view (size, depth, stride, row order, palette, key), the rest
// are the pixels; views that do not fit their buffer must give nothing,
// and every rectangle must lie in the picture, one row high, rows in order.
// The opacity table and the two 32-bit copies run over the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "skin/picture/skin_pixel_ops.h"

namespace {

void CheckRuns(const SkinPixelView& view, const std::vector<SkinRect>& rects) {
    int lastY = -1, lastRight = -1;
    for (const SkinRect& r : rects) {
        if (r.left < 0 || r.right > view.width || r.left >= r.right || r.bottom != r.top + 1 || r.top < 0 ||
            r.top >= view.height)
            std::abort();
        if (r.top < lastY || (r.top == lastY && r.left <= lastRight)) std::abort();  // runs never touch
        lastRight = r.right;
        lastY = r.top;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 10) return 0;
    static const int kDepths[] = {8, 16, 24, 32, 12};
    SkinPixelView view;
    view.width = data[0] + 1;
    view.height = data[1] + 1;
    view.bitsPerPixel = kDepths[data[2] % 5];
    int rowBytes = view.width * (view.bitsPerPixel / 8);
    view.stride = rowBytes + (data[3] % 8) - 2;  // sometimes too narrow
    view.bottomUp = data[4] & 1;
    uint32_t palette[256];
    size_t paletteSize = data[5];
    for (size_t i = 0; i < 256; ++i) palette[i] = i % 3 == 0 ? 0xFF00FF : static_cast<uint32_t>(i * 0x10101);
    view.palette = palette;
    view.paletteSize = paletteSize;
    SkinColor key = static_cast<SkinColor>(data[6] | data[7] << 8 | data[8] << 16);
    uint8_t alpha = data[9];
    // An exactly sized copy, so a read past the pixels is seen.
    std::vector<uint8_t> pixels(data + 10, data + size);
    view.bits = pixels.empty() ? nullptr : pixels.data();
    view.size = pixels.size();

    for (SkinRunKind kind : {SkinRunKind::NotKey, SkinRunKind::Key}) {
        std::vector<SkinRect> rects = SkinWalkPixelRuns(view, key, kind);
        if (!view.IsValid() && !rects.empty()) std::abort();
        CheckRuns(view, rects);
    }
    if (view.bitsPerPixel == 32 && view.IsValid()) {
        SkinOpacityTable table;
        table.Build(view.bits, view.width, view.height, view.stride);
        table.IsOpaque(SkinBox{data[2] % 8, data[3] % 8, data[4] % 16, data[5] % 16});
        std::vector<uint8_t> target(size_t(64) * 64 * 4);
        SkinPixelView dst;
        dst.bits = target.data();
        dst.size = target.size();
        dst.width = dst.height = 64;
        dst.stride = 64 * 4;
        dst.bitsPerPixel = 32;
        int x = data[6] % 70, y = data[7] % 70, w = data[8] % 80, h = data[9] % 80;
        SkinTiledCopy(dst, x, y, w, h, view, data[2] % 4, data[3] % 4, view.width, view.height);
        SkinTiledCopy(dst, x, y, w, view.height, view, 0, 0, view.width, view.height);
        SkinKeyedRecolour(dst, x, y, w, h, view, data[4] % 4, data[5] % 4, alpha);
    }
    return 0;
}
