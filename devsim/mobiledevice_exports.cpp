// Exports of the simulated iTunesMobileDevice.dll: device connection,
// pairing, sessions, services and the AFC file service on the devices of the
// registry. Every call on a device is written to its calls.log. Portable:
// natively the same functions are linked in directly.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <set>
#include <thread>
#include <type_traits>

#include "common/utf.h"
#include "devsim/cf_api.h"
#include "devsim/device_registry.h"

using namespace apple;
using devsim::Registry;
using devsim::SimDevice;

#ifdef _WIN32
#define DEVSIM_MD_API extern "C" __declspec(dllexport)
#else
#define DEVSIM_MD_API extern "C"
#endif
#define DEVSIM_DECLARE_MD_ENTRY(name, result, params) DEVSIM_MD_API result name params;
TOVANE_MOBILEDEVICE_ENTRIES(DEVSIM_DECLARE_MD_ENTRY)
#undef DEVSIM_DECLARE_MD_ENTRY

#define DEVSIM_CHECK_SIGNATURE(name, result, params) \
    static_assert(std::is_same_v<decltype(&::name), apple::name##_fn>, #name);
TOVANE_MOBILEDEVICE_ENTRIES(DEVSIM_CHECK_SIGNATURE)
#undef DEVSIM_CHECK_SIGNATURE

namespace {

// MobileDevice result codes.
constexpr int kOk = 0;
constexpr int kRefused = 1;  // AMDeviceConnect: give up
constexpr int kUndefinedError = static_cast<int>(0xE8000001u);
constexpr int kInvalidArgument = static_cast<int>(0xE8000007u);
constexpr int kNotConnected = static_cast<int>(0xE8000084u);
constexpr int kPairingFailed = static_cast<int>(0xE800001Au);
constexpr int kSessionInactive = static_cast<int>(0xE800001Eu);
constexpr int kServiceProhibited = static_cast<int>(0xE8000022u);
constexpr int kInvalidService = static_cast<int>(0xE8000022u + 1);

struct Service {
    SimDevice* device;
    std::uint64_t generation;
    std::shared_ptr<devsim::AfcVolume> volume;
    bool used = false;
};

struct Connection {
    SimDevice* device;
    std::uint64_t generation;
    std::shared_ptr<devsim::AfcVolume> volume;
    std::set<AFCFileRef> files;
    bool open = true;
};

struct KeyValues {
    SimDevice* device;
    std::vector<std::pair<std::string, std::string>> items;
    std::size_t next = 0;
    bool open = true;
};

struct Directory {
    std::vector<std::string> names;
    std::size_t next = 0;
    bool open = true;
};

// Handles handed out, kept for the life of the process so that a stale one
// is recognised rather than reused; guarded by the registry's lock. Never
// destroyed: the notification thread outlives static destruction.
std::set<const void*>& Handles() {
    static auto* handles = new std::set<const void*>;
    return *handles;
}

template <typename T>
T* NewHandle() {
    T* h = new T{};
    Handles().insert(h);
    return h;
}

template <typename T>
T* Lookup(const void* h) {
    return h && Handles().count(h) ? static_cast<T*>(const_cast<void*>(h)) : nullptr;
}

std::string Text(CFStringRef s) {
    if (!s) return {};
    CFIndex n = CFStringGetLength(s);
    std::u16string chars(static_cast<std::size_t>(n), u'\0');
    CFStringGetCharacters(s, CFRange{0, n}, chars.data());
    std::string out;
    for (char16_t c : chars) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::string Quote(const char* path) { return path ? std::string(path) : std::string("(null)"); }

bool Attached(const SimDevice* d) { return d->state == SimDevice::State::Attached; }

// Common frame of a device call: find the device, check it is attached,
// log the result.
struct DeviceCall {
    DeviceCall(AMDeviceRef ref, const char* entry)
        : reg(Registry::Get()), device(reg.Find(ref)), lock(reg.mu), entry(entry) {}
    int Finish(int rc, const std::string& details = {}) {
        if (device) reg.LogLocked(device, entry, std::to_string(rc), details);
        return rc;
    }
    Registry& reg;
    SimDevice* device;
    std::lock_guard<std::mutex> lock;
    const char* entry;
};

// Common frame of an AFC call on a connection: latency first, then the
// connection must be open and its device still attached.
struct AfcCall {
    AfcCall(AFCConnectionRef ref, const char* entry) : reg(Registry::Get()), entry(entry) {
        {
            std::lock_guard<std::mutex> l(reg.mu);
            conn = Lookup<Connection>(ref);
            if (conn && conn->device->config.latencyUs) latency = conn->device->config.latencyUs;
        }
        if (latency) std::this_thread::sleep_for(std::chrono::microseconds(latency));
        lock = std::unique_lock<std::mutex>(reg.mu);
    }
    bool Usable() const {
        return conn && conn->open && conn->generation == conn->device->generation && Attached(conn->device);
    }
    int Finish(int rc, const std::string& details = {}) {
        if (conn) reg.LogLocked(conn->device, entry, std::to_string(rc), details);
        return rc;
    }
    Registry& reg;
    const char* entry;
    Connection* conn = nullptr;
    std::uint64_t latency = 0;
    std::unique_lock<std::mutex> lock;
};

CFTypeRef MakeValue(const devsim::ValueSpec& v, bool stringPointer) {
    using Kind = devsim::ValueSpec::Kind;
    switch (v.kind) {
        case Kind::String: {
            if (!stringPointer) return CFStringCreateWithCString(nullptr, v.text.c_str(), 0x08000100);
            std::u16string w = text::Utf8ToUtf16(v.text);
            return CFStringCreateWithCharacters(nullptr, w.data(), static_cast<CFIndex>(w.size()));
        }
        case Kind::Bool:
            return CFRetain(v.boolean ? kCFBooleanTrue : kCFBooleanFalse);
        case Kind::SInt8: {
            auto x = static_cast<std::int8_t>(v.integer);
            return CFNumberCreate(nullptr, 1, &x);
        }
        case Kind::SInt16: {
            auto x = static_cast<std::int16_t>(v.integer);
            return CFNumberCreate(nullptr, 2, &x);
        }
        case Kind::SInt32: {
            auto x = static_cast<std::int32_t>(v.integer);
            return CFNumberCreate(nullptr, 3, &x);
        }
        case Kind::SInt64:
            return CFNumberCreate(nullptr, 4, &v.integer);
        case Kind::UInt64: {
            std::uint64_t wide[2] = {v.unsigned64, 0};
            return CFNumberCreate(nullptr, 17, wide);
        }
        case Kind::Float64:
            return CFNumberCreate(nullptr, 6, &v.real);
        case Kind::Dict: {
            std::vector<const void*> keys, values;
            for (const auto& [key, value] : v.dict) {
                keys.push_back(CFStringCreateWithCString(nullptr, key.c_str(), 0x08000100));
                values.push_back(MakeValue(value, stringPointer));
            }
            CFTypeRef dict = CFDictionaryCreate(nullptr, keys.data(), values.data(), static_cast<CFIndex>(keys.size()),
                                                nullptr, nullptr);
            for (const void* k : keys) CFRelease(k);
            for (const void* x : values) CFRelease(x);
            return dict;
        }
    }
    return nullptr;
}

}  // namespace

CFStringRef AMDeviceCopyDeviceIdentifier(AMDeviceRef device) {
    DeviceCall c(device, "AMDeviceCopyDeviceIdentifier");
    if (!c.device) return nullptr;
    c.Finish(0);
    return CFStringCreateWithCString(nullptr, c.device->udid.c_str(), 0x08000100);
}

CFTypeRef AMDeviceCopyValue(AMDeviceRef device, CFStringRef domain, CFStringRef key) {
    DeviceCall c(device, "AMDeviceCopyValue");
    if (!c.device) return nullptr;
    std::string name = Text(key);
    CFTypeRef value = nullptr;
    if (Attached(c.device) && c.device->connected && !domain && key) {
        auto it = c.device->config.values.find(name);
        if (it != c.device->config.values.end()) {
            value = MakeValue(it->second, c.device->config.stringPointer);
        } else if (name == "UniqueDeviceID") {
            value = CFStringCreateWithCString(nullptr, c.device->udid.c_str(), 0x08000100);
        }
    }
    c.reg.LogLocked(c.device, "AMDeviceCopyValue", value ? "value" : "null", name);
    return value;
}

int AMDeviceNotificationSubscribe(AMDeviceNotificationCallback callback, std::uint32_t, std::uint32_t, void* cookie,
                                  void** notification) {
    if (!callback || !notification) return kInvalidArgument;
    *notification = Registry::Get().Subscribe(callback, cookie);
    return kOk;
}

int AMDeviceNotificationUnsubscribe(void* notification) {
    return Registry::Get().Unsubscribe(notification) ? kOk : kInvalidArgument;
}

int AMDeviceConnect(AMDeviceRef device) {
    DeviceCall c(device, "AMDeviceConnect");
    if (!c.device) return kInvalidArgument;
    if (!Attached(c.device)) return c.Finish(kNotConnected);
    if (c.device->config.connectRefused) return c.Finish(kRefused);
    c.device->connected = true;
    return c.Finish(kOk);
}

int AMDeviceDisconnect(AMDeviceRef device) {
    DeviceCall c(device, "AMDeviceDisconnect");
    if (!c.device) return kInvalidArgument;
    if (!Attached(c.device)) return c.Finish(kNotConnected);
    c.device->connected = false;
    c.device->session = false;
    return c.Finish(kOk);
}

int AMDeviceIsPaired(AMDeviceRef device) {
    DeviceCall c(device, "AMDeviceIsPaired");
    if (!c.device) return kInvalidArgument;
    if (!Attached(c.device) || !c.device->connected) return c.Finish(kNotConnected);
    return c.Finish(c.device->paired ? 0 : 1);
}

int AMDevicePair(AMDeviceRef device) {
    DeviceCall c(device, "AMDevicePair");
    if (!c.device) return kInvalidArgument;
    if (!Attached(c.device) || !c.device->connected) return c.Finish(kNotConnected);
    if (!c.device->config.pairOk) return c.Finish(kPairingFailed);
    c.device->paired = true;
    return c.Finish(kOk);
}

int AMDeviceUnpair(AMDeviceRef device) {
    DeviceCall c(device, "AMDeviceUnpair");
    if (!c.device) return kInvalidArgument;
    if (!Attached(c.device) || !c.device->connected) return c.Finish(kNotConnected);
    c.device->paired = false;
    return c.Finish(kOk);
}

int AMDeviceValidatePairing(AMDeviceRef device) {
    DeviceCall c(device, "AMDeviceValidatePairing");
    if (!c.device) return kInvalidArgument;
    if (!Attached(c.device) || !c.device->connected) return c.Finish(kNotConnected);
    return c.Finish(c.device->paired && c.device->config.validateOk ? kOk : kPairingFailed);
}

int AMDeviceStartSession(AMDeviceRef device) {
    DeviceCall c(device, "AMDeviceStartSession");
    if (!c.device) return kInvalidArgument;
    if (!Attached(c.device) || !c.device->connected) return c.Finish(kNotConnected);
    if (!c.device->paired || !c.device->config.sessionOk) return c.Finish(kSessionInactive);
    c.device->session = true;
    return c.Finish(kOk);
}

int AMDeviceStopSession(AMDeviceRef device) {
    DeviceCall c(device, "AMDeviceStopSession");
    if (!c.device) return kInvalidArgument;
    if (!Attached(c.device) || !c.device->connected) return c.Finish(kNotConnected);
    if (!c.device->session) return c.Finish(kSessionInactive);
    c.device->session = false;
    return c.Finish(kOk);
}

int AMDeviceStartService(AMDeviceRef device, CFStringRef service, AMServiceHandle* handle, std::uint32_t* unknown) {
    DeviceCall c(device, "AMDeviceStartService");
    if (!c.device) return kInvalidArgument;
    std::string name = Text(service);
    if (!handle) return c.Finish(kInvalidArgument, name);
    *handle = nullptr;
    if (!Attached(c.device) || !c.device->connected) return c.Finish(kNotConnected, name);
    if (!c.device->session) return c.Finish(kSessionInactive, name);
    std::shared_ptr<devsim::AfcVolume> volume;
    if (name == "com.apple.afc2") {
        const auto& starts = c.device->config.afc2Starts;
        if (!c.device->config.afc2 || (starts && c.device->afc2Started >= *starts)) {
            return c.Finish(kServiceProhibited, name);
        }
        ++c.device->afc2Started;
        volume = c.device->rootVolume;
    } else if (name == "com.apple.afc") {
        volume = c.device->mediaVolume;
    } else {
        return c.Finish(kInvalidService, name);
    }
    auto* s = NewHandle<Service>();
    s->device = c.device;
    s->generation = c.device->generation;
    s->volume = volume;
    *handle = s;
    if (unknown) *unknown = 0;
    return c.Finish(kOk, name);
}

int AMDeviceSecureStartService(AMDeviceRef device, CFStringRef service, void*, void** connection) {
    DeviceCall c(device, "AMDeviceSecureStartService");
    if (connection) *connection = nullptr;
    return c.device ? c.Finish(kUndefinedError, Text(service)) : kInvalidArgument;
}

int AMDServiceConnectionGetSocket(void*) { return -1; }

int AFCDeviceInfoOpen(AFCConnectionRef conn, AFCInfoRef* info) {
    AfcCall c(conn, "AFCDeviceInfoOpen");
    if (!c.Usable() || !info) return c.Finish(devsim::kAfcNotConnected);
    auto* kv = NewHandle<KeyValues>();
    kv->device = c.conn->device;
    auto model = c.conn->device->config.values.find("ProductType");
    kv->items = {{"Model", model->second.text},
                 {"FSTotalBytes", "68719476736"},
                 {"FSFreeBytes", "34359738368"},
                 {"FSBlockSize", "4096"}};
    *info = kv;
    return c.Finish(devsim::kAfcOk);
}

int AFCConnectionOpen(AMServiceHandle service, std::uint32_t, AFCConnectionRef* conn) {
    Registry& reg = Registry::Get();
    std::lock_guard<std::mutex> lock(reg.mu);
    auto* s = Lookup<Service>(service);
    if (!s || !conn) return devsim::kAfcInvalidArg;
    *conn = nullptr;
    int rc = devsim::kAfcOk;
    if (s->used || s->generation != s->device->generation || !Attached(s->device)) {
        rc = devsim::kAfcNotConnected;
    } else {
        auto* c = NewHandle<Connection>();
        c->device = s->device;
        c->generation = s->generation;
        c->volume = s->volume;
        s->used = true;
        *conn = c;
    }
    reg.LogLocked(s->device, "AFCConnectionOpen", std::to_string(rc));
    return rc;
}

int AFCConnectionClose(AFCConnectionRef conn) {
    AfcCall c(conn, "AFCConnectionClose");
    if (!c.conn || !c.conn->open) return c.Finish(devsim::kAfcInvalidArg);
    for (AFCFileRef f : c.conn->files) c.conn->volume->Close(f);
    c.conn->files.clear();
    c.conn->open = false;
    return c.Finish(devsim::kAfcOk);
}

int AFCFileInfoOpen(AFCConnectionRef conn, const char* path, AFCInfoRef* info) {
    AfcCall c(conn, "AFCFileInfoOpen");
    if (info) *info = nullptr;
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected, Quote(path));
    if (!path || !info) return c.Finish(devsim::kAfcInvalidArg, Quote(path));
    std::vector<std::pair<std::string, std::string>> items;
    int rc = c.conn->volume->FileInfo(path, &items);
    if (rc == devsim::kAfcOk) {
        auto* kv = NewHandle<KeyValues>();
        kv->device = c.conn->device;
        kv->items = std::move(items);
        *info = kv;
    }
    return c.Finish(rc, path);
}

int AFCKeyValueRead(AFCInfoRef info, char** key, char** value) {
    std::lock_guard<std::mutex> lock(Registry::Get().mu);
    auto* kv = Lookup<KeyValues>(info);
    if (!kv || !kv->open || !key || !value) return devsim::kAfcInvalidArg;
    if (kv->next >= kv->items.size()) {
        *key = *value = nullptr;
    } else {
        auto& item = kv->items[kv->next++];
        *key = item.first.data();
        *value = item.second.data();
    }
    return devsim::kAfcOk;
}

int AFCKeyValueClose(AFCInfoRef info) {
    Registry& reg = Registry::Get();
    std::lock_guard<std::mutex> lock(reg.mu);
    auto* kv = Lookup<KeyValues>(info);
    if (!kv || !kv->open) return devsim::kAfcInvalidArg;
    kv->open = false;
    kv->items.clear();
    reg.LogLocked(kv->device, "AFCKeyValueClose", "0");
    return devsim::kAfcOk;
}

int AFCDirectoryOpen(AFCConnectionRef conn, const char* path, void** dir) {
    AfcCall c(conn, "AFCDirectoryOpen");
    if (dir) *dir = nullptr;
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected, Quote(path));
    if (!path || !dir) return c.Finish(devsim::kAfcInvalidArg, Quote(path));
    std::vector<std::string> names;
    int rc = c.conn->volume->List(path, &names);
    if (rc == devsim::kAfcOk) {
        auto* d = NewHandle<Directory>();
        d->names = std::move(names);
        *dir = d;
    }
    return c.Finish(rc, path);
}

