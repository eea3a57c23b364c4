// Text helpers of the skin XML reader: the tolerant UTF-8 decoder, the
// attribute-value decoder, message formatting and the tag-name table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define SKINXML_SSE2 1
#endif

namespace skinxml {

// The document text: UTF-16 code units, two bytes each on every platform
// (half the memory traffic of a 32-bit wchar_t in native builds).
using XmlChar = char16_t;
using XmlString = std::u16string;

inline bool IsXmlSpace(uint32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Tag names end at whitespace or one of < > = \ / ? !
inline bool IsNameEnd(uint32_t c) {
    constexpr uint64_t kBelow64 = (1ull << ' ') | (1ull << '\t') | (1ull << '\n') | (1ull << '\r') | (1ull << '<') |
                                  (1ull << '>') | (1ull << '=') | (1ull << '/') | (1ull << '?') | (1ull << '!');
    return c < 64 ? ((kBelow64 >> c) & 1) != 0 : c == '\\';
}

// A start tag begins with A-Z, ':', '_' or any character from 'a' upwards.
inline bool IsNameStart(uint32_t c) { return (c >= 'A' && c <= 'Z') || c >= 'a' || c == ':' || c == '_'; }

// Decodes UTF-8 into UTF-16 units the forgiving way the skin packages need:
// an invalid sequence becomes '?', a sequence cut by the end of the input
// ends the text, and so does a decoded NUL. At most `maxUnits` units.
XmlString DecodeUtf8(const uint8_t* bytes, size_t length, size_t maxUnits);
// The same into `out`, which has room for `capacity` units; returns the
// number of units written.
size_t DecodeUtf8Into(const uint8_t* bytes, size_t length, XmlChar* out, size_t capacity);

// UTF-16 units to a wide string (one unit per wchar_t), and back; a wide
// character above U+FFFF (32-bit wchar_t) becomes a surrogate pair.
std::wstring ToWide(const XmlChar* text, size_t length);
XmlString FromWide(const wchar_t* text, size_t length);

// Position of the first `c` in [from, end) of `text`, or `end`.
inline size_t FindChar(const XmlChar* text, size_t from, size_t end, XmlChar c);
// Position of the first '>', '"' or '\'' in [from, end), or `end`.
inline size_t FindTagStop(const XmlChar* text, size_t from, size_t end);

// Resolves &lt; &amp; &gt; &apos; &quot; and numeric character references
// (&#65; &#x41;, cut to 16 bits) in an attribute value; any other '&'
// stays as it is.
std::wstring DecodeAttributeValue(const XmlChar* value, size_t length);

// One argument of FormatText: a string for %s or a number for %d.
struct FormatArg {
    FormatArg(const wchar_t* s) : text(s ? s : L"") {}
    FormatArg(std::wstring s) : text(std::move(s)) {}
    FormatArg(size_t n) : text(std::to_wstring(n)) {}
    std::wstring text;
};

// Replaces each %s and %d of `format`, in order, by the next argument.
std::wstring FormatText(const wchar_t* format, std::initializer_list<FormatArg> args);

// Distinct tag names of a document, each with the innermost open element of
// that name (a position on the parser's stack, -1 when none is open).
// Open addressing with a per-table seed so that crafted names cannot make
// the lookups collide by design.
class NameTable {
public:
    NameTable(const XmlChar* text, bool ignoreCase);
    uint32_t Intern(size_t start, uint32_t length);
    int32_t Lookup(size_t start, uint32_t length) const;
    int32_t Top(uint32_t id) const { return names_[id].top; }
    void SetTop(uint32_t id, int32_t top) { names_[id].top = top; }

private:
    struct Name {
        size_t start;
        uint32_t length;
        uint32_t hash;
        int32_t top;
    };
    uint32_t HashOf(size_t start, uint32_t length) const;
    bool Equal(const Name& name, size_t start, uint32_t length) const;
    int32_t Probe(uint32_t hash, size_t start, uint32_t length, size_t* slot) const;
    void Grow();

    const XmlChar* text_;
    bool ignoreCase_;
    uint32_t seed_;
    std::vector<Name> names_;
    std::vector<int32_t> slots_;
    int32_t lastId_ = -1;  // siblings mostly share a name: the last one interned
};

inline size_t FindChar(const XmlChar* t, size_t from, size_t end, XmlChar c) {
    if (from >= end) return end;
    size_t i = from;
    // Most searches end within a few units: look at those one by one first.
    for (size_t stop = end - i > 8 ? i + 8 : end; i < stop; ++i)
        if (t[i] == c) return i;
#ifdef SKINXML_SSE2
    const __m128i pattern = _mm_set1_epi16(static_cast<short>(c));
    for (; i + 8 <= end; i += 8) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(v, pattern));
        if (mask) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
    }
#else
    // Four units at a time: a lane equal to c becomes zero after the xor.
    const uint64_t pattern = 0x0001000100010001ull * c;
    while (i + 4 <= end) {
        uint64_t w;
        std::memcpy(&w, t + i, 8);
        uint64_t x = w ^ pattern;
        if ((x - 0x0001000100010001ull) & ~x & 0x8000800080008000ull) break;
        i += 4;
    }
#endif
    for (; i < end; ++i)
        if (t[i] == c) return i;
    return end;
}

inline size_t FindTagStop(const XmlChar* t, size_t from, size_t end) {
    if (from >= end) return end;
    size_t i = from;
#ifdef SKINXML_SSE2
    const __m128i gt = _mm_set1_epi16('>'), dq = _mm_set1_epi16('"'), sq = _mm_set1_epi16('\'');
    for (; i + 8 <= end; i += 8) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        __m128i hit =
            _mm_or_si128(_mm_cmpeq_epi16(v, gt), _mm_or_si128(_mm_cmpeq_epi16(v, dq), _mm_cmpeq_epi16(v, sq)));
        int mask = _mm_movemask_epi8(hit);
        if (mask) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
    }
#endif
    for (; i < end; ++i)
        if (t[i] == '>' || t[i] == '"' || t[i] == '\'') return i;
    return end;
}

}  // namespace skinxml
