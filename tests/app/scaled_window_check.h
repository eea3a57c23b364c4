// Checks of a skinned window drawn at a display scale, shared by the tests
// that look at the installer from outside and from inside its process.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/installer_layout96.h"
#include "app/screen_check.h"
#include "common/win_handles.h"
#include "support/win_test_support.h"

namespace testing_support {

// Pixels of the status face that are not warning.png scaled: down each end
// of `shot` (the button on screen), away from the rounded corners and the
// text, every row must show the face's colour of the rows it was scaled
// from, over the backdrop colour of its row. Sets `compared`.
inline int ScaledFaceMismatches(const Pixels& shot, const Face& face, const std::vector<std::uint32_t>& backdrop,
                                int dpi, int* compared) {
    const double scale = dpi / 96.0;
    auto s = [&](double v) { return layout96::Scaled(v, dpi); };
    int off = 0;
    *compared = 0;
    if (static_cast<int>(backdrop.size()) < shot.height || face.picture.Empty()) return shot.width * shot.height;
    for (int y = 0; y < shot.height; ++y) {
        const int row = std::clamp(static_cast<int>((y + 0.5) / scale), 0, face.picture.height - 1);
        for (int x : {s(12), s(40), shot.width - 1 - s(12), shot.width - 1 - s(40)}) {
            const int faceX = x < shot.width / 2
                                  ? static_cast<int>(x / scale)
                                  : face.picture.width - 1 - static_cast<int>((shot.width - 1 - x) / scale);
            int best = 255;
            for (int dy = -1; dy <= 1; ++dy) {
                const int fy = std::clamp(row + dy, 0, face.picture.height - 1);
                best = std::min(best, Distance(shot.at(x, y), face.Over(faceX, fy, backdrop[y])));
            }
            ++*compared;
            off += best > 10;
        }
    }
    return off;
}

// The backdrop colour of each row of a child, read in its parent's client
// area `besideX` pixels left of the child.
inline std::vector<std::uint32_t> RowsBeside(HWND child, int besideX) {
    RECT r{};
    ::GetWindowRect(child, &r);
    return CaptureScreenArea(RECT{r.left - besideX, r.top, r.left - besideX + 1, r.bottom}).data;
}

// Pixels of the corner block (`block` square) at corner 0..3 (left/right,
// top/bottom) of a W x H window that its region leaves out.
inline int CornerCut(HRGN region, int width, int height, int block, int corner) {
    const bool right = corner & 1, bottom = corner & 2;
    const int x0 = right ? width - block : 0, y0 = bottom ? height - block : 0;
    int cut = 0;
    for (int y = y0; y < y0 + block; ++y)
        for (int x = x0; x < x0 + block; ++x) cut += !::PtInRegion(region, x, y);
    return cut;
}

// Magenta pixels in the top-left corner block of the background picture
// (its corners are alike): what the region cuts at 96 DPI.
inline int MagentaInCorner96(const std::string& skinDir) {
    const Pixels picture = LoadBitmapFile(skinDir + "/PromptBk.bmp");
    int magenta = 0;
    for (int y = 0; y < layout96::kCornerBlock && y < picture.height; ++y)
        for (int x = 0; x < layout96::kCornerBlock && x < picture.width; ++x) magenta += picture.at(x, y) == 0xFF00FF;
    return magenta;
}

// The white text on the status button: how many pixels, and the height of
// the rows they span, in the middle of `shot` (`margin` left free at each end).
struct WhiteText {
    int pixels = 0;
    int height = 0;
};
inline WhiteText FindWhiteText(const Pixels& shot, int margin) {
    WhiteText text;
    int top = shot.height, bottom = -1;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = margin; x < shot.width - margin; ++x) {
            if (Distance(shot.at(x, y), 0xFFFFFF) > 24) continue;
            ++text.pixels;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    text.height = bottom >= top ? bottom - top + 1 : 0;
    return text;
}

}  // namespace testing_support
