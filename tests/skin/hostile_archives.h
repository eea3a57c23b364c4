// The hostile-archive corpus: named damaged or malicious archives, each
// with the exact outcome the package reader must give. The ZIP reader test
// checks every case; the corpus tool writes them out as fuzz seeds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ziptest {

struct HostileCase {
    const char* name;
    std::vector<uint8_t> (*make)();
    const char* password;  // given to OpenMemory (nullptr: none)
    bool opens;            // OpenMemory succeeds
    int count;             // entry count reported (when it opens)
    const char* readable;  // per entry: '1' when ReadWholeEntry succeeds
};

const std::vector<HostileCase>& HostileCases();

// A small valid package: an XML entry, a folder, a PNG and a BMP file.
std::vector<uint8_t> SmallValidPackage();

}  // namespace ziptest
