#include "skin/gif_reference.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace gifref {
namespace {

struct Reader {
    const std::vector<uint8_t>* file;
    size_t pos = 0;
};

int Read(GifFileType* gif, GifByteType* buffer, int length) {
    Reader* r = static_cast<Reader*>(gif->UserData);
    size_t n = std::min(static_cast<size_t>(length), r->file->size() - r->pos);
    std::memcpy(buffer, r->file->data() + r->pos, n);
    r->pos += n;
    return static_cast<int>(n);
}

uint32_t Pixel(const GifColorType& c) {
    return static_cast<uint32_t>(c.Blue) | static_cast<uint32_t>(c.Green) << 8 | static_cast<uint32_t>(c.Red) << 16;
}

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

Rect Clip(const GifImageDesc& d, int w, int h) {
    Rect r{std::min(d.Left, w), std::min(d.Top, h), std::min(d.Left + d.Width, w), std::min(d.Top + d.Height, h)};
    if (r.right <= r.left || r.bottom <= r.top) r = Rect();
    return r;
}

}  // namespace

Animation Composite(const std::vector<uint8_t>& file) {
    Animation a;
    Reader reader{&file};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, &Read, &error);
    if (!gif) {
        a.error = GifErrorString(error);
        return a;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        a.error = GifErrorString(gif->Error);
        DGifCloseFile(gif, &error);
        return a;
    }
    a.version = file.size() > 4 && file[4] == '7' ? 87 : 89;
    Canvas c;
    c.width = gif->SWidth;
    c.height = gif->SHeight;
    const int bg = gif->SBackGroundColor;
    const uint32_t white = 0x00FFFFFF;
    uint32_t background = gif->SColorMap ? Pixel(gif->SColorMap->Colors[bg % gif->SColorMap->ColorCount]) : white;
    if (gif->SColorMap && bg >= gif->SColorMap->ColorCount) background = 0;
    const uint32_t globalBackground = background;
    c.pixels.assign(static_cast<size_t>(c.width) * c.height, background);
    c.painted.assign(c.pixels.size(), 0);

    Canvas beforePrevious;
    int prevDisposal = 0;
    Rect prevRect;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, i, &gcb);
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        a.interlaced |= image.ImageDesc.Interlace;
        a.localTables |= image.ImageDesc.ColorMap != nullptr;
        a.transparency |= gcb.TransparentColor != NO_TRANSPARENT_COLOR;
        a.disposals |= 1 << gcb.DisposalMode;

        if (prevDisposal == DISPOSE_BACKGROUND) {
            for (int y = prevRect.top; y < prevRect.bottom; ++y)
                for (int x = prevRect.left; x < prevRect.right; ++x) {
                    c.pixels[size_t(y) * c.width + x] = background;
                    c.painted[size_t(y) * c.width + x] = 0;
                }
        } else if (prevDisposal == DISPOSE_PREVIOUS) {
            c = beforePrevious;
            for (size_t p = 0; p < c.pixels.size(); ++p)
                if (!c.painted[p]) c.pixels[p] = background;
        }
        if (gcb.DisposalMode == DISPOSE_PREVIOUS) beforePrevious = c;

        const GifImageDesc& d = image.ImageDesc;
        Rect r = Clip(d, c.width, c.height);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                int index = image.RasterBits[size_t(y - d.Top) * d.Width + (x - d.Left)];
                if (index == gcb.TransparentColor) continue;
                // Entries past the table are black.
                uint32_t color = index < map->ColorCount ? Pixel(map->Colors[index]) : 0;
                c.pixels[size_t(y) * c.width + x] = color;
                c.painted[size_t(y) * c.width + x] = 1;
            }

        // Unpainted pixels: the global background entry, or white where the
        // frame shows that entry as transparent.
        uint32_t shown = gif->SColorMap && gcb.TransparentColor != bg ? globalBackground : white;
        if (shown != background) {
            background = shown;
            for (size_t p = 0; p < c.pixels.size(); ++p)
                if (!c.painted[p]) c.pixels[p] = background;
        }
        a.frames.push_back(c);
        prevDisposal = gcb.DisposalMode;
        prevRect = r;
    }
    DGifCloseFile(gif, &error);
    a.ok = true;
    return a;
}

int SlurpOnly(const std::vector<uint8_t>& file) {
    Reader reader{&file};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, &Read, &error);
    if (!gif) return -1;
    int frames = DGifSlurp(gif) == GIF_OK ? gif->ImageCount : -1;
    DGifCloseFile(gif, &error);
    return frames;
}

}  // namespace gifref
