// The local package file, opened for reading and read block by block by the
// install's copy (Win32 file calls on Windows, POSIX elsewhere).
#pragma once

#include <cstddef>
#include <string>

#ifdef _WIN32
#include "common/win_handles.h"
#endif

class PackageFile {
public:
    PackageFile() = default;
    ~PackageFile();
    PackageFile(const PackageFile&) = delete;
    PackageFile& operator=(const PackageFile&) = delete;

    bool Open(const std::wstring& path);
    // Up to `length` bytes at the current position; `got` is 0 at the end.
    // False on a read error.
    bool Read(void* buffer, std::size_t length, std::size_t* got);

private:
#ifdef _WIN32
    win::ScopedFile file_;
#else
    int fd_ = -1;
#endif
};
