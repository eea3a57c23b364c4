// Exports of the simulated CoreFoundation.dll, a thin layer over cf_objects.
// Portable: natively the same functions are linked in directly.
#define DEVSIM_BUILDING_COREFOUNDATION
#include "devsim/cf_api.h"

#include <algorithm>
#include <string>
#include <type_traits>

#include "common/utf.h"
#include "devsim/cf_objects.h"
#include "devsim/host_fs.h"

namespace cf = devsim::cf;
using namespace apple;

// Every export has exactly the signature the installer's entry table expects.
#define DEVSIM_CHECK_SIGNATURE(name, result, params) \
    static_assert(std::is_same_v<decltype(&::name), apple::name##_fn>, #name);
TOVANE_COREFOUNDATION_ENTRIES(DEVSIM_CHECK_SIGNATURE)
#undef DEVSIM_CHECK_SIGNATURE

namespace {

const void* Ref(const cf::Object* o) { return o; }

cf::String* StringArg(CFStringRef s, const char* caller) { return cf::As<cf::String>(s, cf::kStringType, caller); }

cf::Data* DataArg(CFDataRef d, const char* caller) { return cf::As<cf::Data>(d, cf::kDataType, caller); }

cf::Number* NumberArg(CFNumberRef n, const char* caller) { return cf::As<cf::Number>(n, cf::kNumberType, caller); }

// Clamps a caller's range to [0, size].
bool ClampRange(CFRange range, std::size_t size, std::size_t* start, std::size_t* count) {
    if (range.location < 0 || range.length < 0) return false;
    auto loc = static_cast<std::uint64_t>(range.location);
    if (loc > size) return false;
    *start = static_cast<std::size_t>(loc);
    *count = static_cast<std::size_t>(std::min<std::uint64_t>(range.length, size - loc));
    return true;
}

std::string HostPath(const std::u16string& path) { return text::Utf16ToUtf8(path); }

std::string HostPath(const cf::Url* url) { return url ? HostPath(url->path) : std::string(); }

// Files read through a URL are property lists and the like: a bound keeps a
// huge file from being pulled into memory.
constexpr std::size_t kMaxResourceBytes = 64u << 20;

bool WriteWhole(const std::string& path, const void* bytes, std::size_t length, bool append) {
    devsim::host::File f;
    unsigned flags = devsim::host::File::kWrite | devsim::host::File::kCreate;
    if (!append) flags |= devsim::host::File::kTruncate;
    if (path.empty() || !f.Open(path, flags)) return false;
    std::uint64_t at = 0;
    if (append && !f.Size(&at)) return false;
    return length == 0 || f.WriteAt(at, bytes, length);
}

}  // namespace

CFWriteStreamRef CFWriteStreamCreateWithFile(CFAllocatorRef, CFURLRef url) {
    auto* u = cf::As<cf::Url>(url, cf::kURLType, "CFWriteStreamCreateWithFile");
    if (!u) return nullptr;
    auto* s = cf::Register(new cf::Stream(cf::kWriteStreamType));
    s->path = u->path;
    return s;
}

CFReadStreamRef CFReadStreamCreateWithFile(CFAllocatorRef, CFURLRef url) {
    auto* u = cf::As<cf::Url>(url, cf::kURLType, "CFReadStreamCreateWithFile");
    if (!u) return nullptr;
    auto* s = cf::Register(new cf::Stream(cf::kReadStreamType));
    s->path = u->path;
    return s;
}

CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* text, std::uint32_t) {
    if (!text) return nullptr;
    // A string made from 8-bit text has no UTF-16 buffer to hand out.
    return cf::MakeString(text::Utf8ToUtf16(text), false);
}

CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef, CFStringRef path, CFIndex, CFBoolean) {
    cf::String* s = StringArg(path, "CFURLCreateWithFileSystemPath");
    if (!s) return nullptr;
    auto* u = cf::Register(new cf::Url);
    u->path = s->chars;
    return u;
}

CFBoolean CFReadStreamOpen(CFReadStreamRef stream) {
    auto* s = cf::As<cf::Stream>(stream, cf::kReadStreamType, "CFReadStreamOpen");
    if (!s) return 0;
    s->open = devsim::host::Stat(HostPath(s->path)).kind != devsim::host::Kind::None;
    return s->open;
}

CFBoolean CFWriteStreamOpen(CFWriteStreamRef stream) {
    auto* s = cf::As<cf::Stream>(stream, cf::kWriteStreamType, "CFWriteStreamOpen");
    if (!s) return 0;
    s->open = WriteWhole(HostPath(s->path), nullptr, 0, false);
    return s->open;
}

// Reading property lists back is not simulated.
CFTypeRef CFPropertyListCreateFromStream(CFAllocatorRef, CFReadStreamRef, CFIndex, CFOptionFlags, CFIndex*,
                                         CFStringRef* error) {
    if (error) *error = nullptr;
    return nullptr;
}

void CFReadStreamClose(CFReadStreamRef stream) {
    if (auto* s = cf::As<cf::Stream>(stream, cf::kReadStreamType, "CFReadStreamClose")) s->open = false;
}

