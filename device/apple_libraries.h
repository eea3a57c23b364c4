// Finding and loading Apple's MobileDevice and CoreFoundation libraries,
// resolving their entry tables and subscribing to device notifications.
#pragma once

#include <cstdint>

#include "device/apple_entry_points.h"

namespace apple {

class LoaderSystem;
struct LibraryLocation;

// Handed to the application's handler for every device notification.
struct DeviceEvent {
    AMDeviceRef device;
    std::uint32_t message;  // 1 attached, 2 detached, others passed on unchanged
};
inline constexpr std::uint32_t kDeviceAttached = 1;
inline constexpr std::uint32_t kDeviceDetached = 2;

using DeviceEventHandler = void (*)(const DeviceEvent* event, void* context);

// True when both libraries are loaded, every entry point of both tables was
// found and the notification subscription is active. Everything is resolved
// and the handler stored before the subscription is made, so a device that
// is already plugged in reaches the handler, and a load that fails leaves no
// subscription behind. Windows only (registry and LoadLibraryW).
bool LoadDeviceLibraries(DeviceEventHandler handler, void* context);

// The same over a given system; the first successful load makes later calls
// return true at once.
bool LoadDeviceLibrariesWith(LoaderSystem& system, DeviceEventHandler handler, void* context);

// Where the last load found the libraries (for tests and diagnostics).
const LibraryLocation& LastLibraryLocation();

// The process-wide entry tables, filled by LoadDeviceLibraries. Tests may fill
// them directly, or with ResolveEntryTables from modules they loaded.
MobileDeviceTable& MobileDevice();
CoreFoundationTable& CoreFoundation();

// Resolves both process-wide tables from modules the system loaded. False
// when any entry point is missing; no subscription is made.
bool ResolveEntryTables(LoaderSystem& system, void* mobileDeviceModule, void* coreFoundationModule);
// The same for modules loaded by LoadLibraryW (HMODULEs as void*). Windows only.
bool ResolveEntryTables(void* mobileDeviceModule, void* coreFoundationModule);

}  // namespace apple
