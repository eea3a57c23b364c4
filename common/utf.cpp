#include "common/utf.h"

#include <cstdint>

namespace text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Decodes the code point at `i` and advances past it; a byte that does not
// start a well-formed sequence yields U+FFFD and advances by one.
char32_t NextFromUtf8(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80) return lead;
    int extra;
    char32_t c;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, c = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, c = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;  // continuation byte, overlong lead or beyond U+10FFFF
    }
    if (s.size() - i < static_cast<std::size_t>(extra)) return kReplacement;
    for (int k = 0; k < extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) return kReplacement;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || IsSurrogate(c)) return kReplacement;
    i += static_cast<std::size_t>(extra);
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

template <typename Unit>
void AppendUtf16(std::basic_string<Unit>& out, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<Unit>(0xD800 + (c >> 10));
        out += static_cast<Unit>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<Unit>(c);
    }
}

// Decodes the code point at `i` of UTF-16 units; an unpaired surrogate
// yields U+FFFD.
template <typename Unit>
char32_t NextFromUtf16(std::basic_string_view<Unit> s, std::size_t& i) {
    const auto c = static_cast<char32_t>(static_cast<std::uint16_t>(s[i++]));
    if (!IsSurrogate(c)) return c;
    if (c <= 0xDBFF && i < s.size()) {
        const auto low = static_cast<char32_t>(static_cast<std::uint16_t>(s[i]));
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++i;
            return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return kReplacement;
}

template <typename Unit>
std::basic_string<Unit> Utf8ToUnits(std::string_view utf8) {
    std::basic_string<Unit> out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) AppendUtf16(out, NextFromUtf8(utf8, i));
    return out;
}

template <typename Unit>
std::string UnitsToUtf8(std::basic_string_view<Unit> units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size();) AppendUtf8(out, NextFromUtf16(units, i));
    return out;
}

// Wide strings of 32-bit units hold code points; surrogates and values
// beyond U+10FFFF are not characters.
char32_t CheckedCodePoint(wchar_t w) {
    const auto c = static_cast<char32_t>(static_cast<std::uint32_t>(w));
    return c > 0x10FFFF || IsSurrogate(c) ? kReplacement : c;
}

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) { return Utf8ToUnits<char16_t>(utf8); }

std::string Utf16ToUtf8(std::u16string_view utf16) { return UnitsToUtf8(utf16); }

std::wstring Utf8ToWide(std::string_view utf8) {
    if constexpr (kWideIsUtf16) {
        return Utf8ToUnits<wchar_t>(utf8);
    } else {
        std::wstring out;
        out.reserve(utf8.size());
        for (std::size_t i = 0; i < utf8.size();) out += static_cast<wchar_t>(NextFromUtf8(utf8, i));
        return out;
    }
}

std::string WideToUtf8(std::wstring_view wide) {
    if constexpr (kWideIsUtf16) {
        return UnitsToUtf8(wide);
    } else {
        std::string out;
        out.reserve(wide.size());
        for (wchar_t w : wide) AppendUtf8(out, CheckedCodePoint(w));
        return out;
    }
}

std::wstring Utf16ToWide(std::u16string_view utf16) {
    std::wstring out;
    out.reserve(utf16.size());
    if constexpr (kWideIsUtf16) {
        for (char16_t u : utf16) out += static_cast<wchar_t>(u);
    } else {
        for (std::size_t i = 0; i < utf16.size();) out += static_cast<wchar_t>(NextFromUtf16(utf16, i));
    }
    return out;
}

std::u16string WideToUtf16(std::wstring_view wide) {
    std::u16string out;
    out.reserve(wide.size());
    if constexpr (kWideIsUtf16) {
        for (wchar_t w : wide) out += static_cast<char16_t>(w);
    } else {
        for (wchar_t w : wide) AppendUtf16(out, CheckedCodePoint(w));
    }
    return out;
}

}  // namespace text