int AFCDirectoryClose(AFCConnectionRef conn, void* dir) {
    AfcCall c(conn, "AFCDirectoryClose");
    auto* d = Lookup<Directory>(dir);
    if (!d || !d->open) return c.Finish(devsim::kAfcInvalidArg);
    d->open = false;
    d->names.clear();
    return c.Finish(devsim::kAfcOk);
}

int AFCDirectoryRead(AFCConnectionRef conn, void* dir, char** entry) {
    AfcCall c(conn, "AFCDirectoryRead");
    auto* d = Lookup<Directory>(dir);
    if (!d || !d->open || !entry) return c.Finish(devsim::kAfcInvalidArg);
    *entry = d->next < d->names.size() ? d->names[d->next++].data() : nullptr;
    return c.Finish(devsim::kAfcOk);
}

int AFCDirectoryCreate(AFCConnectionRef conn, const char* path) {
    AfcCall c(conn, "AFCDirectoryCreate");
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected, Quote(path));
    if (!path) return c.Finish(devsim::kAfcInvalidArg, Quote(path));
    return c.Finish(c.conn->volume->MakeDirectory(path), path);
}

int AFCRenamePath(AFCConnectionRef conn, const char* from, const char* to) {
    AfcCall c(conn, "AFCRenamePath");
    std::string details = Quote(from) + " " + Quote(to);
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected, details);
    if (!from || !to) return c.Finish(devsim::kAfcInvalidArg, details);
    return c.Finish(c.conn->volume->Rename(from, to, c.conn->device->config.renameReplaces), details);
}

