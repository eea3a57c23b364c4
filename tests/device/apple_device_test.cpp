// AppleDevice against the simulated device: opening, values, AFC.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "device/afc_file.h"
#include "device/apple_device.h"
#include "device/apple_libraries.h"
#include "device/cf_value_text.h"
#include "devsim/devsim_fixture.h"

using apple::AppleDevice;
using devsim_test::Count;
using devsim_test::SimDevice;
using Names = std::vector<std::string>;

TEST(AppleDeviceOpen, ConnectRefusedGivesUpAfterOneCall) {
    SimDevice sim("connect=refuse\n");
    AppleDevice dev(sim.WaitAttached());
    EXPECT_FALSE(dev.OpenDevice(5));
    EXPECT_EQ(sim.CallNames(), Names{"AMDeviceConnect"});
    EXPECT_FALSE(dev.IsConnected());
}

TEST(AppleDeviceOpen, PairingThatAlwaysFailsMakesFiveRounds) {
    SimDevice sim("paired=no\npair=fail\n");
    AppleDevice dev(sim.WaitAttached());
    EXPECT_FALSE(dev.OpenDevice(5));
    Names round{"AMDeviceConnect", "AMDeviceIsPaired", "AMDevicePair", "AMDeviceDisconnect"};
    Names expected;
    for (int i = 0; i < 5; ++i) expected.insert(expected.end(), round.begin(), round.end());
    EXPECT_EQ(sim.CallNames(), expected);
}

TEST(AppleDeviceOpen, PairedDeviceAndPairingPaths) {
    SimDevice paired;
    AppleDevice a(paired.WaitAttached());
    EXPECT_TRUE(a.OpenDevice(5));
    EXPECT_TRUE(a.IsConnected());
    EXPECT_EQ(paired.CallNames(), (Names{"AMDeviceConnect", "AMDeviceIsPaired"}));

    // Validation fails, the second pairing succeeds.
    SimDevice unpaired("paired=no\nvalidate=fail\n");
    AppleDevice b(unpaired.WaitAttached());
    EXPECT_TRUE(b.OpenDevice(5));
    EXPECT_EQ(unpaired.CallNames(), (Names{"AMDeviceConnect", "AMDeviceIsPaired", "AMDevicePair",
                                           "AMDeviceValidatePairing", "AMDevicePair"}));
    EXPECT_FALSE(AppleDevice(paired.ref()).OpenDevice(0));
}

TEST(AppleDeviceValues, TextOfEachValueType) {
    std::string longName(300, 'n');
    longName.back() = 'Z';
    SimDevice sim("DeviceName=" + longName +
                  "\nvalue.Yes=bool:true\nvalue.No=bool:false\nvalue.S8=sint8:-128\nvalue.S16=sint16:-32768\n"
                  "value.S32=sint32:2147483647\nvalue.S64=sint64:-9223372036854775808\n"
                  "value.U64=uint64:5\nvalue.F=float64:1.25\nvalue.D=dict:K=string:v\nvalue.E=string:\n"
                  "value.Wide=string:电话 ☎\n");
    AppleDevice dev(sim.WaitAttached());
    ASSERT_TRUE(dev.OpenDevice(5));
    EXPECT_EQ(dev.CopyValueText("DeviceName"), std::wstring(longName.begin(), longName.end()));
    EXPECT_EQ(dev.CopyValueText("Yes"), L"是");
    EXPECT_EQ(dev.CopyValueText("No"), L"否");
    EXPECT_EQ(dev.CopyValueText("S8"), L"-128");
    EXPECT_EQ(dev.CopyValueText("S16"), L"-32768");
    EXPECT_EQ(dev.CopyValueText("S32"), L"2147483647");
    EXPECT_EQ(dev.CopyValueText("S64"), L"-9223372036854775808");
    EXPECT_EQ(dev.CopyValueText("U64"), L"");  // unsigned: not a signed type
    EXPECT_EQ(dev.CopyValueText("F"), L"");
    EXPECT_EQ(dev.CopyValueText("E"), L"");
    EXPECT_EQ(dev.CopyValueText("Missing"), L"");
    EXPECT_EQ(dev.CopyValueText("Wide"), L"电话 ☎");
    std::wstring xml = dev.CopyValueText("D");
    EXPECT_EQ(xml.rfind(L"<?xml", 0), 0u);
    EXPECT_NE(xml.find(L"<dict>\n\t<key>K</key>\n\t<string>v</string>\n</dict>"), std::wstring::npos);
    EXPECT_EQ(apple::CFValueToText(nullptr), L"");
}

