// LoadSkinResource: finds the skin package among the executable's own
// resources and hands its bytes to the resource manager's package pass.
#include <windows.h>

#include "skin/resources/skin_resource_manager.h"
#include "skin/windows/skin_api.h"

namespace {

// A loaded resource, released when it goes out of scope.
class LoadedResource {
public:
    LoadedResource(HMODULE module, HRSRC resource) : handle_(LoadResource(module, resource)) {}
    ~LoadedResource() {
        if (handle_) FreeResource(handle_);
    }
    LoadedResource(const LoadedResource&) = delete;
    LoadedResource& operator=(const LoadedResource&) = delete;
    HGLOBAL Get() const { return handle_; }

private:
    HGLOBAL handle_;
};

}  // namespace

int LoadSkinResource(const wchar_t* resourceType, int resourceId, const char* password) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(static_cast<WORD>(resourceId)), resourceType);
    if (!resource) return 0;
    LoadedResource loaded(module, resource);
    const void* bytes = loaded.Get() ? LockResource(loaded.Get()) : nullptr;
    DWORD size = SizeofResource(module, resource);
    // The outcome of the load is not reported: the resource exists. Nothing
    // thrown while loading may reach the caller's start-up code.
    try {
        if (bytes && size) GetSkinResourceManager()->LoadFromMemory(bytes, size, password);
    } catch (...) {
    }
    return 1;
}
