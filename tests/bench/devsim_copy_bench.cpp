// Copy of a 64 MiB package onto a simulated device, block by block as the
// install does it, beside plain local copies of the same file. Prints MB/s.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/afc_file.h"
#include "device/apple_device.h"
#include "devsim/devsim_fixture.h"

namespace {

constexpr std::size_t kSize = 64u << 20;
constexpr DWORD kBlock = 8192;

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Report(const char* what, double seconds) {
  std::printf("%-44s %8.3f s  %8.1f MB/s\n", what, seconds, kSize / 1e6 / seconds);
}

// The install's copy: 8192-byte blocks at 64-bit offsets, close, rename.
double DeviceCopy(const std::wstring& source, const std::string& ini) {
  devsim_test::SimDevice sim(ini);
  apple::AppleDevice device(sim.WaitAttached());
  sim.MakeDirs("/var/root/Media/Cydia/AutoInstall");
  if (!device.StartAfcService(5)) return -1;
  auto start = std::chrono::steady_clock::now();
  HANDLE in = CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  auto file = device.OpenDeviceFile("/var/root/Media/Cydia/AutoInstall/tovane_tl.partial", true,
                                    apple::kAfcModeWriteTruncate);
  std::vector<char> buf(kBlock);
  std::uint64_t offset = 0;
  DWORD got = 0;
  bool ok = file != nullptr;
  while (ok && ReadFile(in, buf.data(), kBlock, &got, nullptr) && got > 0) {
    ok = file->WriteAt(buf.data(), got, offset);
    offset += got;
  }
  ok = ok && file->Close() &&
       device.RenamePath("/var/root/Media/Cydia/AutoInstall/tovane_tl.partial",
                         "/var/root/Media/Cydia/AutoInstall/tovane_tl.deb");
  CloseHandle(in);
  double s = Seconds(start);
  device.CloseAfc();
  return ok && offset == kSize ? s : -1;
}

double PlainCopy(const std::wstring& source, const std::wstring& target) {
  auto start = std::chrono::steady_clock::now();
  HANDLE in = CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE out = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  std::vector<char> buf(kBlock);
  DWORD got = 0, put = 0;
  while (ReadFile(in, buf.data(), kBlock, &got, nullptr) && got > 0) WriteFile(out, buf.data(), got, &put, nullptr);
  CloseHandle(in);
  CloseHandle(out);
  return Seconds(start);
}

}  // namespace

int main() {
  devsim_test::LoadSimulator();
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::wstring source = std::wstring(tmp) + L"devsim_bench_package.deb";
  std::wstring target = std::wstring(tmp) + L"devsim_bench_copy.deb";
  {
    std::ofstream out(std::filesystem::path(source), std::ios::binary);
    std::string chunk(1 << 20, '\0');
    for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i * 131 + 7);
    for (std::size_t i = 0; i < kSize / chunk.size(); ++i) out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  }
  std::printf("64 MiB package, 8192-byte blocks\n");
  PlainCopy(source, target);  // warm the cache
  Report("plain file copy (ReadFile/WriteFile)", PlainCopy(source, target));
  DeleteFileW(target.c_str());
  auto start = std::chrono::steady_clock::now();
  CopyFileW(source.c_str(), target.c_str(), FALSE);
  Report("plain file copy (CopyFileW)", Seconds(start));
  DeleteFileW(target.c_str());
  Report("device copy through devsim", DeviceCopy(source, ""));
  Report("device copy through devsim, calls_log=no", DeviceCopy(source, "calls_log=no\n"));
  Report("device copy through devsim, latency_us=100", DeviceCopy(source, "latency_us=100\n"));
  DeleteFileW(source.c_str());
  return 0;
}