CFBoolean CFPropertyListIsValid(CFTypeRef plist, CFIndex) {
    if (!plist) return 0;
    auto t = cf::Checked(plist, "CFPropertyListIsValid")->type;
    return t == cf::kStringType || t == cf::kDataType || t == cf::kNumberType || t == cf::kBooleanType ||
           t == cf::kArrayType || t == cf::kDictionaryType;
}

CFIndex CFPropertyListWriteToStream(CFTypeRef plist, CFWriteStreamRef stream, CFIndex, CFStringRef* error) {
    if (error) *error = nullptr;
    auto* s = cf::As<cf::Stream>(stream, cf::kWriteStreamType, "CFPropertyListWriteToStream");
    if (!s || !s->open || !plist) return 0;
    std::string xml = cf::RenderXmlPlist(cf::Checked(plist, "CFPropertyListWriteToStream"));
    if (!WriteWhole(HostPath(s->path), xml.data(), xml.size(), true)) return 0;
    return static_cast<CFIndex>(xml.size());
}

void CFWriteStreamClose(CFWriteStreamRef stream) {
    if (auto* s = cf::As<cf::Stream>(stream, cf::kWriteStreamType, "CFWriteStreamClose")) s->open = false;
}

void CFRelease(CFTypeRef object) { cf::Release(cf::Checked(object, "CFRelease")); }

