#include "device/library_loader.h"

namespace apple {

const std::vector<std::wstring> kDependencyNames = {
    L"ASL.dll",     L"pthreadVC2.dll", L"objc.dll",     L"zlib1.dll",   L"libdispatch.dll",
    L"icudt46.dll", L"libicuuc.dll",   L"libicuin.dll", L"libxml2.dll", L"SQLite3.dll",
};

namespace {

constexpr wchar_t kMobileDeviceX86Template[] =
    L"\\Program Files (x86)\\Common Files\\Apple\\Mobile Device Support\\iTunesMobileDevice.dll";
constexpr wchar_t kMobileDeviceTemplate[] =
    L"\\Program Files\\Common Files\\Apple\\Mobile Device Support\\iTunesMobileDevice.dll";
constexpr wchar_t kCoreFoundationX86Template[] =
    L"\\Program Files (x86)\\Common Files\\Apple\\Apple Application Support\\CoreFoundation.dll";
constexpr wchar_t kCoreFoundationTemplate[] =
    L"\\Program Files\\Common Files\\Apple\\Apple Application Support\\CoreFoundation.dll";

// The first of the two default candidates on the Windows drive that exists.
std::wstring FindDefault(LoaderSystem& system, const wchar_t* x86Tail, const wchar_t* tail) {
    const std::wstring drive = DriveOf(system.WindowsDirectory());
    for (const wchar_t* t : {x86Tail, tail}) {
        std::wstring candidate = drive + t;
        if (system.FileExists(candidate)) return candidate;
    }
    return {};
}

void AppendToList(std::wstring& list, const std::wstring& folder) {
    if (folder.empty()) return;
    if (!list.empty()) list += L';';
    list += folder;
}

void PreloadDependencies(LoaderSystem& system, const std::wstring& folder) {
    for (const std::wstring& name : kDependencyNames) system.LoadLibraryAt(folder + name);
}

}  // namespace

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring DriveOf(const std::wstring& windowsDirectory) {
    const auto colon = windowsDirectory.find(L':');
    return colon == std::wstring::npos ? std::wstring() : windowsDirectory.substr(0, colon + 1);
}

bool LocateLibraries(LoaderSystem& system, LibraryLocation& location) {
    location = LibraryLocation();

    std::wstring value;
    if (system.ReadMachineString(kMobileDeviceKey, kMobileDeviceValue, value) && !value.empty()) {
        location.mobileDevicePath = value;
    } else {
        location.mobileDevicePath = FindDefault(system, kMobileDeviceX86Template, kMobileDeviceTemplate);
    }
    if (location.mobileDevicePath.empty()) return false;
    // A library found in a default folder contributes its folder too, so that
    // its own dependencies resolve the same way as for a registered one.
    location.searchList = FolderOf(location.mobileDevicePath);

    value.clear();
    if (system.ReadMachineString(kApplicationSupportKey, kApplicationSupportValue, value) && !value.empty()) {
        location.coreFoundationPath = value + L"CoreFoundation.dll";
        AppendToList(location.searchList, value);
    } else {
        location.coreFoundationPath = FindDefault(system, kCoreFoundationX86Template, kCoreFoundationTemplate);
        AppendToList(location.searchList, FolderOf(location.coreFoundationPath));
    }
    return !location.coreFoundationPath.empty();
}

bool LoadLocatedLibraries(LoaderSystem& system, const LibraryLocation& location, LoadedModules& modules) {
    system.SetPathVariable(location.searchList + L";" + system.GetPathVariable());

    const std::wstring dependencyFolder = FolderOf(location.coreFoundationPath);
    bool preloaded = false;
    modules.coreFoundation = system.LoadLibraryAt(location.coreFoundationPath);
    if (!modules.coreFoundation) {
        PreloadDependencies(system, dependencyFolder);
        preloaded = true;
        modules.coreFoundation = system.LoadLibraryAt(location.coreFoundationPath);
        if (!modules.coreFoundation) return false;
    }

    modules.mobileDevice = system.LoadLibraryAt(location.mobileDevicePath);
    if (!modules.mobileDevice) {
        if (preloaded) return false;
        PreloadDependencies(system, dependencyFolder);
        modules.mobileDevice = system.LoadLibraryAt(location.mobileDevicePath);
        if (!modules.mobileDevice) return false;
    }
    return true;
}

}  // namespace apple
