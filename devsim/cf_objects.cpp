#include "devsim/cf_objects.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <mutex>
#include <unordered_set>

#include "common/utf.h"

namespace devsim::cf {
namespace {

constexpr std::uint32_t kLiveMagic = 0xCF0B1EC7;
constexpr std::uint32_t kDeadMagic = 0xDEADCF00;

struct Registry {
    std::mutex mu;
    std::unordered_set<const Object*> known;  // every object ever made (dead ones too)
    std::int64_t live = 0;
    std::map<std::string, String*> constants;
};

Registry& Reg() {
    static Registry* r = new Registry;  // lives until the process ends
    return *r;
}

[[noreturn]] void Fail(const char* caller, const char* what) {
    std::fprintf(stderr, "devsim CoreFoundation: %s: %s\n", caller, what);
    std::fflush(stderr);
    std::abort();
}

void AppendEscaped(std::string& out, const std::string& text) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
}

void AppendBase64(std::string& out, const std::vector<std::uint8_t>& bytes) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        std::uint32_t v = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
        for (int s = 18; s >= 0; s -= 6) out += kAlphabet[(v >> s) & 63];
    }
    if (i < bytes.size()) {
        std::uint32_t v = bytes[i] << 16;
        if (i + 1 < bytes.size()) v |= bytes[i + 1] << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
}

void Render(std::string& out, const Object* o, int depth) {
    std::string indent(static_cast<std::size_t>(depth), '\t');
    out += indent;
    switch (o->type) {
        case kStringType:
            out += "<string>";
            AppendEscaped(out, text::Utf16ToUtf8(static_cast<const String*>(o)->chars));
            out += "</string>\n";
            break;
        case kBooleanType:
            out += static_cast<const Boolean*>(o)->value ? "<true/>\n" : "<false/>\n";
            break;
        case kNumberType: {
            const auto* n = static_cast<const Number*>(o);
            char buf[64];
            if (n->isFloat) {
                std::snprintf(buf, sizeof buf, "<real>%.17g</real>\n", n->d);
            } else if (n->numberType == kSInt128) {
                std::snprintf(buf, sizeof buf, "<integer>%llu</integer>\n", static_cast<unsigned long long>(n->i));
            } else {
                std::snprintf(buf, sizeof buf, "<integer>%lld</integer>\n", static_cast<long long>(n->i));
            }
            out += buf;
            break;
        }
        case kDataType:
            out += "<data>";
            AppendBase64(out, static_cast<const Data*>(o)->bytes);
            out += "</data>\n";
            break;
        case kArrayType: {
            const auto* a = static_cast<const Array*>(o);
            out += "<array>\n";
            for (const Object* item : a->items) Render(out, item, depth + 1);
            out += indent + "</array>\n";
            break;
        }
        case kDictionaryType: {
            const auto* d = static_cast<const Dictionary*>(o);
            out += "<dict>\n";
            for (const auto& [key, value] : d->entries) {
                out += indent + "\t<key>";
                if (key->type == kStringType)
                    AppendEscaped(out, text::Utf16ToUtf8(static_cast<const String*>(key)->chars));
                out += "</key>\n";
                Render(out, value, depth + 1);
            }
            out += indent + "</dict>\n";
            break;
        }
        default:
            out += "<string></string>\n";
    }
}

}  // namespace

void Array::DropPayload() {
    std::vector<Object*> items_;
    items_.swap(items);
    for (Object* item : items_) Release(item);
}

void Dictionary::DropPayload() {
    std::vector<std::pair<Object*, Object*>> entries_;
    entries_.swap(entries);
    for (auto& [key, value] : entries_) {
        Release(key);
        Release(value);
    }
}

Object* RegisterObject(Object* object) {
    Registry& r = Reg();
    std::lock_guard<std::mutex> lock(r.mu);
    object->magic = kLiveMagic;
    r.known.insert(object);
    ++r.live;
    return object;
}

Object* Checked(const void* ref, const char* caller) {
    if (!ref) Fail(caller, "null object");
    Registry& r = Reg();
    {
        std::lock_guard<std::mutex> lock(r.mu);
        if (r.known.count(static_cast<const Object*>(ref)) == 0) Fail(caller, "not a CoreFoundation object");
    }
    auto* o = const_cast<Object*>(static_cast<const Object*>(ref));
    if (o->magic != kLiveMagic) Fail(caller, "object used after its last release");
    return o;
}

void Retain(Object* object) {
    if (!object->immortal) object->refs.fetch_add(1);
}

void Release(Object* object) {
    if (object->immortal) return;
    std::int64_t left = object->refs.fetch_sub(1) - 1;
    if (left < 0) Fail("CFRelease", "released more often than retained");
    if (left > 0) return;
    object->DropPayload();
    object->magic = kDeadMagic;
    Registry& r = Reg();
    std::lock_guard<std::mutex> lock(r.mu);
    --r.live;
}

std::int64_t RetainCount(const Object* object) { return object->refs.load(); }

std::int64_t LiveObjectCount() {
    Registry& r = Reg();
    std::lock_guard<std::mutex> lock(r.mu);
    return r.live;
}

String* MakeString(std::u16string chars, bool directPointer) {
    auto* s = new String;
    s->chars = std::move(chars);
    s->directPointer = directPointer;
    return Register(s);
}

String* ConstantString(const std::string& ascii) {
    Registry& r = Reg();
    {
        std::lock_guard<std::mutex> lock(r.mu);
        auto it = r.constants.find(ascii);
        if (it != r.constants.end()) return it->second;
    }
    String* s = MakeString(text::Utf8ToUtf16(ascii), true);
    s->immortal = true;
    std::lock_guard<std::mutex> lock(r.mu);
    auto [it, inserted] = r.constants.emplace(ascii, s);
    return it->second;  // a racing twin stays alive unused, like any immortal constant
}

