// The search for Apple's MobileDevice and CoreFoundation libraries and their
// loading, written against a small system interface so the decisions (which
// registry values, which default folders, the search list, the dependency
// preload) are testable without Windows.
#pragma once

#include <string>
#include <vector>

namespace apple {

// The operating-system services the loader uses.
class LoaderSystem {
public:
    virtual ~LoaderSystem() = default;
    // Reads a string value below HKEY_LOCAL_MACHINE\subkey; false when absent.
    virtual bool ReadMachineString(const std::wstring& subkey, const std::wstring& value, std::wstring& out) = 0;
    virtual std::wstring WindowsDirectory() = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual std::wstring GetPathVariable() = 0;
    virtual void SetPathVariable(const std::wstring& value) = 0;
    // Loads a library by full path; null on failure.
    virtual void* LoadLibraryAt(const std::wstring& path) = 0;
    // The address of a library's export, or null when it has none.
    virtual void* FindEntry(void* module, const char* name) = 0;
};

// Where the libraries were found and what goes in front of PATH.
struct LibraryLocation {
    std::wstring mobileDevicePath;
    std::wstring coreFoundationPath;
    std::wstring searchList;
};

inline constexpr wchar_t kMobileDeviceKey[] = L"SOFTWARE\\Apple Inc.\\Apple Mobile Device Support\\Shared";
inline constexpr wchar_t kMobileDeviceValue[] = L"iTunesMobileDeviceDLL";
inline constexpr wchar_t kApplicationSupportKey[] = L"SOFTWARE\\Apple Inc.\\Apple Application Support";
inline constexpr wchar_t kApplicationSupportValue[] = L"InstallDir";

// Libraries Apple's CoreFoundation needs, loaded from its folder when it does
// not load by itself.
extern const std::vector<std::wstring> kDependencyNames;

// Finds both libraries (registry first, then the default folders on the
// Windows drive). False when either is missing.
bool LocateLibraries(LoaderSystem& system, LibraryLocation& location);

// The folder part of a path: everything up to and including its last
// backslash (empty when there is none).
std::wstring FolderOf(const std::wstring& path);

// The drive of a Windows folder: its text up to and including the first ':'.
std::wstring DriveOf(const std::wstring& windowsDirectory);

struct LoadedModules {
    void* coreFoundation = nullptr;
    void* mobileDevice = nullptr;
};

// Puts the search list in front of PATH and loads CoreFoundation, then
// MobileDevice, preloading the dependencies from CoreFoundation's folder at
// most once when a library does not load by itself. False when either fails.
bool LoadLocatedLibraries(LoaderSystem& system, const LibraryLocation& location, LoadedModules& modules);

}  // namespace apple
