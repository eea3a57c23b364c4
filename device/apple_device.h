// One opened iOS device: connection and pairing, device sessions, device
// values as text, and the AFC file service on "com.apple.afc2". All library
// calls go through the process-wide entry tables.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "device/apple_entry_points.h"

#ifdef _WIN32
#include "common/win_handles.h"
#endif

namespace apple {

class AfcFile;

// Fixed device paths of the install.
inline constexpr char kAutoInstallFolder[] = "/var/root/Media/Cydia/AutoInstall";
inline constexpr char kPackageFileName[] = "tovane_tl.deb";

// AFCFileRefOpen modes used here.
inline constexpr std::uint64_t kAfcModeReadWrite = 2;      // create, keep contents
inline constexpr std::uint64_t kAfcModeWriteTruncate = 3;  // create, empty it first

class AppleDevice {
public:
    // Stores the reference; makes no library call.
    explicit AppleDevice(AMDeviceRef device);
    // Makes no library call: neither disconnects nor closes the AFC connection.
    ~AppleDevice();
    AppleDevice(const AppleDevice&) = delete;
    AppleDevice& operator=(const AppleDevice&) = delete;

    AMDeviceRef Reference() const { return device_; }

    // Every public operation holds this lock for its whole run, and callers
    // that need several operations in a row (the two workers) hold it across
    // them, so two threads never interleave calls on one device.
    std::unique_lock<std::recursive_mutex> LockUse() { return std::unique_lock<std::recursive_mutex>(use_); }

    // Connects and pairs, trying at most `retries` times.
    bool OpenDevice(int retries);
    // Drops the AFC and device connections if connected, then OpenDevice(5).
    bool ReconnectDevice();
    bool StartDeviceSession();
    bool StopDeviceSession();

    // One device value as text; empty when the device has no such value.
    std::wstring CopyValueText(const char* key);
    // "DeviceName" / "ProductType", read once and cached (an empty value is
    // asked again next time).
    std::wstring GetDeviceName();
    std::wstring GetProductType();

    // AFC on "com.apple.afc2".
    bool StartAfcService(int retries);
    void CloseAfc();
    bool IsJailbroken();
    bool PathExists(const std::string& path);
    bool MakeDirectory(const std::string& path);
    // An open device file owned by the caller, or null. Relative paths are
    // resolved against the working directory unless `absolute` is set.
    std::unique_ptr<AfcFile> OpenDeviceFile(const std::string& path, bool absolute,
                                            std::uint64_t mode = kAfcModeReadWrite);
    bool RemovePath(const std::string& path);
    bool RenamePath(const std::string& from, const std::string& to);
    // The size the device reports for a file ("st_size" of its file info);
    // false when the path does not exist or reports no readable size.
    bool FileSize(const std::string& path, std::uint64_t* size);

    // State for tests and the workflow.
    bool IsConnected();
    bool AfcOpen();
    AFCConnectionRef AfcConnection();

private:
    friend class AfcFile;
    std::wstring CachedValue(std::wstring& cache, const char* key);

    std::wstring deviceName_;
    std::wstring productType_;
    bool afcOpen_ = false;
    int jailbreakState_ = -1;  // -1 not yet tested, 0 no, 1 yes
    std::string workingDirectory_ = "/";
#ifdef _WIN32
    win::CriticalSection deviceLock_{4000};  // around session start and stop
#else
    std::mutex deviceLock_;
#endif
    const AMDeviceRef device_;
    AFCConnectionRef afcConnection_ = nullptr;
    bool connected_ = false;
    std::recursive_mutex use_;
};

}  // namespace apple
