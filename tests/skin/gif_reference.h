// What giflib makes of a GIF file, composited frame by frame the way an
// opaque viewer shows it: the reference the decoder's canvas is compared
// with. giflib gives the raw frames; disposal, transparency and clipping to
// the logical screen are applied here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gifref {

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // B, G, R, 0
    std::vector<uint8_t> painted;  // 1 where a frame has painted since the last clear
};

struct Animation {
    bool ok = false;
    std::string error;
    int version = 0;
    std::vector<Canvas> frames;  // the canvas after each frame
    bool interlaced = false;     // some frame is interlaced
    bool localTables = false;    // some frame has its own colour table
    bool transparency = false;   // some frame has a transparent index
    int disposals = 0;           // bit n set when some frame uses disposal n
};

// Decodes the whole file with DGifSlurp and composites every frame.
Animation Composite(const std::vector<uint8_t>& file);

// giflib's decoding alone (DGifOpen + DGifSlurp + close), for the
// benchmark; returns the number of frames.
int SlurpOnly(const std::vector<uint8_t>& file);

}  // namespace gifref
