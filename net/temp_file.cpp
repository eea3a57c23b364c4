#include "net/temp_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#include <unistd.h>

#include "common/utf.h"
#endif

#ifdef _WIN32

std::wstring MakeTempFileName(const std::wstring& prefix) {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    wchar_t name[MAX_PATH] = {};
    // Unique number 0: the system picks a free name and creates the file.
    if (GetTempFileNameW(folder, prefix.c_str(), 0, name) == 0) return std::wstring();
    return name;
}

bool RemoveFile(const std::wstring& path) { return DeleteFileW(path.c_str()) != 0; }

bool TempFileWriter::Open(const std::wstring& path) {
    Close();
    file_ = _wfopen(path.c_str(), L"wb");
    Unbuffer();
    return file_ != nullptr;
}

#else  // POSIX: the same behaviour for native builds and tests.

using text::Utf8ToWide;
using text::WideToUtf8;

std::wstring MakeTempFileName(const std::wstring& prefix) {
    const char* env = std::getenv("TMPDIR");
    std::string folder = env && *env ? env : "/tmp";
    if (folder.back() != '/') folder += '/';
    std::string pattern = folder + WideToUtf8(prefix.substr(0, 3)) + "XXXXXX.tmp";
    const int fd = mkstemps(pattern.data(), 4);
    if (fd < 0) return std::wstring();
    close(fd);
    return Utf8ToWide(pattern);
}

bool RemoveFile(const std::wstring& path) { return std::remove(WideToUtf8(path).c_str()) == 0; }

bool TempFileWriter::Open(const std::wstring& path) {
    Close();
    file_ = std::fopen(WideToUtf8(path).c_str(), "wb");
    Unbuffer();
    return file_ != nullptr;
}

#endif

TempFileWriter::~TempFileWriter() { Close(); }

void TempFileWriter::Unbuffer() {
    // The download writes whole 256 KiB blocks: each goes to the system in one
    // call instead of being split around the library's small buffer.
    if (file_) std::setvbuf(file_, nullptr, _IONBF, 0);
}

bool TempFileWriter::Write(const char* data, std::size_t size) {
    return file_ && std::fwrite(data, 1, size, file_) == size;
}

bool TempFileWriter::Close() {
    if (!file_) return true;
    const bool flushed = std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return flushed && closed;
}
