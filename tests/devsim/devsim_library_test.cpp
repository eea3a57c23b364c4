// The simulated MobileDevice and CoreFoundation libraries as the installer
// sees them (the DLLs under Wine, linked in natively): notifications, the
// call log, device switches, AFC and CoreFoundation values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "device/apple_libraries.h"
#include "devsim/devsim_fixture.h"

using namespace devsim_test;

namespace {

const apple::MobileDeviceTable& MD() { return apple::MobileDevice(); }
const apple::CoreFoundationTable& CF() { return apple::CoreFoundation(); }

// Connects and opens an AFC connection on the service; null on failure.
apple::AFCConnectionRef OpenAfc(apple::AMDeviceRef d, const char* service = "com.apple.afc2") {
    if (MD().AMDeviceConnect(d) != 0 || MD().AMDeviceStartSession(d) != 0) return nullptr;
    apple::AMServiceHandle h = nullptr;
    std::uint32_t unused = 0;
    apple::AFCConnectionRef conn = nullptr;
    int rc = MD().AMDeviceStartService(d, CF().__CFStringMakeConstantString(service), &h, &unused);
    MD().AMDeviceStopSession(d);
    if (rc != 0 || MD().AFCConnectionOpen(h, 0, &conn) != 0) return nullptr;
    return conn;
}

std::string Utf8(apple::CFStringRef s) {
    std::u16string text(static_cast<std::size_t>(CF().CFStringGetLength(s)), u'\0');
    CF().CFStringGetCharacters(s, apple::CFRange{0, static_cast<apple::CFIndex>(text.size())}, text.data());
    return std::string(text.begin(), text.end());
}

apple::CFTypeRef Value(apple::AMDeviceRef d, const char* key) {
    return MD().AMDeviceCopyValue(d, nullptr, CF().__CFStringMakeConstantString(key));
}

}  // namespace

// The waits only guard against a hang: a loaded machine may be slow.
constexpr unsigned kHangGuardMs = 20000;

TEST(DevsimLibraries, ArrivalAndDepartureAreReportedWithAStableReference) {
    LoadSimulator();
    std::string udid;
    apple::AMDeviceRef first = nullptr;
    {
        SimDevice dev;
        udid = dev.udid();
        first = dev.WaitAttached(kHangGuardMs);
        ASSERT_NE(first, nullptr);
        std::size_t mark = Notices().size();
        dev.Remove();
        ASSERT_TRUE(WaitForNotice(first, 2, kHangGuardMs, mark));
        // Calls on a device that is gone fail.
        EXPECT_NE(MD().AMDeviceConnect(first), 0);
    }
    SimDevice again("", udid);
    EXPECT_EQ(again.WaitAttached(kHangGuardMs), first);
}

TEST(DevsimLibraries, CallLogAndConnectionSwitches) {
    SimDevice refusing("connect=refuse\n");
    apple::AMDeviceRef d = refusing.WaitAttached();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(MD().AMDeviceConnect(d), 1);
    EXPECT_EQ(refusing.Calls().back(), "AMDeviceConnect 1");

    SimDevice unpaired("paired=no\npair=fail\n");
    d = unpaired.WaitAttached();
    ASSERT_EQ(MD().AMDeviceConnect(d), 0);
    EXPECT_NE(MD().AMDeviceIsPaired(d), 0);
    EXPECT_NE(MD().AMDevicePair(d), 0);
    EXPECT_NE(MD().AMDeviceStartSession(d), 0);  // no session without pairing
    EXPECT_EQ(MD().AMDeviceDisconnect(d), 0);
    EXPECT_EQ(unpaired.CallNames(), (std::vector<std::string>{"AMDeviceConnect", "AMDeviceIsPaired", "AMDevicePair",
                                                              "AMDeviceStartSession", "AMDeviceDisconnect"}));

    SimDevice pairable("paired=no\nvalidate=fail\n");
    d = pairable.WaitAttached();
    ASSERT_EQ(MD().AMDeviceConnect(d), 0);
    EXPECT_EQ(MD().AMDevicePair(d), 0);
    EXPECT_EQ(MD().AMDeviceIsPaired(d), 0);
    EXPECT_NE(MD().AMDeviceValidatePairing(d), 0);

    SimDevice noSession("session=fail\nafc2=no\n");
    d = noSession.WaitAttached();
    ASSERT_EQ(MD().AMDeviceConnect(d), 0);
    EXPECT_NE(MD().AMDeviceStartSession(d), 0);
    EXPECT_EQ(OpenAfc(d), nullptr);
}

