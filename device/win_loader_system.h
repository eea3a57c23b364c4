// The loader's system services on Windows: registry, files, PATH,
// LoadLibraryW and GetProcAddress.
#pragma once

#include "device/apple_libraries.h"
#include "device/library_loader.h"

namespace apple {

class WinLoaderSystem : public LoaderSystem {
public:
    bool ReadMachineString(const std::wstring& subkey, const std::wstring& value, std::wstring& out) override;
    std::wstring WindowsDirectory() override;
    bool FileExists(const std::wstring& path) override;
    std::wstring GetPathVariable() override;
    void SetPathVariable(const std::wstring& value) override;
    void* LoadLibraryAt(const std::wstring& path) override;
    void* FindEntry(void* module, const char* name) override;
};

}  // namespace apple
