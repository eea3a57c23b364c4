// Win32 side of the Apple library bridge: the registry, file and loader
// services, entry-table resolution and the notification subscription.
#include "device/apple_libraries.h"

#include <windows.h>
#include <shlwapi.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "common/win_handles.h"
#include "device/library_loader.h"
#include "device/win_loader_system.h"

namespace apple {
namespace {

MobileDeviceTable g_mobileDevice;
CoreFoundationTable g_coreFoundation;

// Process-wide bridge state; filled once, never freed.
struct BridgeState {
  std::mutex lock;
  bool loaded = false;
  void* notification = nullptr;
  LibraryLocation location;
  std::atomic<DeviceEventHandler> handler{nullptr};
  std::atomic<void*> context{nullptr};
} g_bridge;

template <typename Table, typename Fn>
bool Resolve(HMODULE module, Table& table, Fn&& forEach) {
  bool ok = true;
  forEach(table, [&](auto& slot, const char* name) {
    if (!ok) return;  // the first missing name fails the whole table
    FARPROC proc = ::GetProcAddress(module, name);
    if (!proc) {
      ok = false;
      return;
    }
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(reinterpret_cast<void*>(proc));
  });
  return ok;
}

bool ResolveMobileDevice(HMODULE module) {
  return Resolve(module, g_mobileDevice, [](MobileDeviceTable& t, auto&& visit) {
#define TOVANE_VISIT(name, result, params) visit(t.name, #name);
    TOVANE_MOBILEDEVICE_ENTRIES(TOVANE_VISIT)
#undef TOVANE_VISIT
  });
}

bool ResolveCoreFoundation(HMODULE module) {
  return Resolve(module, g_coreFoundation, [](CoreFoundationTable& t, auto&& visit) {
#define TOVANE_VISIT(name, result, params) visit(t.name, #name);
    TOVANE_COREFOUNDATION_ENTRIES(TOVANE_VISIT)
#undef TOVANE_VISIT
  });
}

// Called by the MobileDevice library on its own thread.
void NotificationCallback(const AMDeviceNotificationInfo* info, void* /*cookie*/) {
  if (!info) return;
  DeviceEventHandler handler = g_bridge.handler.load();
  if (!handler) return;  // not subscribed for the application yet: dropped
  DeviceEvent event{info->device, info->message};
  handler(&event, g_bridge.context.load());
}

}  // namespace

MobileDeviceTable& MobileDevice() { return g_mobileDevice; }
CoreFoundationTable& CoreFoundation() { return g_coreFoundation; }

bool ResolveEntryTables(void* mobileDeviceModule, void* coreFoundationModule) {
  return ResolveMobileDevice(static_cast<HMODULE>(mobileDeviceModule)) &&
         ResolveCoreFoundation(static_cast<HMODULE>(coreFoundationModule));
}

bool LoadDeviceLibrariesWith(LoaderSystem& system, DeviceEventHandler handler, void* context) {
  std::lock_guard<std::mutex> guard(g_bridge.lock);
  // Keyed on our own state rather than on module names, so libraries that
  // someone else loaded earlier still get their tables resolved.
  if (g_bridge.loaded) return true;

  LibraryLocation location;
  if (!LocateLibraries(system, location)) return false;
  g_bridge.location = location;
  LoadedModules modules;
  if (!LoadLocatedLibraries(system, location, modules)) return false;

  if (!ResolveMobileDevice(static_cast<HMODULE>(modules.mobileDevice))) return false;
  if (g_mobileDevice.AMDeviceNotificationSubscribe(&NotificationCallback, 0, 0, nullptr,
                                                   &g_bridge.notification) != 0) {
    return false;
  }
  g_bridge.context.store(context);
  g_bridge.handler.store(handler);

  if (!ResolveCoreFoundation(static_cast<HMODULE>(modules.coreFoundation))) return false;
  g_bridge.loaded = true;
  return true;
}

bool LoadDeviceLibraries(DeviceEventHandler handler, void* context) {
  WinLoaderSystem system;
  return LoadDeviceLibrariesWith(system, handler, context);
}

const LibraryLocation& LastLibraryLocation() { return g_bridge.location; }

}  // namespace apple
