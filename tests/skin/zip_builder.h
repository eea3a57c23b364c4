// Writes ZIP archives in memory for the tests, the fuzz seeds and the
// benchmarks: stored or deflated entries, optional traditional encryption,
// and the record offsets so that a test can damage any field afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ziptest {

struct Entry {
    std::string name;
    std::vector<uint8_t> data;
    uint16_t method = 8;   // 0 stored, 8 deflated
    std::string password;  // non-empty: encrypt with it
    bool dataDescriptor = false;
    uint16_t dosTime = 0x6000;  // 12:00:00
    uint16_t dosDate = 0x5A21;  // 2025-01-01
};

struct Archive {
    std::vector<uint8_t> bytes;
    std::vector<size_t> localOffsets;    // of each local header
    std::vector<size_t> centralOffsets;  // of each central record
    size_t endOffset = 0;                // of the end record
};

// Builds the archive; `prefix` bytes go in front, `comment` after the end record.
Archive Build(const std::vector<Entry>& entries, const std::vector<uint8_t>& prefix = {},
              const std::string& comment = std::string());

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data, int level = 6);
std::vector<uint8_t> Bytes(const std::string& text);
uint32_t Crc32(const std::vector<uint8_t>& data);

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v);
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v);
uint32_t Get32(const std::vector<uint8_t>& b, size_t at);

// Field offsets inside the records.
constexpr size_t kCentralMethod = 10, kCentralCrc = 16, kCentralCompressed = 20, kCentralUncompressed = 24,
                 kCentralLocalOffset = 42;
constexpr size_t kLocalMethod = 8, kLocalCrc = 14, kLocalCompressed = 18, kLocalUncompressed = 22,
                 kLocalNameLength = 26;
constexpr size_t kEndDisk = 4, kEndEntriesHere = 8, kEndEntriesTotal = 10, kEndCentralSize = 12, kEndCentralOffset = 16;

}  // namespace ziptest