Data* MakeData(const std::uint8_t* bytes, std::size_t length) {
    auto* d = new Data;
    if (length) d->bytes.assign(bytes, bytes + length);
    return Register(d);
}

Number* MakeInteger(std::int64_t value, std::int64_t numberType) {
    auto* n = new Number;
    n->numberType = numberType;
    n->i = value;
    n->d = static_cast<double>(value);
    return Register(n);
}

// Unsigned 64-bit values are kept as 128-bit integers, as CoreFoundation does,
// so they never read as one of the signed types.
Number* MakeUnsigned64(std::uint64_t value) {
    auto* n = new Number;
    n->numberType = kSInt128;
    n->i = static_cast<std::int64_t>(value);
    n->d = static_cast<double>(value);
    return Register(n);
}

Number* MakeFloat(double value, std::int64_t numberType) {
    auto* n = new Number;
    n->numberType = numberType;
    n->isFloat = true;
    n->d = value;
    n->i = static_cast<std::int64_t>(value);
    return Register(n);
}

Boolean* True() {
    static Boolean* t = [] {
        auto* b = Register(new Boolean(true));
        b->immortal = true;
        return b;
    }();
    return t;
}

Boolean* False() {
    static Boolean* f = [] {
        auto* b = Register(new Boolean(false));
        b->immortal = true;
        return b;
    }();
    return f;
}

Array* MakeArray(const std::vector<Object*>& items) {
    auto* a = new Array;
    a->items = items;
    for (Object* item : items) Retain(item);
    return Register(a);
}

Dictionary* MakeDictionary(const std::vector<std::pair<Object*, Object*>>& entries) {
    auto* d = new Dictionary;
    d->entries = entries;
    for (auto& [key, value] : entries) {
        Retain(key);
        Retain(value);
    }
    return Register(d);
}

namespace {

// Size and kind of each CFNumber type: {bytes, isFloat}; {0,false} = unknown.
std::pair<int, bool> NumberLayout(std::int64_t t) {
    switch (t) {
        case kSInt8:
        case kChar:
            return {1, false};
        case kSInt16:
        case kShort:
            return {2, false};
        case kSInt32:
        case kInt:
            return {4, false};
        case kSInt64:
        case kLong:
        case kLongLong:
        case kCFIndex:
            return {8, false};
        case kFloat32:
        case kFloat:
            return {4, true};
        case kFloat64:
        case kDouble:
            return {8, true};
        case kSInt128:
            return {16, false};
        default:
            return {0, false};
    }
}

}  // namespace

std::int64_t NumberByteSize(const Number& n) { return NumberLayout(n.numberType).first; }

bool NumberGetValue(const Number& n, std::int64_t numberType, void* out) {
    auto [size, isFloat] = NumberLayout(numberType);
    if (size == 0 || !out) return false;
    if (isFloat) {
        double v = n.isFloat ? n.d : static_cast<double>(n.i);
        if (size == 4) {
            float f = static_cast<float>(v);
            std::memcpy(out, &f, 4);
            return static_cast<double>(f) == v;
        }
        std::memcpy(out, &v, 8);
        return true;
    }
    if (size == 16) {
        std::int64_t lo = n.i;
        std::int64_t hi = (n.numberType != kSInt128 && n.i < 0) ? -1 : 0;
        std::memcpy(out, &lo, 8);
        std::memcpy(static_cast<char*>(out) + 8, &hi, 8);
        return !n.isFloat || std::trunc(n.d) == n.d;
    }
    std::int64_t v = n.i;
    bool exact = !(n.isFloat && std::trunc(n.d) != n.d);
    if (n.numberType == kSInt128 && v < 0) exact = false;  // above the signed range
    switch (size) {
        case 1: {
            auto x = static_cast<std::int8_t>(v);
            std::memcpy(out, &x, 1);
            return exact && x == v;
        }
        case 2: {
            auto x = static_cast<std::int16_t>(v);
            std::memcpy(out, &x, 2);
            return exact && x == v;
        }
        case 4: {
            auto x = static_cast<std::int32_t>(v);
            std::memcpy(out, &x, 4);
            return exact && x == v;
        }
        default:
            std::memcpy(out, &v, 8);
            return exact;
    }
}

Number* NumberFromValue(std::int64_t numberType, const void* value) {
    auto [size, isFloat] = NumberLayout(numberType);
    if (size == 0 || !value) return nullptr;
    if (isFloat) {
        if (size == 4) {
            float f;
            std::memcpy(&f, value, 4);
            return MakeFloat(f, numberType);
        }
        double d;
        std::memcpy(&d, value, 8);
        return MakeFloat(d, numberType);
    }
    switch (size) {
        case 1: {
            std::int8_t x;
            std::memcpy(&x, value, 1);
            return MakeInteger(x, numberType);
        }
        case 2: {
            std::int16_t x;
            std::memcpy(&x, value, 2);
            return MakeInteger(x, numberType);
        }
        case 4: {
            std::int32_t x;
            std::memcpy(&x, value, 4);
            return MakeInteger(x, numberType);
        }
        case 8: {
            std::int64_t x;
            std::memcpy(&x, value, 8);
            return MakeInteger(x, numberType);
        }
        default: {
            std::uint64_t lo;
            std::memcpy(&lo, value, 8);
            return MakeUnsigned64(lo);
        }
    }
}

std::string RenderXmlPlist(const Object* root) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
        "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n";
    Render(out, root, 0);
    out += "</plist>\n";
    return out;
}

}  // namespace devsim::cf
