#include "device/cf_value_text.h"

#include <windows.h>

#include <cstring>
#include <vector>

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
    return std::wstring(reinterpret_cast<const wchar_t*>(chars), n);
  }
  std::vector<UniChar> buffer(n + 1, 0);
  cf.CFStringGetCharacters(s, CFRange{0, length}, buffer.data());
  return std::wstring(reinterpret_cast<const wchar_t*>(buffer.data()), n);
}

std::wstring XmlText(CFTypeRef dict) {
  const CoreFoundationTable& cf = CoreFoundation();
  CFDataRef data = cf.CFPropertyListCreateXMLData(nullptr, dict);
  if (!data) return {};
  std::wstring text;
  CFIndex length = cf.CFDataGetLength(data);
  if (length > 0 && length <= kMaxXmlBytes) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    cf.CFDataGetBytes(data, CFRange{0, length}, bytes.data());
    int units = MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data()),
                                    static_cast<int>(length), nullptr, 0);
    if (units > 0) {
      text.resize(static_cast<std::size_t>(units));
      MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(length),
                          text.data(), units);
    }
  }
  cf.CFRelease(data);  // made for us: ours to release
  return text;
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
    case 1: { std::int8_t v; std::memcpy(&v, buffer, 1); value = v; break; }
    case 2: { std::int16_t v; std::memcpy(&v, buffer, 2); value = v; break; }
    case 3: { std::int32_t v; std::memcpy(&v, buffer, 4); value = v; break; }
    default: { std::int64_t v; std::memcpy(&v, buffer, 8); value = v; break; }
  }
  return std::to_wstring(value);
}

}  // namespace

std::wstring CFValueToText(CFTypeRef value) {
  if (!value) return {};
  const CoreFoundationTable& cf = CoreFoundation();
  switch (cf.CFGetTypeID(value)) {
    case kCFStringTypeID: return StringText(value);
    case kCFDictionaryTypeID: return XmlText(value);
    case kCFBooleanTypeID: return cf.CFBooleanGetValue(value) ? L"是" : L"否";
    case kCFNumberTypeID: return NumberText(value);
    default: return {};
  }
}

}  // namespace apple
