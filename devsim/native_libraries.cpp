#include "devsim/native_libraries.h"

#include <cstring>

#include "devsim/cf_api.h"

#define DEVSIM_DECLARE_MD_ENTRY(name, result, params) extern "C" result name params;
TOVANE_MOBILEDEVICE_ENTRIES(DEVSIM_DECLARE_MD_ENTRY)
#undef DEVSIM_DECLARE_MD_ENTRY

namespace devsim {
namespace {

struct Export {
    const char* name;
    void* address;
};

#define DEVSIM_EXPORT(name, result, params) {#name, reinterpret_cast<void*>(&::name)},
const Export kMobileDeviceExports[] = {TOVANE_MOBILEDEVICE_ENTRIES(DEVSIM_EXPORT)};
const Export kCoreFoundationExports[] = {
    TOVANE_COREFOUNDATION_ENTRIES(DEVSIM_EXPORT){"CFRetain", reinterpret_cast<void*>(&::CFRetain)},
    {"CFGetRetainCount", reinterpret_cast<void*>(&::CFGetRetainCount)},
    {"CFStringCreateWithCharacters", reinterpret_cast<void*>(&::CFStringCreateWithCharacters)},
    {"CFNumberCreate", reinterpret_cast<void*>(&::CFNumberCreate)},
    {"CFDictionaryCreate", reinterpret_cast<void*>(&::CFDictionaryCreate)},
    {"CFDictionaryGetCount", reinterpret_cast<void*>(&::CFDictionaryGetCount)},
    {"CFDictionaryGetValue", reinterpret_cast<void*>(&::CFDictionaryGetValue)},
    {"CFURLGetTypeID", reinterpret_cast<void*>(&::CFURLGetTypeID)},
    {"DevsimLiveObjectCount", reinterpret_cast<void*>(&::DevsimLiveObjectCount)},
};
#undef DEVSIM_EXPORT

// Module tokens: distinct addresses standing for the two loaded libraries.
char g_mobileDeviceModule;
char g_coreFoundationModule;

template <std::size_t N>
void* Find(const Export (&exports)[N], const char* name) {
    for (const Export& e : exports) {
        if (std::strcmp(e.name, name) == 0) return e.address;
    }
    return nullptr;
}

}  // namespace

void* FindNativeExport(NativeLibrary library, const char* name) {
    if (!name) return nullptr;
    return library == NativeLibrary::kMobileDevice ? Find(kMobileDeviceExports, name)
                                                   : Find(kCoreFoundationExports, name);
}

bool NativeLoaderSystem::ReadMachineString(const std::wstring& subkey, const std::wstring& value, std::wstring& out) {
    if (subkey == apple::kMobileDeviceKey && value == apple::kMobileDeviceValue) {
        out = kMobileDevicePath;
        return true;
    }
    if (subkey == apple::kApplicationSupportKey && value == apple::kApplicationSupportValue) {
        out = kCoreFoundationFolder;
        return true;
    }
    return false;
}

bool NativeLoaderSystem::FileExists(const std::wstring& path) {
    return path == kMobileDevicePath || path == std::wstring(kCoreFoundationFolder) + L"CoreFoundation.dll";
}

void* NativeLoaderSystem::LoadLibraryAt(const std::wstring& path) {
    if (path == kMobileDevicePath) return &g_mobileDeviceModule;
    if (path == std::wstring(kCoreFoundationFolder) + L"CoreFoundation.dll") return &g_coreFoundationModule;
    return nullptr;
}

void* NativeLoaderSystem::FindEntry(void* module, const char* name) {
    if (module == &g_mobileDeviceModule) return FindNativeExport(NativeLibrary::kMobileDevice, name);
    if (module == &g_coreFoundationModule) return FindNativeExport(NativeLibrary::kCoreFoundation, name);
    return nullptr;
}

}  // namespace devsim
