// Arbitrary bytes through the text conversions: the output is always
// well-formed, and converting it again changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string utf16 = text::Utf8ToUtf16(bytes);
    const std::string utf8 = text::Utf16ToUtf8(utf16);
    if (text::Utf8ToUtf16(utf8) != utf16) std::abort();
    if (text::WideToUtf8(text::Utf8ToWide(utf8)) != utf8) std::abort();

    // The same bytes read as UTF-16 units.
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string fromUnits = text::Utf16ToUtf8(units);
    if (text::Utf16ToUtf8(text::Utf8ToUtf16(fromUnits)) != fromUnits) std::abort();
    return 0;
}
