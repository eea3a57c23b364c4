// The portable part of the Apple library bridge: the entry tables, their
// resolution over a LoaderSystem, the notification callback and the order
// of the load (resolve everything, store the handler, subscribe last).
#include <atomic>
#include <mutex>
#include <type_traits>

#include "device/apple_libraries.h"
#include "device/library_loader.h"

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
};

BridgeState& Bridge() {
    static BridgeState* state = new BridgeState;  // outlives every library thread
    return *state;
}

template <typename Table, typename Fn>
bool Resolve(LoaderSystem& system, void* module, Table& table, Fn&& forEach) {
    bool ok = module != nullptr;
    forEach(table, [&](auto& slot, const char* name) {
        if (!ok) return;  // the first missing name fails the whole table
        void* proc = system.FindEntry(module, name);
        if (!proc) {
            ok = false;
            return;
        }
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(proc);
    });
    return ok;
}

bool ResolveMobileDevice(LoaderSystem& system, void* module) {
    return Resolve(system, module, g_mobileDevice, [](MobileDeviceTable& t, auto&& visit) {
#define TOVANE_VISIT(name, result, params) visit(t.name, #name);
        TOVANE_MOBILEDEVICE_ENTRIES(TOVANE_VISIT)
#undef TOVANE_VISIT
    });
}

bool ResolveCoreFoundation(LoaderSystem& system, void* module) {
    return Resolve(system, module, g_coreFoundation, [](CoreFoundationTable& t, auto&& visit) {
#define TOVANE_VISIT(name, result, params) visit(t.name, #name);
        TOVANE_COREFOUNDATION_ENTRIES(TOVANE_VISIT)
#undef TOVANE_VISIT
    });
}

// Called by the MobileDevice library on its own thread; nothing may unwind
// into the library.
void NotificationCallback(const AMDeviceNotificationInfo* info, void* /*cookie*/) {
    if (!info) return;
    BridgeState& bridge = Bridge();
    DeviceEventHandler handler = bridge.handler.load();
    if (!handler) return;
    DeviceEvent event{info->device, info->message};
    try {
        handler(&event, bridge.context.load());
    } catch (...) {
    }
}

}  // namespace

MobileDeviceTable& MobileDevice() { return g_mobileDevice; }
CoreFoundationTable& CoreFoundation() { return g_coreFoundation; }

bool ResolveEntryTables(LoaderSystem& system, void* mobileDeviceModule, void* coreFoundationModule) {
    return ResolveMobileDevice(system, mobileDeviceModule) && ResolveCoreFoundation(system, coreFoundationModule);
}

bool LoadDeviceLibrariesWith(LoaderSystem& system, DeviceEventHandler handler, void* context) {
    BridgeState& bridge = Bridge();
    std::lock_guard<std::mutex> guard(bridge.lock);
    // Keyed on our own state rather than on module names, so libraries that
    // someone else loaded earlier still get their tables resolved.
    if (bridge.loaded) return true;

    LibraryLocation location;
    if (!LocateLibraries(system, location)) return false;
    bridge.location = location;
    LoadedModules modules;
    if (!LoadLocatedLibraries(system, location, modules)) return false;
    if (!ResolveEntryTables(system, modules.mobileDevice, modules.coreFoundation)) return false;

    // The library may report devices that are already attached while it
    // subscribes, on its own thread: the handler must be in place before.
    bridge.context.store(context);
    bridge.handler.store(handler);
    if (g_mobileDevice.AMDeviceNotificationSubscribe(&NotificationCallback, 0, 0, nullptr, &bridge.notification) != 0) {
        bridge.handler.store(nullptr);
        bridge.context.store(nullptr);
        return false;
    }
    bridge.loaded = true;
    return true;
}

const LibraryLocation& LastLibraryLocation() { return Bridge().location; }

}  // namespace apple