int AFCRemovePath(AFCConnectionRef conn, const char* path) {
    AfcCall c(conn, "AFCRemovePath");
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected, Quote(path));
    if (!path) return c.Finish(devsim::kAfcInvalidArg, Quote(path));
    return c.Finish(c.conn->volume->Remove(path), path);
}

int AFCFileRefOpen(AFCConnectionRef conn, const char* path, std::uint64_t mode, AFCFileRef* ref) {
    AfcCall c(conn, "AFCFileRefOpen");
    std::string details = Quote(path) + " " + std::to_string(mode);
    if (ref) *ref = 0;
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected, details);
    if (!path || !ref) return c.Finish(devsim::kAfcInvalidArg, details);
    int rc = c.conn->volume->Open(path, mode, ref);
    if (rc == devsim::kAfcOk) c.conn->files.insert(*ref);
    return c.Finish(rc, details);
}

int AFCFileRefRead(AFCConnectionRef conn, AFCFileRef ref, void* buffer, std::uint32_t* length) {
    AfcCall c(conn, "AFCFileRefRead");
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected);
    if (!c.conn->files.count(ref)) return c.Finish(devsim::kAfcInvalidArg);
    return c.Finish(c.conn->volume->Read(ref, buffer, length));
}

int AFCFileRefSeek(AFCConnectionRef conn, AFCFileRef ref, std::int64_t position, std::uint64_t whence) {
    AfcCall c(conn, "AFCFileRefSeek");
    std::string details = std::to_string(position) + " " + std::to_string(whence);
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected, details);
    if (!c.conn->files.count(ref)) return c.Finish(devsim::kAfcInvalidArg, details);
    return c.Finish(c.conn->volume->Seek(ref, position, whence), details);
}