CFBoolean CFURLCreateDataAndPropertiesFromResource(CFAllocatorRef, CFURLRef url, CFDataRef* data,
                                                   CFDictionaryRef* properties, CFArrayRef, std::int32_t* error) {
    if (properties) *properties = nullptr;
    if (data) *data = nullptr;
    std::string path = HostPath(cf::As<cf::Url>(url, cf::kURLType, "CFURLCreateDataAndPropertiesFromResource"));
    std::string bytes;
    if (path.empty() || !devsim::host::ReadWholeFile(path, &bytes, kMaxResourceBytes)) {
        if (error) *error = -10;
        return 0;
    }
    if (data) *data = cf::MakeData(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (error) *error = 0;
    return 1;
}

CFTypeRef CFPropertyListCreateFromXMLData(CFAllocatorRef, CFDataRef, CFOptionFlags, CFStringRef* error) {
    if (error) *error = nullptr;
    return nullptr;
}

CFDataRef CFPropertyListCreateXMLData(CFAllocatorRef, CFTypeRef plist) {
    if (!plist) return nullptr;
    std::string xml = cf::RenderXmlPlist(cf::Checked(plist, "CFPropertyListCreateXMLData"));
    return cf::MakeData(reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size());
}

CFBoolean CFURLWriteDataAndPropertiesToResource(CFURLRef url, CFDataRef data, CFDictionaryRef, std::int32_t* error) {
    std::string path = HostPath(cf::As<cf::Url>(url, cf::kURLType, "CFURLWriteDataAndPropertiesToResource"));
    cf::Data* d = data ? DataArg(data, "CFURLWriteDataAndPropertiesToResource") : nullptr;
    bool ok = WriteWhole(path, d ? d->bytes.data() : nullptr, d ? d->bytes.size() : 0, false);
    if (error) *error = ok ? 0 : -10;
    return ok;
}

CFStringRef __CFStringMakeConstantString(const char* text) { return text ? cf::ConstantString(text) : nullptr; }

const UniChar* CFStringGetCharactersPtr(CFStringRef string) {
    cf::String* s = StringArg(string, "CFStringGetCharactersPtr");
    if (!s || !s->directPointer) return nullptr;
    return s->chars.c_str();
}

CFDataRef CFDataCreate(CFAllocatorRef, const std::uint8_t* bytes, CFIndex length) {
    if (length < 0 || (!bytes && length > 0)) return nullptr;
    return cf::MakeData(bytes, static_cast<std::size_t>(length));
}

const std::uint8_t* CFDataGetBytePtr(CFDataRef data) {
    cf::Data* d = DataArg(data, "CFDataGetBytePtr");
    return d ? d->bytes.data() : nullptr;
}

CFTypeID CFGetTypeID(CFTypeRef object) { return cf::Checked(object, "CFGetTypeID")->type; }
CFTypeID CFStringGetTypeID() { return cf::kStringType; }
CFTypeID CFDictionaryGetTypeID() { return cf::kDictionaryType; }
CFTypeID CFBooleanGetTypeID() { return cf::kBooleanType; }
CFTypeID CFNumberGetTypeID() { return cf::kNumberType; }
CFTypeID CFDataGetTypeID() { return cf::kDataType; }
CFTypeID CFArrayGetTypeID() { return cf::kArrayType; }
CFTypeID CFURLGetTypeID() { return cf::kURLType; }

CFIndex CFStringGetLength(CFStringRef string) {
    cf::String* s = StringArg(string, "CFStringGetLength");
    return s ? static_cast<CFIndex>(s->chars.size()) : 0;
}

void CFStringGetCharacters(CFStringRef string, CFRange range, UniChar* buffer) {
    cf::String* s = StringArg(string, "CFStringGetCharacters");
    std::size_t start = 0, count = 0;
    if (!s || !buffer || !ClampRange(range, s->chars.size(), &start, &count)) return;
    std::copy_n(s->chars.begin() + static_cast<std::ptrdiff_t>(start), count, buffer);
}

CFIndex CFNumberGetByteSize(CFNumberRef number) {
    cf::Number* n = NumberArg(number, "CFNumberGetByteSize");
    return n ? cf::NumberByteSize(*n) : 0;
}

CFNumberType CFNumberGetType(CFNumberRef number) {
    cf::Number* n = NumberArg(number, "CFNumberGetType");
    return n ? n->numberType : 0;
}

CFBoolean CFNumberGetValue(CFNumberRef number, CFNumberType type, void* value) {
    cf::Number* n = NumberArg(number, "CFNumberGetValue");
    return n && cf::NumberGetValue(*n, type, value) ? 1 : 0;
}

CFBoolean CFBooleanGetValue(CFBooleanRef boolean) {
    auto* b = cf::As<cf::Boolean>(boolean, cf::kBooleanType, "CFBooleanGetValue");
    return b && b->value ? 1 : 0;
}

CFArrayRef CFArrayCreate(CFAllocatorRef, const void** values, CFIndex count, const void*) {
    if (count < 0 || (!values && count > 0)) return nullptr;
    std::vector<cf::Object*> items;
    for (CFIndex i = 0; i < count; ++i) items.push_back(cf::Checked(values[i], "CFArrayCreate"));
    return cf::MakeArray(items);
}

CFIndex CFArrayGetCount(CFArrayRef array) {
    auto* a = cf::As<cf::Array>(array, cf::kArrayType, "CFArrayGetCount");
    return a ? static_cast<CFIndex>(a->items.size()) : 0;
}

const void* CFArrayGetValueAtIndex(CFArrayRef array, CFIndex index) {
    auto* a = cf::As<cf::Array>(array, cf::kArrayType, "CFArrayGetValueAtIndex");
    if (!a || index < 0 || static_cast<std::uint64_t>(index) >= a->items.size()) return nullptr;
    return Ref(a->items[static_cast<std::size_t>(index)]);
}

CFIndex CFDataGetLength(CFDataRef data) {
    cf::Data* d = DataArg(data, "CFDataGetLength");
    return d ? static_cast<CFIndex>(d->bytes.size()) : 0;
}

void CFDataGetBytes(CFDataRef data, CFRange range, std::uint8_t* buffer) {
    cf::Data* d = DataArg(data, "CFDataGetBytes");
    std::size_t start = 0, count = 0;
    if (!d || !buffer || !ClampRange(range, d->bytes.size(), &start, &count)) return;
    std::copy_n(d->bytes.begin() + static_cast<std::ptrdiff_t>(start), count, buffer);
}

// ---- beyond the installer's table ----

CFTypeRef CFRetain(CFTypeRef object) {
    cf::Retain(cf::Checked(object, "CFRetain"));
    return object;
}

CFIndex CFGetRetainCount(CFTypeRef object) { return cf::RetainCount(cf::Checked(object, "CFGetRetainCount")); }

CFStringRef CFStringCreateWithCharacters(CFAllocatorRef, const UniChar* chars, CFIndex length) {
    if (length < 0 || (!chars && length > 0)) return nullptr;
    return cf::MakeString(std::u16string(chars, chars + length), true);
}

CFNumberRef CFNumberCreate(CFAllocatorRef, CFNumberType type, const void* value) {
    return cf::NumberFromValue(type, value);
}

CFDictionaryRef CFDictionaryCreate(CFAllocatorRef, const void** keys, const void** values, CFIndex count, const void*,
                                   const void*) {
    if (count < 0 || (count > 0 && (!keys || !values))) return nullptr;
    std::vector<std::pair<cf::Object*, cf::Object*>> entries;
    for (CFIndex i = 0; i < count; ++i) {
        entries.emplace_back(cf::Checked(keys[i], "CFDictionaryCreate"), cf::Checked(values[i], "CFDictionaryCreate"));
    }
    return cf::MakeDictionary(entries);
}

CFIndex CFDictionaryGetCount(CFDictionaryRef dict) {
    auto* d = cf::As<cf::Dictionary>(dict, cf::kDictionaryType, "CFDictionaryGetCount");
    return d ? static_cast<CFIndex>(d->entries.size()) : 0;
}

const void* CFDictionaryGetValue(CFDictionaryRef dict, const void* key) {
    auto* d = cf::As<cf::Dictionary>(dict, cf::kDictionaryType, "CFDictionaryGetValue");
    cf::String* k = key ? StringArg(key, "CFDictionaryGetValue") : nullptr;
    if (!d || !k) return nullptr;
    for (const auto& [ek, ev] : d->entries) {
        if (ek->type == cf::kStringType && static_cast<cf::String*>(ek)->chars == k->chars) return ev;
    }
    return nullptr;
}

const CFBooleanRef kCFBooleanTrue = cf::True();
const CFBooleanRef kCFBooleanFalse = cf::False();

std::int64_t DevsimLiveObjectCount() { return cf::LiveObjectCount(); }
