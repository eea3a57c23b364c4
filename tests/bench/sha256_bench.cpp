// SHA-256 throughput of the package check, natively.
//
//   bench_sha256 [MiB]    (default 1024)
//
// Two ways to check a downloaded package: in the download loop, hashing each
// 256 KiB block right after it is written (the block still in the cache), or
// after the download, reading the file back in 256 KiB blocks. Prints the
// rate of each (best of three) in GB/s, its ratio to the 1 GB/s the check
// must reach, and the rate of reading the file back without hashing. Rates
// are per processor second (user and system time of this process), which a
// machine busy with other work does not change; wall-clock rates follow.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/utf.h"
#include "net/http_file_client.h"
#include "net/sha256.h"
#include "net/temp_file.h"

namespace {

constexpr double kTargetGBps = 1.0;

double GBps(std::uint64_t bytes, double milliseconds) { return static_cast<double>(bytes) / milliseconds / 1e6; }

double Now(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Took {
    double cpu = 1e300;   // ms of processor time, best run
    double wall = 1e300;  // ms of wall-clock time, best run
};

template <typename F>
Took Best(int runs, F&& f) {
    Took best;
    for (int i = 0; i < runs; ++i) {
        const double cpu = Now(CLOCK_PROCESS_CPUTIME_ID), wall = Now(CLOCK_MONOTONIC);
        f();
        best.cpu = std::min(best.cpu, Now(CLOCK_PROCESS_CPUTIME_ID) - cpu);
        best.wall = std::min(best.wall, Now(CLOCK_MONOTONIC) - wall);
    }
    return best;
}

void Print(const char* what, std::uint64_t size, const Took& took, bool ratio) {
    std::printf("%-40s %5.2f GB/s", what, GBps(size, took.cpu));
    if (ratio) std::printf("  ratio to %.0f GB/s  %.2f", kTargetGBps, GBps(size, took.cpu) / kTargetGBps);
    std::printf("   (wall clock %5.2f GB/s)\n", GBps(size, took.wall));
}

// Reads the file in download-sized blocks, hashing them when `hash` is given.
bool ReadBack(const std::string& path, Sha256* hash) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    auto block = std::make_unique<char[]>(kDownloadBlockSize);
    for (std::size_t n; (n = std::fread(block.get(), 1, kDownloadBlockSize, file)) > 0;)
        if (hash) hash->Update(block.get(), n);
    std::fclose(file);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t mib = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
    const std::uint64_t size = mib << 20;
    const std::uint64_t blocks = size / kDownloadBlockSize;
    auto block = std::make_unique<char[]>(kDownloadBlockSize);
    for (std::size_t i = 0; i < kDownloadBlockSize; ++i) block[i] = static_cast<char>(i * 31 + (i >> 11));

    Sha256Digest sink{};
    const Took inLoop = Best(3, [&] {
        Sha256 hash;
        for (std::uint64_t i = 0; i < blocks; ++i) hash.Update(block.get(), kDownloadBlockSize);
        sink = hash.Finish();
    });

    // The downloaded file, as the client writes it.
    const std::wstring wide = MakeTempFileName(L"~4a906");
    const std::string path = text::WideToUtf8(wide);
    {
        TempFileWriter out;
        if (path.empty() || !out.Open(wide)) {
            std::printf("cannot write a temporary file\n");
            return 1;
        }
        for (std::uint64_t i = 0; i < blocks; ++i) out.Write(block.get(), kDownloadBlockSize);
        out.Close();
    }
    const Took readOnly = Best(3, [&] { ReadBack(path, nullptr); });
    const Took after = Best(3, [&] {
        Sha256 hash;
        ReadBack(path, &hash);
        sink = hash.Finish();
    });
    RemoveFile(wide);

    std::printf("SHA-256 of %llu MiB in %zu KiB blocks, best of 3 (digest starts %s)\n",
                static_cast<unsigned long long>(mib), kDownloadBlockSize / 1024, Sha256Hex(sink).substr(0, 8).c_str());
    Print("in the download loop (block in cache)", size, inLoop, true);
    Print("after the download (file read back)", size, after, true);
    Print("reading the file back without hashing", size, readOnly, false);
    return 0;
}
