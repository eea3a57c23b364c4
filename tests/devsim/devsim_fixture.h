// Test helpers around the simulated Apple libraries: loading them into the
// test process (the DLLs on Windows, the linked-in functions natively),
// device folders below DEVSIM_ROOT, notifications and the per-device call log.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/apple_entry_points.h"

namespace devsim_test {

// Loads the simulator (once), resolves the process-wide entry tables and
// subscribes a recorder of notifications. Makes DEVSIM_ROOT a fresh folder
// if unset.
void LoadSimulator();

// The device root.
std::filesystem::path RootPath();

// Sets an environment variable so that the simulator and the code under
// test see it.
void SetEnv(const char* name, const std::string& value);

struct Notice {
    apple::AMDeviceRef device;
    std::uint32_t message;
};
// Notifications seen so far, in order.
std::vector<Notice> Notices();
// Waits until `device` got `message` (at or after index `from`).
bool WaitForNotice(apple::AMDeviceRef device, std::uint32_t message, unsigned milliseconds, std::size_t from = 0);

// Polls `done` every few milliseconds until it holds or time runs out.
template <typename Done>
bool WaitUntil(Done&& done, unsigned milliseconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

inline void SleepMs(unsigned milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// A device folder, created complete (device.ini written before the folder
// appears under devices/) and removed on destruction.
class SimDevice {
public:
    // `udid` empty: a name unique in this process.
    explicit SimDevice(const std::string& ini = "", const std::string& udid = "");
    ~SimDevice();
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    // Waits for the arrival notification; returns the device reference or null.
    apple::AMDeviceRef WaitAttached(unsigned milliseconds = 3000);
    // Removes the folder (the device departs).
    void Remove();
    bool WaitDetached(unsigned milliseconds = 3000);

    const std::string& udid() const { return udid_; }
    apple::AMDeviceRef ref() const { return ref_; }
    std::filesystem::path Folder() const;
    // Host path of a device path ("/var/x" -> <folder>/fs/var/x).
    std::filesystem::path FsPath(const std::string& devicePath) const;
    bool FileExists(const std::string& devicePath) const;
    std::string ReadFile(const std::string& devicePath) const;
    void WriteFile(const std::string& devicePath, const std::string& content) const;
    void MakeDirs(const std::string& devicePath) const;
    // Entries of a device folder, without "." and "..".
    std::vector<std::string> List(const std::string& devicePath) const;

    // calls.log: whole lines, and the entry names of the calls made since
    // WaitAttached identified the device.
    std::vector<std::string> Calls() const;
    std::vector<std::string> CallNames() const;
    // Lines of calls.log logged from now on are the ones CallNamesSince returns.
    std::size_t Mark() const { return Calls().size(); }
    std::vector<std::string> CallNamesSince(std::size_t mark) const;

private:
    std::string udid_;
    apple::AMDeviceRef ref_ = nullptr;
    std::size_t noticeMark_ = 0;
    std::size_t logMark_ = 0;
    bool removed_ = false;
};

// Counts of each name in a list.
std::size_t Count(const std::vector<std::string>& names, const std::string& name);

// CoreFoundation objects made and not yet freed, from the simulator.
std::int64_t LiveObjects();

}  // namespace devsim_test
