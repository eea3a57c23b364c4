#include "skin/xml/skin_xml_text.h"

#include <atomic>
#include <cstring>
#include <cwctype>

namespace skinxml {

XmlString DecodeUtf8(const uint8_t* in, size_t length, size_t maxUnits) {
    XmlString out;
    if (!in || length == 0) return out;
    out.resize(length < maxUnits ? length : maxUnits);
    out.resize(DecodeUtf8Into(in, length, &out[0], out.size()));
    return out;
}

size_t DecodeUtf8Into(const uint8_t* in, size_t length, XmlChar* o, size_t cap) {
    if (!in || !o) return 0;
    size_t n = 0;
    size_t i = 0;
    while (i < length && n < cap) {
        // Runs of ASCII without NUL, sixteen or eight bytes at a time.
#ifdef SKINXML_SSE2
        while (i + 16 <= length && n + 16 <= cap) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            if (_mm_movemask_epi8(v) | _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128()))) break;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + n), _mm_unpacklo_epi8(v, _mm_setzero_si128()));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + n + 8), _mm_unpackhi_epi8(v, _mm_setzero_si128()));
            n += 16;
            i += 16;
        }
#endif
        while (i + 8 <= length && n + 8 <= cap) {
            uint64_t w;
            std::memcpy(&w, in + i, 8);
            if ((w & 0x8080808080808080ull) || ((w - 0x0101010101010101ull) & ~w & 0x8080808080808080ull)) break;
            for (int k = 0; k < 8; ++k) o[n + k] = static_cast<XmlChar>(in[i + k]);
            n += 8;
            i += 8;
        }
        if (i >= length || n >= cap) break;
        uint8_t b = in[i];
        if (b < 0x80) {
            if (b == 0) break;
            o[n++] = static_cast<XmlChar>(b);
            ++i;
            continue;
        }
        // Any byte from 0x80 up starts a sequence; bit 6 is not examined.
        int follow;
        uint32_t cp;
        if ((b & 0x20) == 0) {
            follow = 1;
            cp = b & 0x1F;
        } else if ((b & 0x10) == 0) {
            follow = 2;
            cp = b & 0x0F;
        } else if ((b & 0x08) == 0) {
            follow = 3;
            cp = b & 0x07;
        } else {
            o[n++] = u'?';
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool valid = true;
        bool cut = false;
        for (int k = 0; k < follow; ++k, ++j) {
            if (j >= length) {
                cut = true;
                break;
            }
            if ((in[j] & 0x80) == 0) {
                valid = false;  // this byte starts the next character
                break;
            }
            cp = (cp << 6) | (in[j] & 0x3F);
        }
        if (cut) break;
        i = j;
        if (!valid || cp > 0x10FFFF) {
            o[n++] = u'?';
            continue;
        }
        if (cp == 0) break;
        if (cp >= 0x10000) {
            if (n + 2 > cap) break;
            cp -= 0x10000;
            o[n++] = static_cast<XmlChar>(0xD800 + (cp >> 10));
            o[n++] = static_cast<XmlChar>(0xDC00 + (cp & 0x3FF));
        } else {
            o[n++] = static_cast<XmlChar>(cp);
        }
    }
    return n;
}

std::wstring ToWide(const XmlChar* text, size_t length) {
    std::wstring out(length, L'\0');
    for (size_t i = 0; i < length; ++i) out[i] = static_cast<wchar_t>(text[i]);
    return out;
}

XmlString FromWide(const wchar_t* text, size_t length) {
    XmlString out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        uint32_t c = static_cast<uint32_t>(text[i]);
        if (c > 0xFFFF && c <= 0x10FFFF) {
            c -= 0x10000;
            out += static_cast<XmlChar>(0xD800 + (c >> 10));
            out += static_cast<XmlChar>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<XmlChar>(c > 0x10FFFF ? u'?' : c);
        }
    }
    return out;
}

