// A throw-away stand-in for Apple's MobileDevice or CoreFoundation library
// (FAKE_MOBILEDEVICE / FAKE_COREFOUNDATION) that exports every entry point
// with an empty body; built once more with one export renamed away to check
// that a missing entry point fails the load. FakeNotify fires the
// notification callback the loader subscribed; FakeSubscribed tells whether
// there is one.
#include "device/apple_entry_points.h"

template <typename T>
T Zero() {
    return T();
}

#define TOVANE_FAKE_EXPORT(name, result, params) \
    extern "C" __declspec(dllexport) result name params { return Zero<result>(); }

#if defined(FAKE_MOBILEDEVICE)
namespace {
apple::AMDeviceNotificationCallback g_callback = nullptr;
void* g_cookie = nullptr;
}  // namespace

#define AMDeviceNotificationSubscribe AMDeviceNotificationSubscribe_unused
TOVANE_MOBILEDEVICE_ENTRIES(TOVANE_FAKE_EXPORT)
#undef AMDeviceNotificationSubscribe

extern "C" __declspec(dllexport) int AMDeviceNotificationSubscribe(apple::AMDeviceNotificationCallback callback,
                                                                   std::uint32_t, std::uint32_t, void* cookie,
                                                                   void** notification) {
    g_callback = callback;
    g_cookie = cookie;
    static int handle;
    if (notification) *notification = &handle;
    return 0;
}

extern "C" __declspec(dllexport) int FakeSubscribed() { return g_callback != nullptr; }

extern "C" __declspec(dllexport) void FakeNotify(void* device, std::uint32_t message) {
    apple::AMDeviceNotificationInfo info{device, message};
    if (g_callback) g_callback(&info, g_cookie);
}
#else
TOVANE_COREFOUNDATION_ENTRIES(TOVANE_FAKE_EXPORT)
#endif
