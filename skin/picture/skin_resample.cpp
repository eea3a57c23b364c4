#include "skin/picture/skin_resample.h"

#include <algorithm>

namespace {

// The source pixels one output pixel of an axis covers, and how much of
// each: in units of 1/newLength of a source pixel, so the weights of one
// output pixel add up to `length` exactly.
struct Tap {
    int first = 0;
    std::vector<uint32_t> weights;
};

std::vector<Tap> Taps(int length, int newLength) {
    std::vector<Tap> taps(static_cast<size_t>(newLength));
    for (int i = 0; i < newLength; ++i) {
        const int64_t start = int64_t{i} * length, end = int64_t{i + 1} * length;
        Tap& tap = taps[static_cast<size_t>(i)];
        tap.first = static_cast<int>(start / newLength);
        for (int64_t j = tap.first; j * newLength < end && j < length; ++j) {
            const int64_t from = std::max(start, j * newLength), to = std::min(end, (j + 1) * newLength);
            tap.weights.push_back(static_cast<uint32_t>(to - from));
        }
    }
    return taps;
}

// The result, and the half-way picture (new width x old height), within
// the limits.
bool SizeInRange(int oldHeight, int width, int height) {
    return width > 0 && height > 0 && width <= kSkinMaxScaledSide && height <= kSkinMaxScaledSide &&
           static_cast<size_t>(width) * static_cast<size_t>(height) <= kSkinMaxScaledPixels &&
           static_cast<size_t>(width) * static_cast<size_t>(oldHeight) <= kSkinMaxScaledPixels;
}

// Premultiplied BGRA rows (width * 4 bytes each) resized by area averaging.
std::vector<uint8_t> ResampleBgra(const uint8_t* pixels, int width, int height, int newWidth, int newHeight) {
    const std::vector<Tap> across = Taps(width, newWidth), down = Taps(height, newHeight);
    // Across first: sums of weight x channel, at most 255 x width each.
    std::vector<uint32_t> rows(static_cast<size_t>(height) * newWidth * 4);
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = pixels + static_cast<size_t>(y) * width * 4;
        uint32_t* out = rows.data() + static_cast<size_t>(y) * newWidth * 4;
        for (int x = 0; x < newWidth; ++x) {
            const Tap& tap = across[static_cast<size_t>(x)];
            uint32_t sum[4] = {0, 0, 0, 0};
            for (size_t k = 0; k < tap.weights.size(); ++k) {
                const uint8_t* p = in + (static_cast<size_t>(tap.first) + k) * 4;
                for (int c = 0; c < 4; ++c) sum[c] += tap.weights[k] * p[c];
            }
            for (int c = 0; c < 4; ++c) out[x * 4 + c] = sum[c];
        }
    }
    // Then down, dividing by both axes' whole weight, rounded.
    const uint64_t whole = uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height);
    std::vector<uint8_t> result(static_cast<size_t>(newWidth) * newHeight * 4);
    for (int y = 0; y < newHeight; ++y) {
        const Tap& tap = down[static_cast<size_t>(y)];
        uint8_t* out = result.data() + static_cast<size_t>(y) * newWidth * 4;
        for (int x = 0; x < newWidth * 4; ++x) {
            uint64_t sum = 0;
            for (size_t k = 0; k < tap.weights.size(); ++k)
                sum += uint64_t{tap.weights[k]} * rows[(static_cast<size_t>(tap.first) + k) * newWidth * 4 + x];
            out[x] = static_cast<uint8_t>(std::min<uint64_t>(255, (sum + whole / 2) / whole));
        }
    }
    return result;
}

}  // namespace

tovane::Picture SkinResamplePicture(const tovane::Picture& source, int width, int height) {
    tovane::Picture out;
    if (source.Empty() || !SizeInRange(source.height, width, height) ||
        source.pixels.size() < static_cast<size_t>(source.width) * source.height * 4) {
        return out;
    }
    out.pixels = ResampleBgra(source.pixels.data(), source.width, source.height, width, height);
    out.width = width;
    out.height = height;
    for (size_t i = 3; i < out.pixels.size(); i += 4) {
        if (out.pixels[i] != 255) {
            out.hasAlpha = true;
            break;
        }
    }
    return out;
}

std::vector<uint8_t> SkinResampleKeyed(const uint8_t* bgrx, size_t size, int width, int height, uint32_t key,
                                       int newWidth, int newHeight) {
    if (!bgrx || width <= 0 || height <= 0 || !SizeInRange(height, newWidth, newHeight) ||
        size < static_cast<size_t>(width) * height * 4) {
        return {};
    }
    const uint8_t kb = static_cast<uint8_t>(key >> 16), kg = static_cast<uint8_t>(key >> 8),
                  kr = static_cast<uint8_t>(key);
    // The key becomes transparent, everything else opaque.
    std::vector<uint8_t> premultiplied(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < premultiplied.size(); i += 4) {
        const bool keyed = bgrx[i] == kb && bgrx[i + 1] == kg && bgrx[i + 2] == kr;
        premultiplied[i] = keyed ? 0 : bgrx[i];
        premultiplied[i + 1] = keyed ? 0 : bgrx[i + 1];
        premultiplied[i + 2] = keyed ? 0 : bgrx[i + 2];
        premultiplied[i + 3] = keyed ? 0 : 255;
    }
    std::vector<uint8_t> out = ResampleBgra(premultiplied.data(), width, height, newWidth, newHeight);
    for (size_t i = 0; i < out.size(); i += 4) {
        const int alpha = out[i + 3];
        if (alpha < 128) {
            out[i] = kb, out[i + 1] = kg, out[i + 2] = kr;
        } else {
            for (int c = 0; c < 3; ++c)
                out[i + c] = static_cast<uint8_t>(std::min(255, (out[i + c] * 255 + alpha / 2) / alpha));
            // A blend that comes out as the key itself would be cut too.
            if (out[i] == kb && out[i + 1] == kg && out[i + 2] == kr) out[i] = static_cast<uint8_t>(kb ^ 1);
        }
        out[i + 3] = 0;
    }
    return out;
}
