#include "devsim/host_fs.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "common/utf.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace devsim::host {

#ifdef _WIN32
namespace {

std::wstring Wide(const std::string& path) {
    std::wstring w = text::Utf8ToWide(path);
    std::replace(w.begin(), w.end(), L'/', L'\\');
    return w;
}

std::string Narrow(const std::wstring& w) {
    std::string s = text::WideToUtf8(w);
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

}  // namespace

Info Stat(const std::string& path) {
    Info info;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) {
        // A name that is listed but has no attributes is a link to nowhere (as
        // a compatibility layer shows a dangling host link): report it as a link.
        WIN32_FIND_DATAW fd;
        win::ScopedFind found(FindFirstFileW(Wide(path).c_str(), &fd));
        if (found) {
            info.kind = Kind::Other;
            info.isLink = true;
        }
        return info;
    }
    info.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    info.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Directory : Kind::File;
    info.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    std::uint64_t t =
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    info.mtimeNs = static_cast<std::int64_t>((t - 116444736000000000ULL) * 100);
    return info;
}

bool Canonical(const std::string& path, std::string* out) {
    win::ScopedFile h(CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h) return false;
    wchar_t buf[4096];
    DWORD n = GetFinalPathNameByHandleW(h.get(), buf, 4096, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0 || n >= 4096) return false;
    std::wstring w(buf, n);
    if (w.compare(0, 4, L"\\\\?\\") == 0) w.erase(0, 4);
    *out = Narrow(w);
    while (out->size() > 3 && out->back() == '/') out->pop_back();
    return true;
}

bool MakeDir(const std::string& path) { return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0; }
bool RemoveFile(const std::string& path) { return DeleteFileW(Wide(path).c_str()) != 0; }
bool RemoveDir(const std::string& path) { return RemoveDirectoryW(Wide(path).c_str()) != 0; }

bool Rename(const std::string& from, const std::string& to, bool replace) {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
}

bool ListDir(const std::string& path, std::vector<std::string>* names) {
    names->clear();
    WIN32_FIND_DATAW fd;
    win::ScopedFind h(FindFirstFileW((Wide(path) + L"\\*").c_str(), &fd));
    if (!h) return false;
    do {
        std::wstring n = fd.cFileName;
        if (n != L"." && n != L"..") names->push_back(Narrow(n));
    } while (FindNextFileW(h.get(), &fd));
    return true;
}

File::File(File&& other) noexcept = default;
File& File::operator=(File&& other) noexcept = default;
File::~File() = default;
bool File::IsOpen() const { return static_cast<bool>(handle_); }

bool File::Open(const std::string& path, unsigned flags) {
    Close();
    DWORD access = ((flags & kRead) ? GENERIC_READ : 0) | ((flags & kWrite) ? GENERIC_WRITE : 0);
    DWORD disposition = OPEN_EXISTING;
    if (flags & kCreateNew)
        disposition = CREATE_NEW;
    else if (flags & kCreate)
        disposition = (flags & kTruncate) ? CREATE_ALWAYS : OPEN_ALWAYS;
    else if (flags & kTruncate)
        disposition = TRUNCATE_EXISTING;
    handle_.reset(CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    return IsOpen();
}

void File::Close() { handle_.reset(); }

// Positioned by moving the file pointer first: an OVERLAPPED offset costs a
// round trip to the compatibility layer's server per call under Wine, which
// made every simulated write several times slower than the write itself.
bool File::ReadAt(std::uint64_t offset, void* buffer, std::size_t length, std::size_t* done) {
    *done = 0;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(handle_.get(), at, nullptr, FILE_BEGIN)) return false;
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(length, 1u << 30));
    if (!ReadFile(handle_.get(), buffer, want, &n, nullptr)) return GetLastError() == ERROR_HANDLE_EOF;
    *done = n;
    return true;
}

bool File::WriteAt(std::uint64_t offset, const void* buffer, std::size_t length) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(handle_.get(), at, nullptr, FILE_BEGIN)) return false;
    const auto* p = static_cast<const char*>(buffer);
    while (length > 0) {
        DWORD n = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(length, 1u << 30));
        if (!WriteFile(handle_.get(), p, want, &n, nullptr) || n == 0) return false;
        p += n;
        length -= n;
    }
    return true;
}

bool File::Size(std::uint64_t* size) {
    LARGE_INTEGER li;
    if (!GetFileSizeEx(handle_.get(), &li)) return false;
    *size = static_cast<std::uint64_t>(li.QuadPart);
    return true;
}

