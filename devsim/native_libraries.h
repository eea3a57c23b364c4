// Native programs link the simulated libraries in directly instead of
// loading the DLLs: their functions by export name, and a loader system that
// "finds" and "loads" them the way the installer finds Apple's, so the whole
// library bridge runs against them.
#pragma once

#include <string>

#include "device/library_loader.h"

namespace devsim {

enum class NativeLibrary { kMobileDevice, kCoreFoundation };

// The address of a simulated export, or null when the library has none.
void* FindNativeExport(NativeLibrary library, const char* name);

// The registry of a machine with the simulated libraries installed at
// kMobileDevicePath and kCoreFoundationFolder; loading them gives module
// tokens whose entries FindEntry looks up.
class NativeLoaderSystem : public apple::LoaderSystem {
public:
    static constexpr wchar_t kMobileDevicePath[] = L"C:\\devsim\\iTunesMobileDevice.dll";
    static constexpr wchar_t kCoreFoundationFolder[] = L"C:\\devsim\\";

    bool ReadMachineString(const std::wstring& subkey, const std::wstring& value, std::wstring& out) override;
    std::wstring WindowsDirectory() override { return L"C:\\windows"; }
    bool FileExists(const std::wstring& path) override;
    std::wstring GetPathVariable() override { return path_; }
    void SetPathVariable(const std::wstring& value) override { path_ = value; }
    void* LoadLibraryAt(const std::wstring& path) override;
    void* FindEntry(void* module, const char* name) override;

private:
    std::wstring path_ = L"C:\\windows\\system32";
};

}  // namespace devsim
