// Finding and loading Apple's MobileDevice and CoreFoundation libraries,
// resolving their entry tables and subscribing to device notifications.
#pragma once

#include <cstdint>

#include "device/apple_entry_points.h"

namespace apple {

// Handed to the application's handler for every device notification.
struct DeviceEvent {
  AMDeviceRef device;
  std::uint32_t message;  // 1 attached, 2 detached, others passed on unchanged
};
inline constexpr std::uint32_t kDeviceAttached = 1;
inline constexpr std::uint32_t kDeviceDetached = 2;

using DeviceEventHandler = void (*)(const DeviceEvent* event, void* context);

// True when both libraries are loaded, every entry point of both tables was
// found and the notification subscription is active.
bool LoadDeviceLibraries(DeviceEventHandler handler, void* context);

// The process-wide entry tables, filled by LoadDeviceLibraries. Tests may fill
// them directly, or with ResolveEntryTables from modules they loaded.
MobileDeviceTable& MobileDevice();
CoreFoundationTable& CoreFoundation();

// Resolves both process-wide tables from already loaded modules (HMODULEs,
// passed as void* to keep <windows.h> out of this header). False when any
// entry point is missing; no subscription is made.
bool ResolveEntryTables(void* mobileDeviceModule, void* coreFoundationModule);

}  // namespace apple
