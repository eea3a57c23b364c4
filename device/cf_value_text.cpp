#include "device/cf_value_text.h"

#include <cstring>
#include <vector>

#include "common/utf.h"
#include "device/apple_libraries.h"

namespace apple {
namespace {

// Limits on lengths the library reports, so a broken value cannot make us
// allocate without bound.
constexpr CFIndex kMaxStringUnits = 1 << 24;
constexpr CFIndex kMaxXmlBytes = 1 << 26;

std::wstring StringText(CFStringRef s) {
    const CoreFoundationTable& cf = CoreFoundation();
    CFIndex length = cf.CFStringGetLength(s);
    if (length <= 0 || length > kMaxStringUnits) return {};
    auto n = static_cast<std::size_t>(length);
    if (const UniChar* chars = cf.CFStringGetCharactersPtr(s)) {
        return text::Utf16ToWide(std::u16string_view(chars, n));
    }
    std::vector<UniChar> buffer(n + 1, 0);
    cf.CFStringGetCharacters(s, CFRange{0, length}, buffer.data());
    return text::Utf16ToWide(std::u16string_view(buffer.data(), n));
}

std::wstring XmlText(CFTypeRef dict) {
    const CoreFoundationTable& cf = CoreFoundation();
    CFDataRef data = cf.CFPropertyListCreateXMLData(nullptr, dict);
    if (!data) return {};
    std::wstring xml;
    CFIndex length = cf.CFDataGetLength(data);
    if (length > 0 && length <= kMaxXmlBytes) {
        std::string bytes(static_cast<std::size_t>(length), '\0');
        cf.CFDataGetBytes(data, CFRange{0, length}, reinterpret_cast<std::uint8_t*>(bytes.data()));
        xml = text::Utf8ToWide(bytes);
    }
    cf.CFRelease(data);  // made for us: ours to release
    return xml;
}

std::wstring NumberText(CFNumberRef number) {
    const CoreFoundationTable& cf = CoreFoundation();
    CFNumberType type = cf.CFNumberGetType(number);
    if (type < 1 || type > 4) return {};
    // Large enough for any number type, so a value wider than its reported
    // byte size cannot overrun it.
    alignas(16) unsigned char buffer[32] = {};
    if (cf.CFNumberGetValue(number, type, buffer) != 1) return {};
    long long value = 0;
    switch (type) {
        case 1: {
            std::int8_t v;
            std::memcpy(&v, buffer, 1);
            value = v;
            break;
        }
        case 2: {
            std::int16_t v;
            std::memcpy(&v, buffer, 2);
            value = v;
            break;
        }
        case 3: {
            std::int32_t v;
            std::memcpy(&v, buffer, 4);
            value = v;
            break;
        }
        default: {
            std::int64_t v;
            std::memcpy(&v, buffer, 8);
            value = v;
            break;
        }
    }
    return std::to_wstring(value);
}

}  // namespace

std::wstring CFValueToText(CFTypeRef value) {
    if (!value) return {};
    const CoreFoundationTable& cf = CoreFoundation();
    switch (cf.CFGetTypeID(value)) {
        case kCFStringTypeID:
            return StringText(value);
        case kCFDictionaryTypeID:
            return XmlText(value);
        case kCFBooleanTypeID:
            return cf.CFBooleanGetValue(value) ? L"是" : L"否";
        case kCFNumberTypeID:
            return NumberText(value);
        default:
            return {};
    }
}

}  // namespace apple
