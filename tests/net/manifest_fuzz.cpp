// Feeds arbitrary bytes to the manifest reader, which must never crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/update_query.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UpdateInfo info;
    ParseUpdateManifest(std::string(reinterpret_cast<const char*>(data), size), info);
    return 0;
}
