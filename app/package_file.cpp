#include "app/package_file.h"

#include <algorithm>
#include <climits>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "common/utf.h"
#endif

#ifdef _WIN32

PackageFile::~PackageFile() = default;

bool PackageFile::Open(const std::wstring& path) {
    // Shared for writing too: the download's own handle may still be closing.
    file_.reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file_);
}

bool PackageFile::Read(void* buffer, std::size_t length, std::size_t* got) {
    *got = 0;
    DWORD n = 0;
    const auto want = static_cast<DWORD>(std::min<std::size_t>(length, 1u << 30));
    if (!file_ || !::ReadFile(file_.get(), buffer, want, &n, nullptr)) return false;
    *got = n;
    return true;
}

#else

PackageFile::~PackageFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool PackageFile::Open(const std::wstring& path) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = ::open(text::WideToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    return fd_ >= 0;
}

bool PackageFile::Read(void* buffer, std::size_t length, std::size_t* got) {
    *got = 0;
    if (fd_ < 0) return false;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, std::min<std::size_t>(length, INT_MAX));
        if (n >= 0) {
            *got = static_cast<std::size_t>(n);
            return true;
        }
        if (errno != EINTR) return false;
    }
}

#endif
