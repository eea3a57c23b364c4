// Copy of a 64 MiB package onto a simulated device, block by block as the
// install does it, beside a plain local copy of the same file in the same
// blocks. Prints both rates and their ratios.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "device/afc_file.h"
#include "device/apple_device.h"
#include "devsim/devsim_fixture.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSize = 64u << 20;
constexpr std::size_t kBlock = 8192;
constexpr int kRounds = 3;

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A file read or written with the system's own calls, one call per block.
class RawFile {
public:
    RawFile(const fs::path& path, bool write) {
#ifdef _WIN32
        handle_ = CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, nullptr,
                              write ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
#else
        fd_ = write ? ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644) : ::open(path.c_str(), O_RDONLY);
#endif
    }
    ~RawFile() {
#ifdef _WIN32
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
#else
        if (fd_ >= 0) ::close(fd_);
#endif
    }
    std::size_t Read(char* buffer, std::size_t length) {
#ifdef _WIN32
        DWORD n = 0;
        return ReadFile(handle_, buffer, static_cast<DWORD>(length), &n, nullptr) ? n : 0;
#else
        ssize_t n = ::read(fd_, buffer, length);
        return n > 0 ? static_cast<std::size_t>(n) : 0;
#endif
    }
    void Write(const char* buffer, std::size_t length) {
#ifdef _WIN32
        DWORD n = 0;
        WriteFile(handle_, buffer, static_cast<DWORD>(length), &n, nullptr);
#else
        [[maybe_unused]] ssize_t n = ::write(fd_, buffer, length);
#endif
    }

private:
#ifdef _WIN32
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
    int fd_ = -1;
#endif
};

// The install's copy: 8192-byte blocks at 64-bit offsets, close, rename.
double DeviceCopy(const fs::path& source, const std::string& ini) {
    devsim_test::SimDevice sim(ini);
    apple::AppleDevice device(sim.WaitAttached());
    sim.MakeDirs("/var/root/Media/Cydia/AutoInstall");
    if (!device.StartAfcService(5)) return -1;
    const std::string partial = "/var/root/Media/Cydia/AutoInstall/tovane_tl.partial";
    auto start = std::chrono::steady_clock::now();
    RawFile in(source, false);
    auto file = device.OpenDeviceFile(partial, true, apple::kAfcModeWriteTruncate);
    std::vector<char> buf(kBlock);
    std::uint64_t offset = 0;
    bool ok = file != nullptr;
    std::size_t got = 0;
    while (ok && (got = in.Read(buf.data(), kBlock)) > 0) {
        ok = file->WriteAt(buf.data(), static_cast<std::uint32_t>(got), offset);
        offset += got;
    }
    ok = ok && file->Close() && device.RenamePath(partial, "/var/root/Media/Cydia/AutoInstall/tovane_tl.deb");
    double s = Seconds(start);
    device.CloseAfc();
    return ok && offset == kSize ? s : -1;
}

// Into a new file, as the device copy writes one.
double PlainCopy(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    fs::remove(target, ec);
    auto start = std::chrono::steady_clock::now();
    {
        RawFile in(source, false);
        RawFile out(target, true);
        std::vector<char> buf(kBlock);
        std::size_t got = 0;
        while ((got = in.Read(buf.data(), kBlock)) > 0) out.Write(buf.data(), got);
    }
    return Seconds(start);
}

template <typename F>
double Best(F&& f) {
    double best = 1e300;
    for (int i = 0; i < kRounds; ++i) {
        double s = f();
        if (s >= 0 && s < best) best = s;
    }
    return best < 1e300 ? best : -1;
}

void Report(const char* what, double seconds, double plain) {
    std::printf("%-44s %8.3f s  %8.1f MB/s  %6.2fx plain\n", what, seconds, kSize / 1e6 / seconds, seconds / plain);
}

}  // namespace

int main() {
    devsim_test::LoadSimulator();
    const fs::path source = fs::temp_directory_path() / "devsim_bench_package.deb";
    const fs::path target = fs::temp_directory_path() / "devsim_bench_copy.deb";
    {
        std::ofstream out(source, std::ios::binary);
        std::string chunk(1 << 20, '\0');
        for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i * 131 + 7);
        for (std::size_t i = 0; i < kSize / chunk.size(); ++i)
            out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    }
    std::printf("64 MiB package, 8192-byte blocks, best of %d\n", kRounds);
    PlainCopy(source, target);  // warm the cache
    const double plain = Best([&] { return PlainCopy(source, target); });
    Report("plain file copy", plain, plain);
    Report("device copy through devsim", Best([&] { return DeviceCopy(source, ""); }), plain);
    Report("device copy through devsim, calls_log=no", Best([&] { return DeviceCopy(source, "calls_log=no\n"); }),
           plain);
    std::error_code ec;
    fs::remove(source, ec);
    fs::remove(target, ec);
    return 0;
}
