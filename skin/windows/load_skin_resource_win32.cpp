// LoadSkinResource: finds the skin package among the executable's own
// resources and hands its bytes to the resource manager's package pass.
#include <windows.h>

#include "common/win_handles.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/skin_api_win32.h"

int LoadSkinResource(const wchar_t* resourceType, int resourceId, const char* password) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(static_cast<WORD>(resourceId)), resourceType);
    if (!resource) return 0;
    win::ScopedResource loaded(LoadResource(module, resource));
    const void* bytes = loaded.get() ? LockResource(loaded.get()) : nullptr;
    DWORD size = SizeofResource(module, resource);
    // The outcome of the load is not reported: the resource exists. Nothing
    // thrown while loading may reach the caller's start-up code.
    try {
        if (bytes && size) GetSkinResourceManager()->LoadFromMemory(bytes, size, password);
    } catch (...) {
    }
    return 1;
}
