// CSkinZipReader: reads the skin package, a ZIP archive held in memory.
//
// Stored (method 0) and deflated (method 8, zlib raw inflate) entries,
// traditional PKWARE encryption, archives with data in front of them.
// Every offset, size and count read from the archive is treated as hostile:
// reads never go past the source block, and ReadWholeEntry refuses entries
// larger than kMaxEntrySize or whose stated sizes or CRC do not match what
// the data yields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One entry of the central directory as GetEntry returns it.
struct SkinZipEntry {
    int32_t index = -1;       // for index -1: the number of entries
    wchar_t name[260] = {};   // sanitised name, UTF-16, zero-terminated
    uint32_t attributes = 0;  // Windows file attributes
    uint64_t accessTime = 0;  // FILETIME values (100 ns since 1601)
    uint64_t creationTime = 0;
    uint64_t modificationTime = 0;
    int32_t compressedSize = 0;
    int32_t uncompressedSize = 0;
};

enum class SkinZipResult {
    Complete,     // the entry's last byte was delivered
    More,         // the buffer is full and data remain
    BadPassword,  // the encryption check byte does not match
    Failed,       // decompression or read failure, or a bad argument
};

class CSkinZipReader {
public:
    // Entries stating more than this many uncompressed bytes are not read whole.
    static constexpr uint32_t kMaxEntrySize = 64u << 20;
    static constexpr size_t kBufferSize = 16384;

    // Opens the archive in [data, data + size), which must stay valid until
    // the reader is closed. `password` (may be nullptr) is copied.
    // Returns nullptr when no valid end of central directory is found.
    static std::unique_ptr<CSkinZipReader> OpenMemory(const void* data, size_t size, const char* password);

    ~CSkinZipReader();
    CSkinZipReader(const CSkinZipReader&) = delete;
    CSkinZipReader& operator=(const CSkinZipReader&) = delete;

    // Fills `entry` for `index` (-1: the entry count). On failure the record
    // keeps an empty name and zero sizes and the result is false.
    bool GetEntry(int index, SkinZipEntry* entry);

    // Delivers up to `length` further uncompressed bytes of entry `index`
    // into `buffer`, continuing the previous read of the same entry.
    // `delivered` (optional) receives the number of bytes written.
    SkinZipResult ReadEntry(int index, void* buffer, size_t length, size_t* delivered = nullptr);

    // Reads entry `index` completely into `out` (exactly its stated size).
    // False, with `out` empty, when the entry cannot be read completely: bad
    // password, inflate or read error, stated size above kMaxEntrySize or
    // disagreeing with the data, or CRC-32 mismatch.
    bool ReadWholeEntry(int index, std::vector<uint8_t>& out);

    // Writes entry `index` to the file `path` (UTF-16), creating its folders
    // and setting its modification time. The engine itself never extracts.
    // On any failure (the same checks as ReadWholeEntry) no file is left.
    bool ExtractEntry(int index, const std::wstring& path);

    // Closes any open entry; the reader can still be used afterwards.
    // Returns false when the closed entry was read to its end and its CRC-32
    // did not match.
    bool CloseEntry();

    // Closes any open entry and releases the buffers (the object stays valid
    // and every later call fails).
    void Close();

    int EntryCount() const { return static_cast<int>(entryCount_); }
    // Bytes of the source in front of the archive.
    size_t PrefixBytes() const { return prefix_; }

private:
    struct CentralRecord;
    struct OpenEntry;

    CSkinZipReader(const uint8_t* data, size_t size, const char* password);
    bool Open();
    bool ReadCentralRecord(uint64_t offset, CentralRecord& rec) const;
    bool SeekRecord(int index);
    bool CheckLocalHeader(const CentralRecord& rec, uint64_t* dataStart, uint64_t* localExtra,
                          uint32_t* localExtraLength) const;
    bool OpenEntryForReading(int index);
    bool Refill();
    SkinZipResult Pump(uint8_t* out, size_t length, size_t* delivered);
    bool EntryEndsHere();
    size_t ReadSource(uint64_t offset, void* out, size_t length) const;

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    bool closed_ = false;
    size_t prefix_ = 0;
    uint32_t entryCount_ = 0;
    uint64_t centralOffset_ = 0;  // absolute, prefix included
    uint64_t centralSize_ = 0;
    // Current central-directory record: its index and absolute offset.
    int currentIndex_ = -1;
    uint64_t currentOffset_ = 0;
    int firstCorruptIndex_ = -1;  // records from here on cannot be reached
    std::unique_ptr<CentralRecord> current_;
    // Cache of the entry last returned by GetEntry.
    int cachedIndex_ = -1;
    std::unique_ptr<SkinZipEntry> cached_;
    std::string password_;
    bool hasPassword_ = false;
    std::unique_ptr<OpenEntry> open_;
};
