// Conversions between UTF-8, UTF-16 and the platform's wide strings (UTF-16
// on Windows, UTF-32 elsewhere). Malformed input never fails a conversion:
// each byte or unit that does not belong to a well-formed sequence becomes
// U+FFFD, so hostile text from files, devices or the network stays text.
#pragma once

#include <string>
#include <string_view>

namespace text {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// UTF-16 units as a wide string and back (a copy on Windows).
std::wstring Utf16ToWide(std::u16string_view utf16);
std::u16string WideToUtf16(std::wstring_view wide);

}  // namespace text
