// The library bridge's load against the simulated libraries (linked in):
// everything is resolved and the handler stored before the subscription, so
// a device that is already plugged in reaches the handler, and a load that
// fails leaves no subscription behind.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>
#include <string>

#include "device/apple_libraries.h"
#include "devsim/devsim_fixture.h"
#include "devsim/native_libraries.h"

using devsim_test::SimDevice;

extern "C" int AMDeviceNotificationSubscribe(apple::AMDeviceNotificationCallback, std::uint32_t, std::uint32_t, void*,
                                             void**);

namespace {

std::atomic<int> g_events{0};
std::atomic<apple::AMDeviceRef> g_device{nullptr};
std::atomic<void*> g_context{nullptr};

void Handler(const apple::DeviceEvent* event, void* context) {
    if (event->message != apple::kDeviceAttached) return;
    g_device = event->device;
    g_context = context;
    ++g_events;
}

// A MobileDevice library that reports the devices already attached while
// the subscription is being made, before it returns: whoever is not
// listening by then misses them.
apple::AMDeviceNotificationCallback g_bridgeCallback = nullptr;
void* g_bridgeCookie = nullptr;
std::atomic<int> g_delivered{0};

void Interposed(const apple::AMDeviceNotificationInfo* info, void* cookie) {
    g_bridgeCallback(info, g_bridgeCookie);
    ++g_delivered;
}

int SubscribeReportingAtOnce(apple::AMDeviceNotificationCallback callback, std::uint32_t a, std::uint32_t b,
                             void* cookie, void** notification) {
    g_bridgeCallback = callback;
    g_bridgeCookie = cookie;
    const int rc = ::AMDeviceNotificationSubscribe(&Interposed, a, b, nullptr, notification);
    devsim_test::WaitUntil([] { return g_delivered.load() > 0; }, 3000);
    return rc;
}

int SubscribeRefused(apple::AMDeviceNotificationCallback, std::uint32_t, std::uint32_t, void*, void**) {
    return static_cast<int>(0xE8000001u);
}

class TestSystem : public devsim::NativeLoaderSystem {
public:
    void* (*subscribe)() = nullptr;
    std::set<std::string> missing;  // exports these libraries lack
    void* FindEntry(void* module, const char* name) override {
        if (missing.count(name)) return nullptr;
        if (subscribe && std::strcmp(name, "AMDeviceNotificationSubscribe") == 0) return subscribe();
        return NativeLoaderSystem::FindEntry(module, name);
    }
};

void* ReportingAtOnce() { return reinterpret_cast<void*>(&SubscribeReportingAtOnce); }
void* Refused() { return reinterpret_cast<void*>(&SubscribeRefused); }

// A device attaches after a failed load: nobody may hear of it.
void ExpectNoListener() {
    SimDevice later;
    ASSERT_NE(later.WaitAttached(), nullptr);
    devsim_test::SleepMs(300);
    EXPECT_EQ(g_events.load(), 0);
}

}  // namespace

TEST(AppleBridge, AlreadyAttachedDeviceReachesTheHandler) {
    SimDevice present("DeviceName=Present\n");
    ASSERT_NE(present.WaitAttached(), nullptr);
    TestSystem system;
    system.subscribe = &ReportingAtOnce;
    int context = 0;
    ASSERT_TRUE(apple::LoadDeviceLibrariesWith(system, &Handler, &context));
    ASSERT_TRUE(devsim_test::WaitUntil([] { return g_events.load() > 0; }, 3000));
    EXPECT_EQ(g_device.load(), present.ref());
    EXPECT_EQ(g_context.load(), &context);
    EXPECT_EQ(system.GetPathVariable(), L"C:\\devsim\\;C:\\devsim\\;C:\\windows\\system32");

    // Loaded once: a second call changes nothing.
    TestSystem other;
    other.missing = {"CFRelease"};
    EXPECT_TRUE(apple::LoadDeviceLibrariesWith(other, &Handler, nullptr));
    EXPECT_EQ(other.GetPathVariable(), L"C:\\windows\\system32");
}

TEST(AppleBridge, CoreFoundationMissingAnEntryLeavesNoSubscription) {
    TestSystem system;
    system.missing = {"CFDataGetBytes"};
    EXPECT_FALSE(apple::LoadDeviceLibrariesWith(system, &Handler, nullptr));
    ExpectNoListener();
}

TEST(AppleBridge, RefusedSubscriptionFailsTheLoad) {
    TestSystem system;
    system.subscribe = &Refused;
    EXPECT_FALSE(apple::LoadDeviceLibrariesWith(system, &Handler, nullptr));
    ExpectNoListener();
}
