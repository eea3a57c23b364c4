// Text helpers of the skin XML reader: the tolerant UTF-8 decoder, the
// attribute-value decoder, message formatting and the tag-name table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace skinxml {

inline bool IsXmlSpace(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Tag names end at whitespace or one of < > = \ / ? !
inline bool IsNameEnd(wchar_t c) {
    return IsXmlSpace(c) || c == '<' || c == '>' || c == '=' || c == '\\' || c == '/' || c == '?' || c == '!';
}

// A start tag begins with A-Z, ':', '_' or any character from 'a' upwards.
inline bool IsNameStart(wchar_t c) {
    return (c >= 'A' && c <= 'Z') || static_cast<uint32_t>(c) >= 'a' || c == ':' || c == '_';
}

// Decodes UTF-8 into UTF-16 units the forgiving way the skin packages need:
// an invalid sequence becomes '?', a sequence cut by the end of the input
// ends the text, and so does a decoded NUL. At most `maxUnits` units.
std::wstring DecodeUtf8(const uint8_t* bytes, size_t length, size_t maxUnits);

// Resolves &lt; &amp; &gt; &apos; &quot; and numeric character references
// (&#65; &#x41;, cut to 16 bits) in an attribute value; any other '&'
// stays as it is.
std::wstring DecodeAttributeValue(const wchar_t* value, size_t length);

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
    NameTable(const wchar_t* text, bool ignoreCase);
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

    const wchar_t* text_;
    bool ignoreCase_;
    uint32_t seed_;
    std::vector<Name> names_;
    std::vector<int32_t> slots_;
};

}  // namespace skinxml
