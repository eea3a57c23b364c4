#include "skin/picture/skin_resample.h"

#include <algorithm>
#include <cstddef>

bool SkinResampleSizeFits(int oldHeight, int width, int height) {
    return width > 0 && height > 0 && width <= kSkinMaxScaledSide && height <= kSkinMaxScaledSide &&
           static_cast<size_t>(width) * static_cast<size_t>(height) <= kSkinMaxScaledPixels &&
           static_cast<size_t>(width) * static_cast<size_t>(oldHeight) <= kSkinMaxScaledPixels;
}

namespace {

bool SizeInRange(int oldHeight, int width, int height) { return SkinResampleSizeFits(oldHeight, width, height); }

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

// One source row resized across: sums of weight x channel, at most 255 x
// width each.
void ResampleRowAcross(const uint8_t* in, const std::vector<Tap>& across, uint32_t* out) {
    for (size_t x = 0; x < across.size(); ++x) {
        const Tap& tap = across[x];
        uint32_t sum[4] = {0, 0, 0, 0};
        for (size_t k = 0; k < tap.weights.size(); ++k) {
            const uint8_t* p = in + (static_cast<size_t>(tap.first) + k) * 4;
            for (int c = 0; c < 4; ++c) sum[c] += tap.weights[k] * p[c];
        }
        for (int c = 0; c < 4; ++c) out[x * 4 + c] = sum[c];
    }
}

// Premultiplied BGRA rows (width * 4 bytes each) resized by area averaging
// into newHeight rows of newWidth * 4 bytes, the first at `result` and each
// next one `resultStride` bytes on (negative for a bottom-up block).
void ResampleBgra(const uint8_t* pixels, int width, int height, int newWidth, int newHeight, uint8_t* result,
                  ptrdiff_t resultStride) {
    const std::vector<Tap> across = Taps(width, newWidth), down = Taps(height, newHeight);
    // Source rows are resized across as the rows going down first need
    // them, into a ring that holds as many as one output row reads: the
    // work stays in the cache instead of a whole resized copy in memory.
    const size_t rowLength = static_cast<size_t>(newWidth) * 4;
    size_t ring = 1;
    for (const Tap& tap : down) ring = std::max(ring, tap.weights.size());
    std::vector<uint32_t> rows(ring * rowLength);
    auto rowAt = [&](size_t y) { return rows.data() + (y % ring) * rowLength; };
    size_t acrossDone = 0;  // source rows resized so far
    // Then down, dividing by both axes' whole weight, rounded.
    const uint64_t whole = uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height);
    const SkinDivider byWhole(whole);
    std::vector<uint64_t> sums(rowLength);
    for (int y = 0; y < newHeight; ++y) {
        const Tap& tap = down[static_cast<size_t>(y)];
        for (; acrossDone < static_cast<size_t>(tap.first) + tap.weights.size(); ++acrossDone)
            ResampleRowAcross(pixels + acrossDone * static_cast<size_t>(width) * 4, across, rowAt(acrossDone));
        // Row by row of the source, so the inner loop runs along a row.
        for (size_t k = 0; k < tap.weights.size(); ++k) {
            const uint64_t weight = tap.weights[k];
            const uint32_t* in = rowAt(static_cast<size_t>(tap.first) + k);
            if (k == 0)
                for (size_t x = 0; x < rowLength; ++x) sums[x] = weight * in[x];
            else
                for (size_t x = 0; x < rowLength; ++x) sums[x] += weight * in[x];
        }
        uint8_t* out = result + static_cast<ptrdiff_t>(y) * resultStride;
        for (size_t x = 0; x < rowLength; ++x)
            out[x] = static_cast<uint8_t>(std::min<uint64_t>(255, byWhole(sums[x] + whole / 2)));
    }
}

}  // namespace

tovane::Picture SkinResamplePicture(const tovane::Picture& source, int width, int height) {
    tovane::Picture out;
    if (source.Empty() || !SizeInRange(source.height, width, height) ||
        source.pixels.size() < static_cast<size_t>(source.width) * source.height * 4) {
        return out;
    }
    out.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    ResampleBgra(source.pixels.data(), source.width, source.height, width, height, out.pixels.data(),
                 static_cast<ptrdiff_t>(width) * 4);
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

bool SkinResampleKeyedInto(uint8_t* bgrx, size_t size, int width, int height, uint32_t key, int newWidth, int newHeight,
                           uint8_t* out, ptrdiff_t outStride) {
    if (!bgrx || !out || width <= 0 || height <= 0 || !SizeInRange(height, newWidth, newHeight) ||
        size < static_cast<size_t>(width) * height * 4) {
        return false;
    }
    const uint8_t kb = static_cast<uint8_t>(key >> 16), kg = static_cast<uint8_t>(key >> 8),
                  kr = static_cast<uint8_t>(key);
    // The key becomes transparent, everything else opaque; in place, so a
    // large picture needs no second copy.
    const size_t pixelBytes = static_cast<size_t>(width) * height * 4;
    for (size_t i = 0; i < pixelBytes; i += 4) {
        const bool keyed = bgrx[i] == kb && bgrx[i + 1] == kg && bgrx[i + 2] == kr;
        if (keyed) bgrx[i] = bgrx[i + 1] = bgrx[i + 2] = 0;
        bgrx[i + 3] = keyed ? 0 : 255;
    }
    ResampleBgra(bgrx, width, height, newWidth, newHeight, out, outStride);
    for (int y = 0; y < newHeight; ++y) {
        uint8_t* row = out + static_cast<ptrdiff_t>(y) * outStride;
        for (size_t i = 0; i < static_cast<size_t>(newWidth) * 4; i += 4) {
            const int alpha = row[i + 3];
            if (alpha < 128) {
                row[i] = kb, row[i + 1] = kg, row[i + 2] = kr;
            } else {
                // Opaque pixels, nearly all of them, are already themselves.
                if (alpha != 255) {
                    for (int c = 0; c < 3; ++c)
                        row[i + c] = static_cast<uint8_t>(std::min(255, (row[i + c] * 255 + alpha / 2) / alpha));
                }
                // A blend that comes out as the key itself would be cut too.
                if (row[i] == kb && row[i + 1] == kg && row[i + 2] == kr) row[i] = static_cast<uint8_t>(kb ^ 1);
            }
            row[i + 3] = 0;
        }
    }
    return true;
}

std::vector<uint8_t> SkinResampleKeyed(const uint8_t* bgrx, size_t size, int width, int height, uint32_t key,
                                       int newWidth, int newHeight) {
    if (!bgrx || width <= 0 || height <= 0 || !SizeInRange(height, newWidth, newHeight) ||
        size < static_cast<size_t>(width) * height * 4) {
        return {};
    }
    std::vector<uint8_t> source(bgrx, bgrx + static_cast<size_t>(width) * height * 4);
    std::vector<uint8_t> out(static_cast<size_t>(newWidth) * newHeight * 4);
    if (!SkinResampleKeyedInto(source.data(), source.size(), width, height, key, newWidth, newHeight, out.data(),
                               static_cast<ptrdiff_t>(newWidth) * 4))
        return {};
    return out;
}
