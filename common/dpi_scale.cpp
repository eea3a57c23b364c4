#include "common/dpi_scale.h"

#include <algorithm>
#include <climits>

namespace dpi {

namespace {

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

int MulDivRound(int value, int numerator, int denominator) {
    if (denominator <= 0) return value;
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = denominator / 2;
    // Halves away from zero: the same magnitude on both sides of zero.
    const int64_t rounded = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return ClampToInt(rounded);
}

DpiScale::DpiScale(int dpi) : dpi_(dpi <= 0 ? kBaseDpi : std::clamp(dpi, kMinDpi, kMaxDpi)) {}

void DpiScale::ScaleSpans(const int* in96, int count, int* out) const {
    int64_t sum = 0;
    int previous = 0;
    for (int i = 0; i < count; ++i) {
        sum += in96[i];
        const int edge = Scale(ClampToInt(sum));
        out[i] = edge - previous;
        previous = edge;
    }
}

GridSpans ScaleGridSpans(const DpiScale& scale, int startMargin96, int endMargin96, int length) {
    GridSpans spans;
    if (length <= 0) return spans;
    const int start = std::max(0, scale.Scale(std::max(0, startMargin96)));
    const int end = std::max(0, scale.Scale(std::max(0, endMargin96)));
    if (static_cast<int64_t>(start) + end <= length) {
        spans.start = start;
        spans.end = end;
        spans.middle = length - start - end;
        return spans;
    }
    // Too short for both margins: each keeps its share of the length.
    const int64_t both = static_cast<int64_t>(start) + end;
    spans.start = static_cast<int>((static_cast<int64_t>(length) * start + both / 2) / both);
    spans.end = length - spans.start;
    return spans;
}

}  // namespace dpi
