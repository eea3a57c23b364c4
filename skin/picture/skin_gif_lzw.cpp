#include "skin/picture/skin_gif_lzw.h"

#include <cstring>

namespace {

constexpr int kMaxBits = 12;

}  // namespace

SkinGifLzw::SkinGifLzw() = default;

int SkinGifLzw::Decode(int minCodeSize, const uint8_t* data, size_t size, int width, int maxRows, RowSink sink,
                       void* context) {
    if (minCodeSize < kMinCodeSize || minCodeSize > kMaxCodeSize) return -1;
    if (width <= 0 || maxRows <= 0) return 0;

    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    // Roots are their own first and last index. An earlier frame with a
    // smaller code size used some of these slots as table entries.
    for (int i = 0; i < clear; ++i) {
        suffix_[i] = static_cast<uint8_t>(i);
        first_[i] = static_cast<uint8_t>(i);
        length_[i] = 1;
    }
    int codeSize = minCodeSize + 1;
    int codeMask = (1 << codeSize) - 1;
    int next = clear + 2;
    int prev = -1;

    // Decoded indices collect here until a row is complete. Before each
    // string is written fewer than `width` indices wait, so a string of at
    // most 4096 always fits.
    const size_t capacity = static_cast<size_t>(width) + kTableSize;
    if (out_.size() < capacity) out_.resize(capacity);
    uint8_t* out = out_.data();
    size_t outLen = 0;
    int rows = 0;

    uint64_t bits = 0;
    int bitCount = 0;
    size_t pos = 0;

    for (;;) {
        if (bitCount < codeSize) {
            if (pos + 8 <= size) {
                uint64_t word;
                std::memcpy(&word, data + pos, 8);  // little-endian hosts only (x86-64)
                bits |= word << bitCount;
                size_t taken = static_cast<size_t>(63 - bitCount) >> 3;
                pos += taken;
                bitCount += static_cast<int>(taken) * 8;
            } else {
                while (bitCount <= 56 && pos < size) {
                    bits |= static_cast<uint64_t>(data[pos++]) << bitCount;
                    bitCount += 8;
                }
                if (bitCount < codeSize) break;  // the data ended
            }
        }
        int code = static_cast<int>(bits & static_cast<uint64_t>(codeMask));
        bits >>= codeSize;
        bitCount -= codeSize;

        if (code == clear) {
            codeSize = minCodeSize + 1;
            codeMask = (1 << codeSize) - 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == end) break;

        if (prev < 0) {
            if (code > clear) break;  // nothing to build on yet
        } else {
            if (code > next) break;  // beyond the next free code
            // A full table takes no more entries (codes stay at 12 bits), so
            // it never grows past 4096.
            if (next < kTableSize) {
                // The new entry: the previous string plus the first index of
                // this one (of the previous one, for the code being defined).
                prefix_[next] = static_cast<uint16_t>(prev);
                suffix_[next] = code < next ? first_[code] : first_[prev];
                first_[next] = first_[prev];
                length_[next] = static_cast<uint16_t>(length_[prev] + 1);
                ++next;
                if (next == (1 << codeSize) && codeSize < kMaxBits) {
                    ++codeSize;
                    codeMask = (1 << codeSize) - 1;
                }
            }
        }
        prev = code;

        // Write the string backwards from its last index.
        int len = length_[code];
        if (len == 1) {
            out[outLen] = static_cast<uint8_t>(code);
        } else {
            uint8_t* p = out + outLen + len - 1;
            int c = code;
            while (c >= clear) {
                *p-- = suffix_[c];
                c = prefix_[c];
            }
            *p = static_cast<uint8_t>(c);
        }
        outLen += static_cast<size_t>(len);

        if (outLen >= static_cast<size_t>(width)) {
            size_t start = 0;
            while (outLen - start >= static_cast<size_t>(width)) {
                bool more = sink(context, rows, out + start, width);
                ++rows;
                start += static_cast<size_t>(width);
                if (!more || rows >= maxRows) return rows;
            }
            outLen -= start;
            if (outLen) std::memmove(out, out + start, outLen);
        }
    }
    if (outLen > 0) sink(context, rows, out, static_cast<int>(outLen));
    return rows;
}
