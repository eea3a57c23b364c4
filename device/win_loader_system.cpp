#include "device/win_loader_system.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "common/win_handles.h"

namespace apple {

bool WinLoaderSystem::ReadMachineString(const std::wstring& subkey, const std::wstring& value, std::wstring& out) {
    win::ScopedRegKey key;
    // RegCreateKeyW opens the key, creating it when missing and allowed.
    if (::RegCreateKeyW(HKEY_LOCAL_MACHINE, subkey.c_str(), key.receive()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) {
        return false;
    }
    // One extra unit so a value stored without its terminator still ends.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    out.assign(buffer.data());
    return true;
}

std::wstring WinLoaderSystem::WindowsDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    UINT n = ::GetWindowsDirectoryW(buffer, MAX_PATH);
    return n > 0 && n <= MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

bool WinLoaderSystem::FileExists(const std::wstring& path) { return ::PathFileExistsW(path.c_str()) != FALSE; }

std::wstring WinLoaderSystem::GetPathVariable() {
    std::vector<wchar_t> buffer(32767, L'\0');
    DWORD n = ::GetEnvironmentVariableW(L"PATH", buffer.data(), static_cast<DWORD>(buffer.size()));
    return n > 0 && n < buffer.size() ? std::wstring(buffer.data(), n) : std::wstring();
}

void WinLoaderSystem::SetPathVariable(const std::wstring& value) { ::SetEnvironmentVariableW(L"PATH", value.c_str()); }

void* WinLoaderSystem::LoadLibraryAt(const std::wstring& path) {
    // Loaded for the life of the process: never freed.
    return ::LoadLibraryW(path.c_str());
}

void* WinLoaderSystem::FindEntry(void* module, const char* name) {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

bool LoadDeviceLibraries(DeviceEventHandler handler, void* context) {
    WinLoaderSystem system;
    return LoadDeviceLibrariesWith(system, handler, context);
}

bool ResolveEntryTables(void* mobileDeviceModule, void* coreFoundationModule) {
    WinLoaderSystem system;
    return ResolveEntryTables(system, mobileDeviceModule, coreFoundationModule);
}

}  // namespace apple