std::string GetEnv(const char* name) {
    std::wstring wname(name, name + std::char_traits<char>::length(name));
    wchar_t buf[4096];
    DWORD n = GetEnvironmentVariableW(wname.c_str(), buf, 4096);
    if (n == 0 || n >= 4096) return {};
    std::string v = Narrow(std::wstring(buf, n));
    return v;
}

bool IsInside(const std::string& root, const std::string& path) {
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    std::string r = lower(root), p = lower(path);
    if (p.compare(0, r.size(), r) != 0) return false;
    return p.size() == r.size() || p[r.size()] == '/' || (!r.empty() && r.back() == '/');
}

#else  // POSIX

Info Stat(const std::string& path) {
    Info info;
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return info;
    info.isLink = S_ISLNK(st.st_mode);
    if (info.isLink && stat(path.c_str(), &st) != 0) {
        info.kind = Kind::Other;  // dangling
        return info;
    }
    info.kind = S_ISDIR(st.st_mode) ? Kind::Directory : S_ISREG(st.st_mode) ? Kind::File : Kind::Other;
    info.size = static_cast<std::uint64_t>(st.st_size);
    info.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return info;
}

bool Canonical(const std::string& path, std::string* out) {
    char* r = realpath(path.c_str(), nullptr);
    if (!r) return false;
    *out = r;
    free(r);
    return true;
}

bool MakeDir(const std::string& path) { return mkdir(path.c_str(), 0755) == 0; }
bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }
bool RemoveDir(const std::string& path) { return rmdir(path.c_str()) == 0; }

bool Rename(const std::string& from, const std::string& to, bool replace) {
    if (!replace && Stat(to).kind != Kind::None) return false;
    return rename(from.c_str(), to.c_str()) == 0;
}

bool ListDir(const std::string& path, std::vector<std::string>* names) {
    names->clear();
    DIR* d = opendir(path.c_str());
    if (!d) return false;
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != "..") names->push_back(n);
    }
    closedir(d);
    return true;
}

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}
File::~File() { Close(); }
bool File::IsOpen() const { return fd_ >= 0; }

bool File::Open(const std::string& path, unsigned flags) {
    Close();
    int mode = (flags & kRead) && (flags & kWrite) ? O_RDWR : (flags & kWrite) ? O_WRONLY : O_RDONLY;
    if (flags & kCreateNew)
        mode |= O_CREAT | O_EXCL;
    else if (flags & kCreate)
        mode |= O_CREAT;
    if (flags & kTruncate) mode |= O_TRUNC;
    fd_ = open(path.c_str(), mode | O_CLOEXEC, 0644);
    return fd_ >= 0;
}

void File::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

bool File::ReadAt(std::uint64_t offset, void* buffer, std::size_t length, std::size_t* done) {
    ssize_t n = pread(fd_, buffer, length, static_cast<off_t>(offset));
    *done = n > 0 ? static_cast<std::size_t>(n) : 0;
    return n >= 0;
}

bool File::WriteAt(std::uint64_t offset, const void* buffer, std::size_t length) {
    const auto* p = static_cast<const char*>(buffer);
    while (length > 0) {
        ssize_t n = pwrite(fd_, p, length, static_cast<off_t>(offset));
        if (n <= 0) return false;
        p += n;
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

bool File::Size(std::uint64_t* size) {
    struct stat st;
    if (fstat(fd_, &st) != 0) return false;
    *size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

std::string GetEnv(const char* name) {
    const char* v = getenv(name);
    return v ? std::string(v) : std::string();
}

bool IsInside(const std::string& root, const std::string& path) {
    if (path.compare(0, root.size(), root) != 0) return false;
    return path.size() == root.size() || path[root.size()] == '/' || (!root.empty() && root.back() == '/');
}

#endif

bool ReadWholeFile(const std::string& path, std::string* out, std::size_t limit) {
    out->clear();
    File f;
    if (!f.Open(path, File::kRead | File::kMustExist)) return false;
    char buf[4096];
    std::uint64_t offset = 0;
    while (out->size() < limit) {
        std::size_t n = 0;
        if (!f.ReadAt(offset, buf, sizeof buf, &n)) return false;
        if (n == 0) break;
        out->append(buf, std::min(n, limit - out->size()));
        offset += n;
    }
    return true;
}

}  // namespace devsim::host