TEST(DevsimLibraries, ServicesAndAfcFileOperations) {
    SimDevice dev;
    apple::AMDeviceRef d = dev.WaitAttached();
    ASSERT_NE(d, nullptr);
    apple::AMServiceHandle h = nullptr;
    ASSERT_EQ(MD().AMDeviceConnect(d), 0);
    std::uint32_t unused;
    // Services need a session.
    EXPECT_NE(MD().AMDeviceStartService(d, CF().__CFStringMakeConstantString("com.apple.afc2"), &h, &unused), 0);

    apple::AFCConnectionRef conn = OpenAfc(d);
    ASSERT_NE(conn, nullptr);
    // The missing parents are made too, as a device makes them.
    EXPECT_EQ(MD().AFCDirectoryCreate(conn, "/var/root/Media"), 0);
    EXPECT_TRUE(dev.FileExists("/var/root/Media"));
    apple::AFCFileRef f = 0;
    ASSERT_EQ(MD().AFCFileRefOpen(conn, "/var/root/Media/x.deb", 2, &f), 0);
    EXPECT_EQ(MD().AFCFileRefWrite(conn, f, "hello", 5), 0);
    EXPECT_EQ(MD().AFCFileRefSeek(conn, f, 1, 0), 0);
    EXPECT_EQ(MD().AFCFileRefWrite(conn, f, "E", 1), 0);
    EXPECT_EQ(MD().AFCFileRefClose(conn, f), 0);
    EXPECT_NE(MD().AFCFileRefWrite(conn, f, "x", 1), 0);  // closed
    EXPECT_EQ(dev.ReadFile("/var/root/Media/x.deb"), "hEllo");

    apple::AFCInfoRef info = nullptr;
    ASSERT_EQ(MD().AFCFileInfoOpen(conn, "/var/root/Media/x.deb", &info), 0);
    char* key = nullptr;
    char* value = nullptr;
    ASSERT_EQ(MD().AFCKeyValueRead(info, &key, &value), 0);
    EXPECT_STREQ(key, "st_size");
    EXPECT_STREQ(value, "5");
    EXPECT_EQ(MD().AFCKeyValueClose(info), 0);
    EXPECT_NE(MD().AFCKeyValueClose(info), 0);
    EXPECT_NE(MD().AFCFileInfoOpen(conn, "/var/none", &info), 0);

    EXPECT_EQ(MD().AFCRenamePath(conn, "/var/root/Media/x.deb", "/var/root/Media/y.deb"), 0);
    EXPECT_FALSE(dev.FileExists("/var/root/Media/x.deb"));
    EXPECT_EQ(MD().AFCRemovePath(conn, "/var/root/Media/y.deb"), 0);
    EXPECT_TRUE(dev.List("/var/root/Media").empty());

    // ".." cannot climb out of the device's file system.
    ASSERT_EQ(MD().AFCFileRefOpen(conn, "/../../../escape", 3, &f), 0);
    MD().AFCFileRefClose(conn, f);
    EXPECT_TRUE(dev.FileExists("/escape"));

    EXPECT_EQ(MD().AFCConnectionClose(conn), 0);
    EXPECT_NE(MD().AFCDirectoryCreate(conn, "/a"), 0);

    // The sandboxed service sees only the media folder.
    apple::AFCConnectionRef media = OpenAfc(d, "com.apple.afc");
    ASSERT_NE(media, nullptr);
    ASSERT_EQ(MD().AFCDirectoryCreate(media, "/DCIM"), 0);
    EXPECT_TRUE(dev.FileExists("/var/mobile/Media/DCIM"));
    MD().AFCConnectionClose(media);
}

