#include "devsim/devsim_fixture.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "device/apple_libraries.h"

namespace fs = std::filesystem;

namespace devsim_test {
namespace {

std::mutex g_mu;
std::vector<Notice> g_notices;
void* g_subscription = nullptr;

void Record(const apple::AMDeviceNotificationInfo* info, void*) {
  std::lock_guard<std::mutex> lock(g_mu);
  g_notices.push_back({info->device, info->message});
}

std::wstring Widen(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::wstring ExeFolder() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  std::wstring path(buf, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace

std::wstring RootPath() {
  wchar_t buf[4096];
  DWORD n = GetEnvironmentVariableW(L"DEVSIM_ROOT", buf, 4096);
  std::wstring root(buf, n < 4096 ? n : 0);
  if (!root.empty() && root[0] == L'/') root = L"Z:" + root;
  for (auto& c : root) {
    if (c == L'/') c = L'\\';
  }
  return root;
}

void LoadSimulator() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (RootPath().empty()) {
      wchar_t tmp[MAX_PATH];
      GetTempPathW(MAX_PATH, tmp);
      std::wstring root = std::wstring(tmp) + L"devsim-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(GetTickCount());
      fs::create_directories(root);
      SetEnvironmentVariableW(L"DEVSIM_ROOT", root.c_str());
    }
    fs::create_directories(fs::path(RootPath()) / L"devices");
    std::wstring dir = ExeFolder();
    HMODULE cf = LoadLibraryW((dir + L"CoreFoundation.dll").c_str());
    HMODULE md = LoadLibraryW((dir + L"iTunesMobileDevice.dll").c_str());
    if (!cf || !md || !apple::ResolveEntryTables(md, cf)) throw std::runtime_error("simulator not loadable");
    if (apple::MobileDevice().AMDeviceNotificationSubscribe(&Record, 0, 0, nullptr, &g_subscription) != 0) {
      throw std::runtime_error("no subscription");
    }
  });
}

std::vector<Notice> Notices() {
  std::lock_guard<std::mutex> lock(g_mu);
  return g_notices;
}

bool WaitForNotice(apple::AMDeviceRef device, std::uint32_t message, DWORD milliseconds, std::size_t from) {
  DWORD start = GetTickCount();
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(g_mu);
      for (std::size_t i = from; i < g_notices.size(); ++i) {
        if (g_notices[i].device == device && g_notices[i].message == message) return true;
      }
    }
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(10);
  }
}

SimDevice::SimDevice(const std::string& ini, const std::string& udid) : udid_(udid) {
  LoadSimulator();
  static std::atomic<int> counter{0};
  if (udid_.empty()) {
    udid_ = "sim" + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(++counter);
  }
  fs::path staging = fs::path(RootPath()) / L"staging" / Widen(udid_);
  fs::create_directories(staging / L"fs");
  std::ofstream(staging / L"device.ini", std::ios::binary) << ini;
  {
    std::lock_guard<std::mutex> lock(g_mu);
    noticeMark_ = g_notices.size();
  }
  fs::rename(staging, Folder());
}

SimDevice::~SimDevice() {
  if (!removed_) Remove();
  // Gone for good before the next test starts, so that no later subscriber
  // hears of it.
  if (ref_) WaitDetached(3000);
}

std::wstring SimDevice::Folder() const { return RootPath() + L"\\devices\\" + Widen(udid_); }

apple::AMDeviceRef SimDevice::WaitAttached(DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(g_mu);
      for (std::size_t i = noticeMark_; i < g_notices.size(); ++i) {
        if (g_notices[i].message != 1) continue;
        // Ours is the device whose identifier is our folder name.
        apple::CFStringRef id = apple::MobileDevice().AMDeviceCopyDeviceIdentifier(g_notices[i].device);
        if (!id) continue;
        const apple::CoreFoundationTable& cf = apple::CoreFoundation();
        std::u16string text(static_cast<std::size_t>(cf.CFStringGetLength(id)), u'\0');
        cf.CFStringGetCharacters(id, apple::CFRange{0, static_cast<apple::CFIndex>(text.size())}, text.data());
        cf.CFRelease(id);
        if (std::string(text.begin(), text.end()) == udid_) {
          ref_ = g_notices[i].device;
          noticeMark_ = i + 1;
          logMark_ = Calls().size();
          return ref_;
        }
      }
    }
    if (GetTickCount() - start > milliseconds) return nullptr;
    Sleep(10);
  }
}

void SimDevice::Remove() {
  std::error_code ec;
  fs::remove_all(Folder(), ec);
  removed_ = true;
}

bool SimDevice::WaitDetached(DWORD milliseconds) { return WaitForNotice(ref_, 2, milliseconds, noticeMark_); }

std::wstring SimDevice::FsPath(const std::string& devicePath) const {
  std::wstring p = Folder() + L"\\fs";
  for (wchar_t c : Widen(devicePath)) p += c == L'/' ? L'\\' : c;
  return p;
}

bool SimDevice::FileExists(const std::string& devicePath) const {
  std::error_code ec;
  return fs::exists(FsPath(devicePath), ec);
}

std::string SimDevice::ReadFile(const std::string& devicePath) const { return ReadAll(FsPath(devicePath)); }

void SimDevice::WriteFile(const std::string& devicePath, const std::string& content) const {
  fs::path p = FsPath(devicePath);
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << content;
}

void SimDevice::MakeDirs(const std::string& devicePath) const { fs::create_directories(FsPath(devicePath)); }

std::vector<std::string> SimDevice::List(const std::string& devicePath) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(FsPath(devicePath), ec)) names.push_back(e.path().filename().string());
  return names;
}

std::vector<std::string> SimDevice::Calls() const {
  std::vector<std::string> lines;
  std::istringstream in(ReadAll(fs::path(Folder()) / L"calls.log"));
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> SimDevice::CallNames() const { return CallNamesSince(logMark_); }

std::vector<std::string> SimDevice::CallNamesSince(std::size_t mark) const {
  std::vector<std::string> lines = Calls(), names;
  for (std::size_t i = mark; i < lines.size(); ++i) names.push_back(lines[i].substr(0, lines[i].find(' ')));
  return names;
}

std::size_t Count(const std::vector<std::string>& names, const std::string& name) {
  std::size_t n = 0;
  for (const auto& x : names) n += x == name;
  return n;
}

std::int64_t LiveObjects() {
  using Fn = std::int64_t (*)();
  static Fn fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"CoreFoundation.dll"), "DevsimLiveObjectCount")));
  return fn ? fn() : -1;
}

}  // namespace devsim_test
