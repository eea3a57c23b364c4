#include "device/apple_device.h"

#include "device/afc_file.h"
#include "device/apple_libraries.h"
#include "device/cf_value_text.h"

namespace apple {

AppleDevice::AppleDevice(AMDeviceRef device) : device_(device) {}

AppleDevice::~AppleDevice() = default;

bool AppleDevice::OpenDevice(int retries) {
    std::lock_guard<std::recursive_mutex> use(use_);
    const MobileDeviceTable& md = MobileDevice();
    while (retries > 0) {
        --retries;
        if (md.AMDeviceConnect(device_) == 1) return false;  // the library says: give up
        bool ok = md.AMDeviceIsPaired(device_) == 0;
        if (!ok && md.AMDevicePair(device_) == 0) {
            ok = md.AMDeviceValidatePairing(device_) == 0 || md.AMDevicePair(device_) == 0;
        }
        if (ok) {
            connected_ = true;
            return true;
        }
        md.AMDeviceDisconnect(device_);
    }
    return false;
}

bool AppleDevice::ReconnectDevice() {
    std::lock_guard<std::recursive_mutex> use(use_);
    const MobileDeviceTable& md = MobileDevice();
    if (connected_) {
        if (afcConnection_) md.AFCConnectionClose(afcConnection_);
        md.AMDeviceDisconnect(device_);
        afcConnection_ = nullptr;
        connected_ = false;
    }
    return OpenDevice(5);
}

bool AppleDevice::StartDeviceSession() {
    std::lock_guard<std::recursive_mutex> use(use_);
    std::lock_guard<decltype(deviceLock_)> lock(deviceLock_);
    return MobileDevice().AMDeviceStartSession(device_) == 0;
}

bool AppleDevice::StopDeviceSession() {
    std::lock_guard<std::recursive_mutex> use(use_);
    std::lock_guard<decltype(deviceLock_)> lock(deviceLock_);
    return MobileDevice().AMDeviceStopSession(device_) == 0;
}

std::wstring AppleDevice::CopyValueText(const char* key) {
    std::lock_guard<std::recursive_mutex> use(use_);
    const CoreFoundationTable& cf = CoreFoundation();
    CFStringRef keyString = cf.__CFStringMakeConstantString(key);
    CFTypeRef value = MobileDevice().AMDeviceCopyValue(device_, nullptr, keyString);
    std::wstring text;
    if (value) {
        text = CFValueToText(value);
        cf.CFRelease(value);  // a copy made for us
    }
    if (keyString) cf.CFRelease(keyString);
    return text;
}

std::wstring AppleDevice::CachedValue(std::wstring& cache, const char* key) {
    std::lock_guard<std::recursive_mutex> use(use_);
    if (cache.empty()) {
        StartDeviceSession();  // a value read is tried even without a session
        cache = CopyValueText(key);
        StopDeviceSession();
    }
    return cache;
}

bool AppleDevice::IsConnected() {
    std::lock_guard<std::recursive_mutex> use(use_);
    return connected_;
}

bool AppleDevice::AfcOpen() {
    std::lock_guard<std::recursive_mutex> use(use_);
    return afcOpen_;
}

AFCConnectionRef AppleDevice::AfcConnection() {
    std::lock_guard<std::recursive_mutex> use(use_);
    return afcConnection_;
}

std::wstring AppleDevice::GetDeviceName() { return CachedValue(deviceName_, "DeviceName"); }

std::wstring AppleDevice::GetProductType() { return CachedValue(productType_, "ProductType"); }

}  // namespace apple
