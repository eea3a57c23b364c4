// Loading throw-away Apple libraries through the real registry and loader.
// Each case runs in a process of its own (see CMakeLists.txt): a library
// loaded once stays loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "device/apple_libraries.h"
#include "device/win_loader_system.h"
#include "support/win_test_support.h"

namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::wstring PathVariable() {
    std::wstring buffer(32767, L'\0');
    DWORD n = ::GetEnvironmentVariableW(L"PATH", buffer.data(), 32767);
    buffer.resize(n);
    return buffer;
}

std::atomic<int> g_events{0};
std::atomic<void*> g_lastDevice{nullptr};
std::atomic<std::uint32_t> g_lastMessage{0};
std::atomic<void*> g_lastContext{nullptr};

void Handler(const apple::DeviceEvent* event, void* context) {
    g_lastDevice = event->device;
    g_lastMessage = event->message;
    g_lastContext = context;
    ++g_events;
}

TEST(AppleLibraries, RegisteredLibrariesLoadSubscribeAndExtendPath) {
    testing_support::AppleRegistry registry;
    const std::wstring mdFolder = ExeFolder() + L"fakes\\full\\";
    const std::wstring cfFolder = ExeFolder() + L"fakes\\cf\\";
    registry.Set(mdFolder + L"iTunesMobileDevice.dll", cfFolder);
    const std::wstring oldPath = PathVariable();

    int context = 0;
    ASSERT_TRUE(apple::LoadDeviceLibraries(&Handler, &context));
    EXPECT_EQ(PathVariable(), mdFolder + L";" + cfFolder + L";" + oldPath);
    EXPECT_NE(apple::MobileDevice().USBMuxConnectByPort, nullptr);
    EXPECT_NE(apple::CoreFoundation().CFDataGetBytes, nullptr);

    // The library's notifications reach the handler with the stored context.
    HMODULE md = ::GetModuleHandleW(L"iTunesMobileDevice.dll");
    ASSERT_NE(md, nullptr);
    auto notify =
        reinterpret_cast<void (*)(void*, std::uint32_t)>(reinterpret_cast<void*>(::GetProcAddress(md, "FakeNotify")));
    ASSERT_NE(notify, nullptr);
    int device = 0;
    notify(&device, 2);
    EXPECT_EQ(g_events.load(), 1);
    EXPECT_EQ(g_lastDevice.load(), &device);
    EXPECT_EQ(g_lastMessage.load(), 2u);
    EXPECT_EQ(g_lastContext.load(), &context);

    // A second call after success returns at once: it no longer needs the registry.
    registry.Remove();
    const std::wstring pathAfter = PathVariable();
    EXPECT_TRUE(apple::LoadDeviceLibraries(&Handler, &context));
    EXPECT_EQ(PathVariable(), pathAfter);
}

TEST(AppleLibraries, MissingEntryPointFailsTheLoad) {
    testing_support::AppleRegistry registry;
    registry.Set(ExeFolder() + L"fakes\\missing\\iTunesMobileDevice.dll", ExeFolder() + L"fakes\\cf\\");
    EXPECT_FALSE(apple::LoadDeviceLibraries(&Handler, nullptr));
    EXPECT_EQ(::GetProcAddress(::GetModuleHandleW(L"iTunesMobileDevice.dll"), "USBMuxConnectByPort"), nullptr);
}

TEST(AppleLibraries, CoreFoundationMissingAnEntryLeavesNoSubscription) {
    testing_support::AppleRegistry registry;
    registry.Set(ExeFolder() + L"fakes\\full\\iTunesMobileDevice.dll", ExeFolder() + L"fakes\\cf_missing\\");
    EXPECT_FALSE(apple::LoadDeviceLibraries(&Handler, nullptr));
    HMODULE md = ::GetModuleHandleW(L"iTunesMobileDevice.dll");
    ASSERT_NE(md, nullptr);
    auto subscribed = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(::GetProcAddress(md, "FakeSubscribed")));
    ASSERT_NE(subscribed, nullptr);
    EXPECT_FALSE(subscribed());
}

TEST(AppleLibraries, NoLibrariesNoLoad) {
    testing_support::AppleRegistry registry;
    registry.Remove();
    EXPECT_FALSE(apple::LoadDeviceLibraries(&Handler, nullptr));
    EXPECT_EQ(::GetModuleHandleW(L"CoreFoundation.dll"), nullptr);
}

}  // namespace
