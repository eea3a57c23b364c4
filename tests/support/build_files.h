// Files of the build tree for tests that run natively and under Wine, where
// the same tree is on drive Z:.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testing_support {

// The bytes of the file at a Unix path (empty when it cannot be read).
inline std::vector<uint8_t> ReadBuildFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::string windows = "Z:" + path;
        for (char& c : windows)
            if (c == '/') c = '\\';
        in.open(windows, std::ios::binary);
    }
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testing_support