int AFCFileRefClose(AFCConnectionRef conn, AFCFileRef ref) {
    AfcCall c(conn, "AFCFileRefClose");
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected);
    if (!c.conn->files.erase(ref)) return c.Finish(devsim::kAfcInvalidArg);
    return c.Finish(c.conn->volume->Close(ref));
}

int AFCFileRefWrite(AFCConnectionRef conn, AFCFileRef ref, const void* buffer, std::uint32_t length) {
    AfcCall c(conn, "AFCFileRefWrite");
    std::string details = std::to_string(length);
    if (!c.Usable()) return c.Finish(devsim::kAfcNotConnected, details);
    if (!c.conn->files.count(ref)) return c.Finish(devsim::kAfcInvalidArg, details);
    SimDevice* d = c.conn->device;
    const devsim::DeviceConfig& cfg = d->config;
    // The configured limits cut a write short at the byte where they strike.
    std::uint64_t allowed = length;
    bool fail = false, depart = false;
    if (cfg.writeFailAfter) {
        std::uint64_t left = *cfg.writeFailAfter > d->bytesWritten ? *cfg.writeFailAfter - d->bytesWritten : 0;
        if (left < allowed || left == 0) {
            allowed = std::min(allowed, left);
            fail = true;
        }
    }
    if (cfg.detachAfter) {
        std::uint64_t left = *cfg.detachAfter > d->bytesWritten ? *cfg.detachAfter - d->bytesWritten : 0;
        if (left <= allowed) {
            depart = true;
            if (left < allowed || left == 0) fail = true;
            allowed = std::min(allowed, left);
        }
    }
    // Beyond the drop limit the device reports success and keeps nothing.
    if (cfg.dropWritesAfter) {
        std::uint64_t left = *cfg.dropWritesAfter > d->bytesWritten ? *cfg.dropWritesAfter - d->bytesWritten : 0;
        allowed = std::min(allowed, left);
    }
    int rc = c.conn->volume->Write(ref, buffer, static_cast<std::uint32_t>(allowed));
    if (rc == devsim::kAfcOk) d->bytesWritten += allowed;
    if (rc == devsim::kAfcOk && fail) rc = devsim::kAfcIoError;
    c.Finish(rc, details);
    if (depart) c.reg.DepartLocked(d);
    return rc;
}

int USBMuxConnectByPort(int, int, int* socket) {
    if (socket) *socket = -1;
    return kUndefinedError;
}

int AMDeviceGetConnectionID(AMDeviceRef device) {
    DeviceCall c(device, "AMDeviceGetConnectionID");
    if (!c.device || !Attached(c.device)) return c.device ? c.Finish(0) : 0;
    return c.Finish(static_cast<int>(c.device->generation & 0x7FFFFFFF) + 1);
}
