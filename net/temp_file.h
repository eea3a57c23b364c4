// Temporary files that receive downloads, and the file writer used for them.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Full path of a new, empty, uniquely named file in the user's temporary
// folder; empty when none could be created. As on Windows, only the first
// three characters of the prefix are used.
std::wstring MakeTempFileName(const std::wstring& prefix);

// Deletes the file; false when it could not be deleted.
bool RemoveFile(const std::wstring& path);

// A file opened for writing (truncated), closed by its destructor.
class TempFileWriter {
public:
    TempFileWriter() = default;
    ~TempFileWriter();
    TempFileWriter(const TempFileWriter&) = delete;
    TempFileWriter& operator=(const TempFileWriter&) = delete;

    bool Open(const std::wstring& path);
    // False when not all bytes could be written (disk full, quota, I/O error).
    bool Write(const char* data, std::size_t size);
    // Flushes and closes; false when buffered bytes could not be written.
    bool Close();

private:
    void Unbuffer();
    std::FILE* file_ = nullptr;
};
