// The few host file-system operations the simulator needs, over Win32 on
// Windows and POSIX elsewhere. Paths are UTF-8 with "/" separators.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
#include "common/win_handles.h"
#endif

namespace devsim::host {

enum class Kind { None, File, Directory, Other };

struct Info {
    Kind kind = Kind::None;
    bool isLink = false;  // the name itself is a symbolic link or reparse point
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;
};

// Information on the name itself (a link is not followed).
Info Stat(const std::string& path);
// The fully resolved path of an existing name, links followed; false when it
// cannot be resolved (missing, dangling link).
bool Canonical(const std::string& path, std::string* out);
bool MakeDir(const std::string& path);
bool RemoveFile(const std::string& path);
bool RemoveDir(const std::string& path);
// Replaces an existing target file when `replace` is set; fails otherwise.
bool Rename(const std::string& from, const std::string& to, bool replace);
// Names in the directory without "." and ".."; false when it cannot be listed.
bool ListDir(const std::string& path, std::vector<std::string>* names);
bool ReadWholeFile(const std::string& path, std::string* out, std::size_t limit);

// An open host file, closed when the object goes.
class File {
public:
    // kCreateNew: create, failing when the name exists in any form (a link
    // to nowhere included, which is never followed).
    enum Flags : unsigned { kRead = 1, kWrite = 2, kCreate = 4, kTruncate = 8, kMustExist = 16, kCreateNew = 32 };
    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    ~File();

    bool Open(const std::string& path, unsigned flags);
    bool IsOpen() const;
    void Close();
    // Positional transfers; the file has no position callers can rely on
    // (one thread uses a File at a time).
    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t length, std::size_t* done);
    bool WriteAt(std::uint64_t offset, const void* buffer, std::size_t length);
    bool Size(std::uint64_t* size);

private:
#ifdef _WIN32
    win::ScopedFile handle_;
#else
    int fd_ = -1;
#endif
};

// An environment variable as UTF-8; empty when unset.
std::string GetEnv(const char* name);

// True when `path` equals `root` or lies below it (both canonical).
bool IsInside(const std::string& root, const std::string& path);

}  // namespace devsim::host
