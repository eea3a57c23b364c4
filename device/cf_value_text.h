// Conversion of a CoreFoundation value, as the MobileDevice library returns
// it, into text for the user.
#pragma once

#include <string>

#include "device/apple_entry_points.h"

namespace apple {

// Strings as they are, dictionaries as XML property-list text, booleans as
// "是"/"否", signed integers of 8 to 64 bits in decimal; anything else (and a
// null value) gives empty text. Does not release `value`.
std::wstring CFValueToText(CFTypeRef value);

}  // namespace apple