TEST(DevsimLibraries, DirectoriesReadsAndDeviceInfo) {
    SimDevice dev("ProductType=iPad8,1\n");
    apple::AMDeviceRef d = dev.WaitAttached();
    dev.WriteFile("/dir/a.txt", "alpha");
    dev.MakeDirs("/dir/sub");
    apple::AFCConnectionRef conn = OpenAfc(d);
    ASSERT_NE(conn, nullptr);

    void* dir = nullptr;
    ASSERT_EQ(MD().AFCDirectoryOpen(conn, "/dir", &dir), 0);
    std::vector<std::string> names;
    char* entry = nullptr;
    while (MD().AFCDirectoryRead(conn, dir, &entry) == 0 && entry) names.push_back(entry);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "a.txt", "sub"}));
    EXPECT_EQ(MD().AFCDirectoryClose(conn, dir), 0);
    EXPECT_NE(MD().AFCDirectoryOpen(conn, "/dir/a.txt", &dir), 0);

    apple::AFCFileRef f = 0;
    ASSERT_EQ(MD().AFCFileRefOpen(conn, "/dir/a.txt", 1, &f), 0);
    char buf[16];
    std::uint32_t len = 3;
    ASSERT_EQ(MD().AFCFileRefRead(conn, f, buf, &len), 0);
    EXPECT_EQ(std::string(buf, len), "alp");
    len = sizeof buf;
    ASSERT_EQ(MD().AFCFileRefRead(conn, f, buf, &len), 0);
    EXPECT_EQ(std::string(buf, len), "ha");
    EXPECT_NE(MD().AFCFileRefWrite(conn, f, "x", 1), 0);  // read only
    MD().AFCFileRefClose(conn, f);

    apple::AFCInfoRef info = nullptr;
    ASSERT_EQ(MD().AFCDeviceInfoOpen(conn, &info), 0);
    char* key = nullptr;
    char* value = nullptr;
    ASSERT_EQ(MD().AFCKeyValueRead(info, &key, &value), 0);
    EXPECT_STREQ(key, "Model");
    EXPECT_STREQ(value, "iPad8,1");
    EXPECT_EQ(MD().AFCKeyValueClose(info), 0);
    MD().AFCConnectionClose(conn);
}

TEST(DevsimLibraries, WriteLimitsCutTheWriteAndDetachDeparts) {
    SimDevice failing("write_fail_after=10\n");
    apple::AMDeviceRef d = failing.WaitAttached();
    apple::AFCConnectionRef conn = OpenAfc(d);
    ASSERT_NE(conn, nullptr);
    apple::AFCFileRef f = 0;
    ASSERT_EQ(MD().AFCFileRefOpen(conn, "/f", 3, &f), 0);
    EXPECT_EQ(MD().AFCFileRefWrite(conn, f, "123456", 6), 0);
    EXPECT_NE(MD().AFCFileRefWrite(conn, f, "789abc", 6), 0);
    EXPECT_NE(MD().AFCFileRefWrite(conn, f, "z", 1), 0);
    MD().AFCFileRefClose(conn, f);
    EXPECT_EQ(failing.ReadFile("/f"), "123456789a");

    SimDevice leaving("detach_after=4\n");
    d = leaving.WaitAttached();
    conn = OpenAfc(d);
    ASSERT_NE(conn, nullptr);
    ASSERT_EQ(MD().AFCFileRefOpen(conn, "/f", 3, &f), 0);
    std::size_t mark = Notices().size();
    EXPECT_NE(MD().AFCFileRefWrite(conn, f, "123456", 6), 0);
    EXPECT_TRUE(WaitForNotice(d, 2, 1000, mark));
    EXPECT_NE(MD().AFCFileRefClose(conn, f), 0);
    EXPECT_NE(MD().AFCRemovePath(conn, "/f"), 0);
    EXPECT_NE(MD().AMDeviceConnect(d), 0);
    EXPECT_EQ(leaving.ReadFile("/f"), "1234");  // folder kept, the device is gone
}

