#include "skin/theme/skin_value_parsers.h"

#include <climits>
#include <cstddef>

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f' || c == L'\v'; }

// Parses an integer from [begin, end) with the rules of ParseInteger.
int IntegerIn(const std::wstring& text, size_t begin, size_t end) {
    size_t i = begin;
    while (i < end && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    long long value = 0;
    for (; i < end && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;  // saturate
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

// Splits text[begin, end) at commas and reads up to `count` integers into
// `out`; returns how many parts there were (at most `count`). An empty
// range has no parts.
int SplitIntegers(const std::wstring& text, size_t begin, size_t end, int* out, int count) {
    if (begin >= end) return 0;
    int n = 0;
    size_t partStart = begin;
    while (n < count) {
        size_t comma = text.find(L',', partStart);
        size_t partEnd = (comma == std::wstring::npos || comma >= end) ? end : comma;
        out[n++] = IntegerIn(text, partStart, partEnd);
        if (partEnd == end) break;
        partStart = partEnd + 1;
    }
    return n;
}

}  // namespace

int ParseInteger(const std::wstring& text) { return IntegerIn(text, 0, text.size()); }

int ParsePosition(const std::wstring& text) { return text == L"center" ? kSkinCentered : ParseInteger(text); }

SkinColor ParseRgb(const std::wstring& text) {
    int parts[3] = {0, 0, 0};
    if (text.size() > 5) SplitIntegers(text, 4, text.size() - 1, parts, 3);
    return SkinRgb(parts[0], parts[1], parts[2]);
}

SkinColor ParseColorValue(const std::wstring& text, SkinColor fallback, const SkinColorLookup& lookup) {
    if (text.empty()) return fallback;
    if (text[0] == L'#') return lookup ? lookup(text.substr(1)) : fallback;
    return ParseRgb(text);
}

SkinQuad ParseTuple(const std::wstring& text) {
    int parts[4] = {-1, -1, -1, -1};
    if (text.size() > 2) SplitIntegers(text, 1, text.size() - 1, parts, 4);
    return SkinQuad{parts[0], parts[1], parts[2], parts[3]};
}

SkinPair ParsePair(const std::wstring& text) {
    int parts[2] = {0, 0};
    if (text.size() > 2) SplitIntegers(text, 1, text.size() - 1, parts, 2);
    return SkinPair{parts[0], parts[1]};
}
