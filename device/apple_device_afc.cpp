// The AFC operations of AppleDevice.
#include <cstring>
#include <limits>
#include <mutex>

#include "device/afc_file.h"
#include "device/apple_device.h"
#include "device/apple_libraries.h"
#include "device/device_path.h"

namespace apple {
namespace {

// File info holds a handful of pairs; a library that never ends the list
// must not keep us reading.
constexpr int kMaxFileInfoPairs = 256;

// A size as the device writes it: decimal digits only, within 64 bits.
bool ParseSize(const char* text, std::uint64_t* size) {
    if (!text || !*text) return false;
    std::uint64_t value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        const auto digit = static_cast<std::uint64_t>(*p - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return false;
        value = value * 10 + digit;
    }
    *size = value;
    return true;
}

}  // namespace

bool AppleDevice::StartAfcService(int retries) {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (retries < 0) return false;
    if (!connected_ && !OpenDevice(5)) return false;
    const MobileDeviceTable& md = MobileDevice();
    if (afcConnection_) {
        if (afcOpen_) {
            CloseAfc();
        } else {
            md.AFCConnectionClose(afcConnection_);
            afcConnection_ = nullptr;
        }
    }
    if (StartDeviceSession()) {
        CFStringRef name = CoreFoundation().__CFStringMakeConstantString("com.apple.afc2");
        AMServiceHandle service = nullptr;
        std::uint32_t unused = 0;
        AFCConnectionRef conn = nullptr;
        if (md.AMDeviceStartService(device_, name, &service, &unused) == 0 &&
            md.AFCConnectionOpen(service, 0, &conn) == 0 && conn) {
            afcConnection_ = conn;
            afcOpen_ = true;
            md.AMDeviceStopSession(device_);
            return true;
        }
    }
    // The session, if one was started, goes with the reconnect.
    if (ReconnectDevice()) return StartAfcService(retries - 1);
    return false;
}

void AppleDevice::CloseAfc() {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (afcConnection_) {
        MobileDevice().AFCConnectionClose(afcConnection_);
        afcConnection_ = nullptr;
    }
    afcOpen_ = false;
}

bool AppleDevice::IsJailbroken() {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (jailbreakState_ != -1) return jailbreakState_ == 1;
    if (!StartAfcService(5)) {
        jailbreakState_ = 0;
        return false;
    }
    jailbreakState_ = 1;
    MobileDevice().AFCConnectionClose(afcConnection_);
    afcConnection_ = nullptr;
    afcOpen_ = false;
    return true;
}

bool AppleDevice::PathExists(const std::string& path) {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (!afcConnection_) return false;
    const MobileDeviceTable& md = MobileDevice();
    AFCInfoRef info = nullptr;
    if (md.AFCFileInfoOpen(afcConnection_, path.c_str(), &info) != 0) return false;
    if (info) md.AFCKeyValueClose(info);
    return true;
}

bool AppleDevice::MakeDirectory(const std::string& path) {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (!afcConnection_) return false;
    std::string resolved = ResolveDevicePath(workingDirectory_, path);
    return MobileDevice().AFCDirectoryCreate(afcConnection_, resolved.c_str()) == 0;
}

std::unique_ptr<AfcFile> AppleDevice::OpenDeviceFile(const std::string& path, bool absolute, std::uint64_t mode) {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (!afcConnection_) return nullptr;
    std::string devicePath = absolute ? path : ResolveDevicePath(workingDirectory_, path);
    AFCFileRef ref = 0;
    if (MobileDevice().AFCFileRefOpen(afcConnection_, devicePath.c_str(), mode, &ref) != 0) return nullptr;
    return std::make_unique<AfcFile>(ref, this, afcConnection_);
}

bool AppleDevice::RemovePath(const std::string& path) {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (!afcConnection_) return false;
    std::string resolved = ResolveDevicePath(workingDirectory_, path);
    return MobileDevice().AFCRemovePath(afcConnection_, resolved.c_str()) == 0;
}

bool AppleDevice::RenamePath(const std::string& from, const std::string& to) {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (!afcConnection_) return false;
    std::string src = ResolveDevicePath(workingDirectory_, from);
    std::string dst = ResolveDevicePath(workingDirectory_, to);
    return MobileDevice().AFCRenamePath(afcConnection_, src.c_str(), dst.c_str()) == 0;
}

bool AppleDevice::FileSize(const std::string& path, std::uint64_t* size) {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (!afcConnection_ || !size) return false;
    const MobileDeviceTable& md = MobileDevice();
    AFCInfoRef info = nullptr;
    if (md.AFCFileInfoOpen(afcConnection_, path.c_str(), &info) != 0 || !info) return false;
    bool found = false;
    for (int i = 0; i < kMaxFileInfoPairs; ++i) {
        char* key = nullptr;
        char* value = nullptr;
        if (md.AFCKeyValueRead(info, &key, &value) != 0 || !key) break;
        if (std::strcmp(key, "st_size") == 0) {
            found = ParseSize(value, size);
            break;
        }
    }
    md.AFCKeyValueClose(info);
    return found;
}

}  // namespace apple