TEST(DevsimLibraries, DeviceValuesOfEveryTypeAndTheirRelease) {
    SimDevice dev(
        "DeviceName=Phone\nvalue.Flag=bool:true\nvalue.Small=sint8:-7\nvalue.Big=uint64:18446744073709551615\n"
        "value.Real=float64:1.5\nvalue.Info=dict:A=string:x;B=sint32:2\nstring_pointer=no\n");
    apple::AMDeviceRef d = dev.WaitAttached();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Value(d, "DeviceName"), nullptr);  // not connected yet
    ASSERT_EQ(MD().AMDeviceConnect(d), 0);
    // Key strings are constants that live for good; make them before counting.
    for (const char* key : {"DeviceName", "Flag", "Small", "Big", "Real", "Info", "Missing"}) {
        CF().__CFStringMakeConstantString(key);
    }
    std::int64_t live = LiveObjects();

    apple::CFTypeRef name = Value(d, "DeviceName");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(CF().CFGetTypeID(name), apple::kCFStringTypeID);
    EXPECT_EQ(CF().CFStringGetCharactersPtr(name), nullptr);  // string_pointer=no
    EXPECT_EQ(Utf8(name), "Phone");

    apple::CFTypeRef flag = Value(d, "Flag");
    EXPECT_EQ(CF().CFGetTypeID(flag), apple::kCFBooleanTypeID);
    EXPECT_EQ(CF().CFBooleanGetValue(flag), 1);

    apple::CFTypeRef small = Value(d, "Small");
    EXPECT_EQ(CF().CFGetTypeID(small), apple::kCFNumberTypeID);
    EXPECT_EQ(CF().CFNumberGetType(small), 1);
    std::int8_t s8 = 0;
    EXPECT_EQ(CF().CFNumberGetValue(small, 1, &s8), 1);
    EXPECT_EQ(s8, -7);

    apple::CFTypeRef big = Value(d, "Big");
    EXPECT_EQ(CF().CFNumberGetType(big), 17);  // not one of the signed types
    EXPECT_EQ(CF().CFNumberGetByteSize(big), 16);
    apple::CFTypeRef real = Value(d, "Real");
    EXPECT_EQ(CF().CFNumberGetType(real), 6);

    apple::CFTypeRef dict = Value(d, "Info");
    EXPECT_EQ(CF().CFGetTypeID(dict), apple::kCFDictionaryTypeID);
    apple::CFDataRef xml = CF().CFPropertyListCreateXMLData(nullptr, dict);
    std::string text(static_cast<std::size_t>(CF().CFDataGetLength(xml)), '\0');
    CF().CFDataGetBytes(xml, apple::CFRange{0, static_cast<apple::CFIndex>(text.size())},
                        reinterpret_cast<std::uint8_t*>(text.data()));
    EXPECT_NE(text.find("<key>A</key>\n\t<string>x</string>\n\t<key>B</key>\n\t<integer>2</integer>"),
              std::string::npos);

    EXPECT_EQ(Value(d, "Missing"), nullptr);
    for (apple::CFTypeRef o : {name, flag, small, big, real, dict, xml}) CF().CFRelease(o);
    EXPECT_EQ(LiveObjects(), live);
    EXPECT_EQ(Count(dev.CallNames(), "AMDeviceCopyValue"), 8u);
}

TEST(DevsimLibraries, ALaterSubscriberHearsOfDevicesAlreadyAttached) {
    SimDevice dev;
    apple::AMDeviceRef d = dev.WaitAttached();
    ASSERT_NE(d, nullptr);
    struct Seen {
        std::mutex mu;
        std::vector<apple::AMDeviceRef> attached;
    };
    static Seen seen;  // outlives a notification still in flight
    void* handle = nullptr;
    auto cb = [](const apple::AMDeviceNotificationInfo* info, void* cookie) {
        auto* s = static_cast<Seen*>(cookie);
        std::lock_guard<std::mutex> lock(s->mu);
        if (info->message == 1) s->attached.push_back(info->device);
    };
    ASSERT_EQ(MD().AMDeviceNotificationSubscribe(cb, 0, 0, &seen, &handle), 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            std::lock_guard<std::mutex> lock(seen.mu);
            return std::find(seen.attached.begin(), seen.attached.end(), d) != seen.attached.end();
        },
        kHangGuardMs));
    EXPECT_EQ(MD().AMDeviceNotificationUnsubscribe(handle), 0);
}