namespace {

struct Entity {
    const XmlChar* name;
    size_t length;
    wchar_t character;
};
constexpr Entity kEntities[] = {
    {u"lt;", 3, L'<'}, {u"amp;", 4, L'&'}, {u"gt;", 3, L'>'}, {u"apos;", 5, L'\''}, {u"quot;", 5, L'"'},
};

int DigitValue(XmlChar c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::wstring DecodeAttributeValue(const XmlChar* v, size_t length) {
    std::wstring out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        XmlChar c = v[i];
        if (c != '&') {
            out += static_cast<wchar_t>(c);
            continue;
        }
        bool done = false;
        for (const Entity& e : kEntities) {
            if (i + 1 + e.length <= length && std::char_traits<XmlChar>::compare(v + i + 1, e.name, e.length) == 0) {
                out += e.character;
                i += e.length;
                done = true;
                break;
            }
        }
        if (done) continue;
        if (i + 1 < length && v[i + 1] == '#') {
            size_t limit = i + 9 < length ? i + 9 : length;
            size_t semi = i + 1;
            while (semi < limit && v[semi] != ';') ++semi;
            if (semi < limit) {
                size_t j = i + 2;
                int base = 10;
                if (j < semi && v[j] == 'x') {
                    base = 16;
                    ++j;
                }
                size_t digitsStart = j;
                uint32_t value = 0;
                for (int d; j < semi && (d = DigitValue(v[j], base)) >= 0; ++j)
                    value = (value * static_cast<uint32_t>(base) + static_cast<uint32_t>(d)) & 0xFFFF;
                if (j > digitsStart) {
                    out += static_cast<wchar_t>(value);
                    i = semi;
                    continue;
                }
            }
        }
        out += '&';
    }
    return out;
}

std::wstring FormatText(const wchar_t* format, std::initializer_list<FormatArg> args) {
    std::wstring out;
    auto next = args.begin();
    for (const wchar_t* p = format; *p; ++p) {
        if (p[0] == '%' && (p[1] == 's' || p[1] == 'd')) {
            if (next != args.end()) out += (next++)->text;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

namespace {
std::atomic<uint32_t> g_seedCounter{0x9E3779B9u};
}

NameTable::NameTable(const XmlChar* text, bool ignoreCase) : text_(text), ignoreCase_(ignoreCase) {
    uint32_t s = g_seedCounter.fetch_add(0x6D2B79F5u);
    uintptr_t a = reinterpret_cast<uintptr_t>(this);
    seed_ = s ^ static_cast<uint32_t>(a) ^ static_cast<uint32_t>(static_cast<uint64_t>(a) >> 32);
    slots_.assign(64, -1);
}

uint32_t NameTable::HashOf(size_t start, uint32_t length) const {
    uint32_t h = seed_ ^ 2166136261u;
    const XmlChar* s = text_ + start;
    for (uint32_t i = 0; i < length; ++i) {
        uint32_t c = static_cast<uint32_t>(ignoreCase_ ? std::towlower(static_cast<wint_t>(s[i])) : s[i]);
        h = (h ^ c) * 16777619u;
    }
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    return h;
}

bool NameTable::Equal(const Name& name, size_t start, uint32_t length) const {
    if (name.length != length) return false;
    const XmlChar* a = text_ + name.start;
    const XmlChar* b = text_ + start;
    for (uint32_t i = 0; i < length; ++i) {
        if (ignoreCase_ ? std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))
                        : a[i] != b[i])
            return false;
    }
    return true;
}

int32_t NameTable::Probe(uint32_t hash, size_t start, uint32_t length, size_t* slot) const {
    size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        int32_t id = slots_[i];
        if (id < 0) {
            *slot = i;
            return -1;
        }
        const Name& n = names_[static_cast<size_t>(id)];
        if (n.hash == hash && Equal(n, start, length)) {
            *slot = i;
            return id;
        }
    }
}

int32_t NameTable::Lookup(size_t start, uint32_t length) const {
    size_t slot;
    return Probe(HashOf(start, length), start, length, &slot);
}

uint32_t NameTable::Intern(size_t start, uint32_t length) {
    if (lastId_ >= 0 && Equal(names_[static_cast<size_t>(lastId_)], start, length))
        return static_cast<uint32_t>(lastId_);
    uint32_t hash = HashOf(start, length);
    size_t slot;
    int32_t id = Probe(hash, start, length, &slot);
    if (id >= 0) {
        lastId_ = id;
        return static_cast<uint32_t>(id);
    }
    id = static_cast<int32_t>(names_.size());
    lastId_ = id;
    names_.push_back(Name{start, length, hash, -1});
    slots_[slot] = id;
    if (names_.size() * 2 > slots_.size()) Grow();
    return static_cast<uint32_t>(id);
}

void NameTable::Grow() {
    std::vector<int32_t> old;
    old.swap(slots_);
    slots_.assign(old.size() * 2, -1);
    size_t mask = slots_.size() - 1;
    for (int32_t id : old) {
        if (id < 0) continue;
        size_t i = names_[static_cast<size_t>(id)].hash & mask;
        while (slots_[i] >= 0) i = (i + 1) & mask;
        slots_[i] = id;
    }
}

}  // namespace skinxml