TEST(AppleDeviceValues, StringsWithoutDirectCharactersAndNoLeaks) {
    std::string longName(300, 'q');
    SimDevice sim("DeviceName=" + longName + "\nstring_pointer=no\nvalue.D=dict:A=bool:yes\n");
    AppleDevice dev(sim.WaitAttached());
    ASSERT_TRUE(dev.OpenDevice(5));
    EXPECT_EQ(dev.CopyValueText("DeviceName").size(), 300u);
    dev.CopyValueText("D");
    dev.CopyValueText("Missing");
    // Every value and every XML rendering is released after conversion.
    std::int64_t live = devsim_test::LiveObjects();
    for (int i = 0; i < 5; ++i) {
        dev.CopyValueText("DeviceName");
        dev.CopyValueText("D");
    }
    EXPECT_EQ(devsim_test::LiveObjects(), live);
}

TEST(AppleDeviceValues, NameAndProductTypeAreReadOnceInASession) {
    SimDevice sim("DeviceName=Ann\nProductType=iPad8,1\n");
    AppleDevice dev(sim.WaitAttached());
    ASSERT_TRUE(dev.OpenDevice(5));
    std::size_t mark = sim.Mark();
    EXPECT_EQ(dev.GetDeviceName(), L"Ann");
    EXPECT_EQ(dev.GetDeviceName(), L"Ann");
    EXPECT_EQ(dev.GetProductType(), L"iPad8,1");
    EXPECT_EQ(sim.CallNamesSince(mark), (Names{"AMDeviceStartSession", "AMDeviceCopyValue", "AMDeviceStopSession",
                                               "AMDeviceStartSession", "AMDeviceCopyValue", "AMDeviceStopSession"}));

    // An empty name is asked again, even when the session does not start.
    SimDevice empty("DeviceName=\nsession=fail\n");
    AppleDevice e(empty.WaitAttached());
    ASSERT_TRUE(e.OpenDevice(5));
    EXPECT_EQ(e.GetDeviceName(), L"");
    EXPECT_EQ(e.GetDeviceName(), L"");
    EXPECT_EQ(Count(empty.CallNames(), "AMDeviceCopyValue"), 2u);
}

TEST(AppleDeviceAfc, NoAfc2MeansNotJailbrokenAfterSixAttempts) {
    SimDevice sim("afc2=no\n");
    AppleDevice dev(sim.WaitAttached());
    ASSERT_TRUE(dev.OpenDevice(5));
    EXPECT_FALSE(dev.IsJailbroken());
    Names calls = sim.CallNames();
    EXPECT_EQ(Count(calls, "AMDeviceStartService"), 6u);
    EXPECT_EQ(Count(calls, "AFCConnectionOpen"), 0u);
    std::size_t mark = sim.Mark();
    EXPECT_FALSE(dev.IsJailbroken());
    EXPECT_TRUE(sim.CallNamesSince(mark).empty());
}

TEST(AppleDeviceAfc, JailbrokenLeavesNoConnectionOpen) {
    SimDevice sim;
    AppleDevice dev(sim.WaitAttached());
    ASSERT_TRUE(dev.OpenDevice(5));
    EXPECT_TRUE(dev.IsJailbroken());
    EXPECT_FALSE(dev.AfcOpen());
    EXPECT_EQ(dev.AfcConnection(), nullptr);
    Names calls = sim.CallNames();
    EXPECT_EQ(Count(calls, "AFCConnectionOpen"), 1u);
    EXPECT_EQ(calls.back(), "AFCConnectionClose");
    std::size_t mark = sim.Mark();
    EXPECT_TRUE(dev.IsJailbroken());
    EXPECT_TRUE(sim.CallNamesSince(mark).empty());
}

TEST(AppleDeviceAfc, StartWithNegativeCountMakesNoCall) {
    SimDevice sim;
    AppleDevice dev(sim.WaitAttached());
    EXPECT_FALSE(dev.StartAfcService(-1));
    EXPECT_TRUE(sim.CallNames().empty());
    // Not connected yet: the start connects first.
    EXPECT_TRUE(dev.StartAfcService(0));
    EXPECT_TRUE(dev.IsConnected());
    EXPECT_TRUE(dev.AfcOpen());
    dev.CloseAfc();
    EXPECT_FALSE(dev.AfcOpen());
}

