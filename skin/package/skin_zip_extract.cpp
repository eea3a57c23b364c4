// CSkinZipReader::ExtractEntry: an entry written to a file. Kept apart from
// the reader proper because it is the only part that touches the file
// system; the skin engine reads its package from memory only.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/utf.h"
#include "skin/package/skin_zip_reader.h"

namespace fs = std::filesystem;

namespace {

// A UTF-16 path (one unit per wchar_t) as a filesystem path.
fs::path PathOf(const std::wstring& units) {
#ifdef _WIN32
    return fs::path(units);
#else
    std::u16string utf16;
    utf16.reserve(units.size());
    for (wchar_t unit : units) utf16 += static_cast<char16_t>(unit);
    return fs::path(text::Utf16ToUtf8(utf16));
#endif
}

// FILETIME (100 ns since 1601) to the file system's clock, through the
// system clock (the two clocks' epochs differ and C++17 has no cast).
fs::file_time_type FileTimeOf(uint64_t fileTime) {
    constexpr uint64_t kUnixEpoch = 116444736000000000ull;
    auto sinceUnix = std::chrono::duration_cast<std::chrono::system_clock::duration>(
        std::chrono::duration<int64_t, std::ratio<1, 10000000>>(static_cast<int64_t>(fileTime - kUnixEpoch)));
    auto offset =
        fs::file_time_type::clock::now().time_since_epoch() -
        std::chrono::duration_cast<fs::file_time_type::duration>(std::chrono::system_clock::now().time_since_epoch());
    return fs::file_time_type(std::chrono::duration_cast<fs::file_time_type::duration>(sinceUnix) + offset);
}

}  // namespace

bool CSkinZipReader::ExtractEntry(int index, const std::wstring& path) {
    SkinZipEntry entry;
    if (path.empty() || !GetEntry(index, &entry)) return false;
    // Same refusals as a whole read, without holding the entry in memory.
    if (static_cast<uint32_t>(entry.uncompressedSize) > kMaxEntrySize) return false;
    fs::path target = PathOf(path);
    std::error_code error;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), error);
    bool ok = false;
    {
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        CloseEntry();
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[kBufferSize]);
        uint64_t written = 0;
        for (;;) {
            size_t got = 0;
            SkinZipResult r = ReadEntry(index, buffer.get(), kBufferSize, &got);
            out.write(reinterpret_cast<const char*>(buffer.get()), static_cast<std::streamsize>(got));
            written += got;
            if (r == SkinZipResult::More && got > 0) continue;
            ok = r == SkinZipResult::Complete && written == static_cast<uint32_t>(entry.uncompressedSize) &&
                 (open_ ? EntryEndsHere() && CloseEntry() : got == 0 && written == 0);
            break;
        }
        CloseEntry();
        out.flush();
        ok = ok && static_cast<bool>(out);
    }
    if (!ok) {
        fs::remove(target, error);
        return false;
    }
    fs::last_write_time(target, FileTimeOf(entry.modificationTime), error);
    return true;
}
