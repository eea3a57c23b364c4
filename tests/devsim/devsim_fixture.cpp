#include "devsim/devsim_fixture.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "common/utf.h"
#include "device/apple_libraries.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#include <unistd.h>

#include "devsim/native_libraries.h"
#endif

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

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string GetEnv(const char* name) {
#ifdef _WIN32
    wchar_t buffer[4096];
    DWORD n = ::GetEnvironmentVariableW(text::Utf8ToWide(name).c_str(), buffer, 4096);
    return n > 0 && n < 4096 ? text::WideToUtf8(std::wstring(buffer, n)) : std::string();
#else
    const char* v = std::getenv(name);
    return v ? v : "";
#endif
}

long ProcessId() {
#ifdef _WIN32
    return static_cast<long>(::GetCurrentProcessId());
#else
    return static_cast<long>(::getpid());
#endif
}

// Resolves the process-wide entry tables from the simulator.
bool ResolveSimulator() {
#ifdef _WIN32
    wchar_t buffer[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    const fs::path folder = fs::path(std::wstring(buffer, n)).parent_path();
    HMODULE cf = ::LoadLibraryW((folder / L"CoreFoundation.dll").c_str());
    HMODULE md = ::LoadLibraryW((folder / L"iTunesMobileDevice.dll").c_str());
    return cf && md && apple::ResolveEntryTables(md, cf);
#else
    devsim::NativeLoaderSystem system;
    void* md = system.LoadLibraryAt(devsim::NativeLoaderSystem::kMobileDevicePath);
    void* cf =
        system.LoadLibraryAt(std::wstring(devsim::NativeLoaderSystem::kCoreFoundationFolder) + L"CoreFoundation.dll");
    return apple::ResolveEntryTables(system, md, cf);
#endif
}

}  // namespace

void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
    ::SetEnvironmentVariableW(text::Utf8ToWide(name).c_str(), text::Utf8ToWide(value).c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

fs::path RootPath() {
    std::string root = GetEnv("DEVSIM_ROOT");
#ifdef _WIN32
    if (!root.empty() && root[0] == '/') root = "Z:" + root;
#endif
    return fs::u8path(root);
}

void LoadSimulator() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (RootPath().empty()) {
            const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
            fs::path root =
                fs::temp_directory_path() / ("devsim-" + std::to_string(ProcessId()) + "-" + std::to_string(stamp));
            fs::create_directories(root);
            SetEnv("DEVSIM_ROOT", root.u8string());
        }
        fs::create_directories(RootPath() / "devices");
        if (!ResolveSimulator()) throw std::runtime_error("simulator not loadable");
        if (apple::MobileDevice().AMDeviceNotificationSubscribe(&Record, 0, 0, nullptr, &g_subscription) != 0) {
            throw std::runtime_error("no subscription");
        }
    });
}

std::vector<Notice> Notices() {
    std::lock_guard<std::mutex> lock(g_mu);
    return g_notices;
}

bool WaitForNotice(apple::AMDeviceRef device, std::uint32_t message, unsigned milliseconds, std::size_t from) {
    return WaitUntil(
        [&] {
            std::lock_guard<std::mutex> lock(g_mu);
            for (std::size_t i = from; i < g_notices.size(); ++i) {
                if (g_notices[i].device == device && g_notices[i].message == message) return true;
            }
            return false;
        },
        milliseconds);
}

SimDevice::SimDevice(const std::string& ini, const std::string& udid) : udid_(udid) {
    LoadSimulator();
    static std::atomic<int> counter{0};
    if (udid_.empty()) udid_ = "sim" + std::to_string(ProcessId()) + "x" + std::to_string(++counter);
    fs::path staging = RootPath() / "staging" / fs::u8path(udid_);
    fs::create_directories(staging / "fs");
    std::ofstream(staging / "device.ini", std::ios::binary) << ini;
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

fs::path SimDevice::Folder() const { return RootPath() / "devices" / fs::u8path(udid_); }

apple::AMDeviceRef SimDevice::WaitAttached(unsigned milliseconds) {
    const bool found = WaitUntil(
        [&] {
            std::lock_guard<std::mutex> lock(g_mu);
            for (std::size_t i = noticeMark_; i < g_notices.size(); ++i) {
                if (g_notices[i].message != 1) continue;
                // Ours is the device whose identifier is our folder name.
                apple::CFStringRef id = apple::MobileDevice().AMDeviceCopyDeviceIdentifier(g_notices[i].device);
                if (!id) continue;
                const apple::CoreFoundationTable& cf = apple::CoreFoundation();
                std::u16string chars(static_cast<std::size_t>(cf.CFStringGetLength(id)), u'\0');
                cf.CFStringGetCharacters(id, apple::CFRange{0, static_cast<apple::CFIndex>(chars.size())},
                                         chars.data());
                cf.CFRelease(id);
                if (text::Utf16ToUtf8(chars) == udid_) {
                    ref_ = g_notices[i].device;
                    noticeMark_ = i + 1;
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    if (!found) return nullptr;
    logMark_ = Calls().size();
    return ref_;
}

void SimDevice::Remove() {
    // Moved out of devices/ first: the device departs at once, and what the
    // simulator or a worker still writes into it cannot keep the folder alive.
    static std::atomic<int> counter{0};
    std::error_code ec;
    fs::path gone = RootPath() / "removed" / (udid_ + "-" + std::to_string(++counter));
    fs::create_directories(gone.parent_path(), ec);
    fs::rename(Folder(), gone, ec);
    const fs::path doomed = ec ? Folder() : gone;
    WaitUntil(
        [&] {
            std::error_code removeError;
            fs::remove_all(doomed, removeError);
            return !fs::exists(doomed, removeError);
        },
        5000);
    removed_ = true;
}

bool SimDevice::WaitDetached(unsigned milliseconds) { return WaitForNotice(ref_, 2, milliseconds, noticeMark_); }

fs::path SimDevice::FsPath(const std::string& devicePath) const {
    fs::path p = Folder() / "fs";
    std::size_t pos = 0;
    while (pos < devicePath.size()) {
        std::size_t slash = devicePath.find('/', pos);
        if (slash == std::string::npos) slash = devicePath.size();
        if (slash > pos) p /= fs::u8path(devicePath.substr(pos, slash - pos));
        pos = slash + 1;
    }
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
    for (const auto& e : fs::directory_iterator(FsPath(devicePath), ec))
        names.push_back(e.path().filename().u8string());
    return names;
}

std::vector<std::string> SimDevice::Calls() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadAll(Folder() / "calls.log"));
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
#ifdef _WIN32
    static Fn fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"CoreFoundation.dll"), "DevsimLiveObjectCount")));
#else
    static Fn fn =
        reinterpret_cast<Fn>(devsim::FindNativeExport(devsim::NativeLibrary::kCoreFoundation, "DevsimLiveObjectCount"));
#endif
    return fn ? fn() : -1;
}

}  // namespace devsim_test