TEST(AppleDeviceAfc, FoldersFilesAndWritesAtWideOffsets) {
    SimDevice sim;
    AppleDevice dev(sim.WaitAttached());
    ASSERT_TRUE(dev.StartAfcService(5));
    EXPECT_FALSE(dev.PathExists("/var/root"));
    // One call makes the whole path, as a device does; a file in the way fails.
    sim.WriteFile("/blocked", "file");
    EXPECT_FALSE(dev.MakeDirectory("/blocked/Media"));
    EXPECT_TRUE(dev.MakeDirectory("var/./root//Media/"));  // relative to "/"
    EXPECT_TRUE(dev.PathExists("/var/root/Media"));
    std::size_t mark = sim.Mark();
    EXPECT_TRUE(dev.PathExists("/var/root/Media"));
    EXPECT_EQ(sim.CallNamesSince(mark), (Names{"AFCFileInfoOpen", "AFCKeyValueClose"}));

    auto file = dev.OpenDeviceFile("/var/root/Media/f.bin", true);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->WriteAt("abc", 3, 0));
    EXPECT_TRUE(file->WriteAt("Z", 1, (1ULL << 32) + 1));  // beyond 4 GiB
    EXPECT_TRUE(file->Close());
    EXPECT_FALSE(file->WriteAt("x", 1, 0));
    EXPECT_EQ(std::filesystem::file_size(sim.FsPath("/var/root/Media/f.bin")), (1ULL << 32) + 2);
    // The size as the device reports it, past 32 bits too.
    std::uint64_t size = 0;
    EXPECT_TRUE(dev.FileSize("/var/root/Media/f.bin", &size));
    EXPECT_EQ(size, (1ULL << 32) + 2);
    EXPECT_FALSE(dev.FileSize("/var/root/Media/none", &size));

    // A file outlives neither CloseAfc nor a new connection.
    auto stale = dev.OpenDeviceFile("/var/root/Media/g", true);
    ASSERT_NE(stale, nullptr);
    dev.CloseAfc();
    mark = sim.Mark();
    EXPECT_FALSE(stale->WriteAt("x", 1, 0));
    EXPECT_TRUE(sim.CallNamesSince(mark).empty());
    EXPECT_EQ(dev.OpenDeviceFile("/x", true), nullptr);  // no connection: no call
    EXPECT_FALSE(dev.PathExists("/"));
    EXPECT_TRUE(sim.CallNamesSince(mark).empty());
}

TEST(AppleDeviceAfc, RenameAndRemove) {
    SimDevice sim;
    AppleDevice dev(sim.WaitAttached());
    ASSERT_TRUE(dev.StartAfcService(5));
    sim.WriteFile("/a", "1");
    sim.WriteFile("/b", "22");
    EXPECT_TRUE(dev.RenamePath("/a", "/b"));
    EXPECT_EQ(sim.ReadFile("/b"), "1");
    EXPECT_TRUE(dev.RemovePath("/b"));
    EXPECT_FALSE(sim.FileExists("/b"));
    EXPECT_FALSE(dev.RemovePath("/b"));
}

// Two threads on one device: the calls of one operation never interleave
// with those of the other.
TEST(AppleDeviceConcurrency, OperationsOfTwoThreadsDoNotInterleave) {
    SimDevice sim("DeviceName=\n");  // empty: every GetDeviceName asks again
    AppleDevice dev(sim.WaitAttached());
    ASSERT_TRUE(dev.OpenDevice(5));
    std::size_t mark = sim.Mark();
    std::thread reader([&] {
        for (int i = 0; i < 40; ++i) dev.GetDeviceName();
    });
    std::thread afc([&] {
        for (int i = 0; i < 40; ++i) {
            auto use = dev.LockUse();
            if (dev.StartAfcService(5)) dev.CloseAfc();
        }
    });
    reader.join();
    afc.join();
    Names calls = sim.CallNamesSince(mark);
    const Names blockA{"AMDeviceStartSession", "AMDeviceCopyValue", "AMDeviceStopSession"};
    const Names blockB{"AMDeviceStartSession", "AMDeviceStartService", "AFCConnectionOpen", "AMDeviceStopSession",
                       "AFCConnectionClose"};
    std::size_t i = 0, a = 0, b = 0;
    while (i < calls.size()) {
        auto matches = [&](const Names& block) {
            return i + block.size() <= calls.size() && std::equal(block.begin(), block.end(), calls.begin() + i);
        };
        if (calls[i + 1 < calls.size() ? i + 1 : i] == "AMDeviceCopyValue" && matches(blockA)) {
            i += blockA.size();
            ++a;
        } else if (matches(blockB)) {
            i += blockB.size();
            ++b;
        } else {
            ADD_FAILURE() << "interleaved calls at line " << i << ": " << calls[i];
            break;
        }
    }
    EXPECT_EQ(a, 40u);
    EXPECT_EQ(b, 40u);
}
