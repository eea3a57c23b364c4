// The portable core of the device simulator: device settings, AFC paths and
// volumes, CoreFoundation objects.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "devsim/afc_volume.h"
#include "devsim/cf_objects.h"
#include "devsim/device_config.h"

namespace fs = std::filesystem;
using namespace devsim;

TEST(DeviceConfig, DefaultsAndSwitches) {
    DeviceConfig d = ParseDeviceConfig("");
    EXPECT_EQ(d.values["DeviceName"].text, "iPhone");
    EXPECT_EQ(d.values["ProductType"].text, "iPhone10,3");
    EXPECT_FALSE(d.connectRefused);
    EXPECT_TRUE(d.paired && d.pairOk && d.validateOk && d.sessionOk && d.afc2);
    EXPECT_FALSE(d.writeFailAfter || d.detachAfter);

    DeviceConfig c = ParseDeviceConfig(
        "\xEF\xBB\xBF"
        "DeviceName=Ann's 电话 \r\n"
        "connect=refuse\npaired=no\npair=fail\nvalidate=fail\nsession=fail\nafc2=no\n"
        "write_fail_after=8192\ndetach_after=-5\nlatency_us=99999999999\nno equals sign\n=x\n"
        "rename_replace=no\nstring_pointer=no\ncalls_log=no\n");
    EXPECT_EQ(c.values["DeviceName"].text, "Ann's 电话 ");
    EXPECT_TRUE(c.connectRefused);
    EXPECT_FALSE(c.paired || c.pairOk || c.validateOk || c.sessionOk || c.afc2);
    EXPECT_EQ(c.writeFailAfter, 8192u);
    EXPECT_FALSE(c.detachAfter);        // negative byte count: ignored
    EXPECT_EQ(c.latencyUs, 10000000u);  // clamped
    EXPECT_FALSE(c.renameReplaces || c.stringPointer || c.callsLog);
}

TEST(DeviceConfig, TypedValuesAndRejectedOnes) {
    DeviceConfig c = ParseDeviceConfig(
        "value.A=bool:yes\nvalue.B=sint8:-128\nvalue.C=sint8:128\nvalue.D=uint64:18446744073709551615\n"
        "value.E=float64:2.5\nvalue.F=dict:X=string:a;Y=sint32:7;bad;Z=nonsense:1\nvalue.G=colour:red\n"
        "value.H=sint64:9223372036854775808\nvalue.I=string:\n");
    ASSERT_TRUE(c.values.count("A"));
    EXPECT_TRUE(c.values["A"].boolean);
    EXPECT_EQ(c.values["B"].integer, -128);
    EXPECT_FALSE(c.values.count("C"));  // out of range
    EXPECT_EQ(c.values["D"].unsigned64, UINT64_MAX);
    EXPECT_EQ(c.values["E"].real, 2.5);
    ASSERT_EQ(c.values["F"].dict.size(), 2u);
    EXPECT_EQ(c.values["F"].dict[1].first, "Y");
    EXPECT_FALSE(c.values.count("G"));
    EXPECT_FALSE(c.values.count("H"));
    EXPECT_TRUE(c.values.count("I"));
}

TEST(AfcPaths, NormalisationStaysInsideTheRoot) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"/", ""},          {"", ""},    {"/a/b/../c", "a/c"}, {"../../etc", "etc"},
                 {"a//./b/", "a/b"}, {"/..", ""}, {"/a/../../..", ""}};
    for (const Case& c : cases) {
        std::string rel;
        ASSERT_TRUE(NormaliseAfcPath(c.in, &rel)) << c.in;
        EXPECT_EQ(rel, c.out) << c.in;
    }
    std::string rel;
    EXPECT_FALSE(NormaliseAfcPath("a\\..\\..\\x", &rel));
    EXPECT_FALSE(NormaliseAfcPath("C:/x", &rel));
    EXPECT_FALSE(NormaliseAfcPath(std::string("a\nb"), &rel));
}

class AfcVolumeTest : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = fs::temp_directory_path() /
                ("afcvol-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        root_ = base_ / "fs";
        fs::create_directories(root_);
        volume_ = std::make_unique<AfcVolume>(root_.generic_string());
    }
    void TearDown() override {
        volume_.reset();
        fs::remove_all(base_);
    }
    std::string Content(const std::string& rel) {
        std::ifstream in(root_ / rel, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    void Put(const std::string& rel, const std::string& content) {
        std::ofstream(root_ / rel, std::ios::binary) << content;
    }
    int WriteAll(const std::string& path, std::uint64_t mode, const std::string& data) {
        std::uint64_t ref = 0;
        int rc = volume_->Open(path, mode, &ref);
        if (rc != kAfcOk) return rc;
        rc = volume_->Write(ref, data.data(), static_cast<std::uint32_t>(data.size()));
        volume_->Close(ref);
        return rc;
    }

    fs::path base_, root_;
    std::unique_ptr<AfcVolume> volume_;
};

TEST_F(AfcVolumeTest, OpenModesCreateTruncateAndAppendAsDevicesDo) {
    std::uint64_t ref = 0;
    EXPECT_EQ(volume_->Open("/f", kAfcReadOnly, &ref), kAfcNotFound);
    Put("f", "0123456789");
    EXPECT_EQ(WriteAll("/f", kAfcReadWrite, "ab"), kAfcOk);
    EXPECT_EQ(Content("f"), "ab23456789");  // mode 2 keeps the tail
    EXPECT_EQ(WriteAll("/f", kAfcWriteOnly, "xy"), kAfcOk);
    EXPECT_EQ(Content("f"), "xy");
    EXPECT_EQ(WriteAll("/f", kAfcAppend, "zz"), kAfcOk);
    EXPECT_EQ(Content("f"), "xyzz");
    EXPECT_EQ(WriteAll("/g", kAfcReadWriteTrunc, "new"), kAfcOk);
    EXPECT_EQ(WriteAll("/g", kAfcReadAppend, "!"), kAfcOk);
    EXPECT_EQ(Content("g"), "new!");
    EXPECT_EQ(volume_->Open("/f", 0, &ref), kAfcInvalidArg);
    EXPECT_EQ(volume_->Open("/f", 7, &ref), kAfcInvalidArg);
    EXPECT_EQ(volume_->Open("/missing/f", kAfcReadWrite, &ref), kAfcNotFound);  // parent must exist
    EXPECT_EQ(volume_->Open("/", kAfcReadWrite, &ref), kAfcIsDirectory);

    // Read-only files refuse writes; write-only files refuse reads.
    ASSERT_EQ(volume_->Open("/f", kAfcReadOnly, &ref), kAfcOk);
    EXPECT_EQ(volume_->Write(ref, "q", 1), kAfcPermissionDenied);
    char buf[8];
    std::uint32_t len = sizeof buf;
    EXPECT_EQ(volume_->Read(ref, buf, &len), kAfcOk);
    EXPECT_EQ(std::string(buf, len), "xyzz");
    EXPECT_EQ(volume_->Close(ref), kAfcOk);
    EXPECT_EQ(volume_->Close(ref), kAfcInvalidArg);
    ASSERT_EQ(volume_->Open("/f", kAfcWriteOnly, &ref), kAfcOk);
    len = 1;
    EXPECT_EQ(volume_->Read(ref, buf, &len), kAfcPermissionDenied);
    volume_->Close(ref);
}

TEST_F(AfcVolumeTest, SeekPlacesWritesIncludingBeyondFourGigabytes) {
    std::uint64_t ref = 0;
    ASSERT_EQ(volume_->Open("/s", kAfcReadWrite, &ref), kAfcOk);
    ASSERT_EQ(volume_->Write(ref, "abcdef", 6), kAfcOk);
    ASSERT_EQ(volume_->Seek(ref, 2, 0), kAfcOk);
    ASSERT_EQ(volume_->Write(ref, "XY", 2), kAfcOk);
    ASSERT_EQ(volume_->Seek(ref, -1, 2), kAfcOk);
    ASSERT_EQ(volume_->Write(ref, "Z", 1), kAfcOk);
    EXPECT_EQ(volume_->Seek(ref, -100, 1), kAfcInvalidArg);
    EXPECT_EQ(volume_->Seek(ref, 0, 9), kAfcInvalidArg);
    volume_->Close(ref);
    EXPECT_EQ(Content("s"), "abXYeZ");
#ifndef _WIN32
    // A sparse write past 4 GiB lands there (no 32-bit truncation inside).
    ASSERT_EQ(volume_->Open("/big", kAfcReadWrite, &ref), kAfcOk);
    ASSERT_EQ(volume_->Seek(ref, (1LL << 32) + 3, 0), kAfcOk);
    ASSERT_EQ(volume_->Write(ref, "!", 1), kAfcOk);
    volume_->Close(ref);
    EXPECT_EQ(fs::file_size(root_ / "big"), (1ULL << 32) + 4);
#endif
}

TEST_F(AfcVolumeTest, PathOperations) {
    // Missing parents are made as well; an existing folder is fine.
    EXPECT_EQ(volume_->MakeDirectory("/a/b"), kAfcOk);
    EXPECT_TRUE(fs::is_directory(root_ / "a" / "b"));
    EXPECT_EQ(volume_->MakeDirectory("/a"), kAfcOk);
    EXPECT_EQ(volume_->MakeDirectory("/a/b"), kAfcOk);
    // A file in the way fails, at the end of the path or inside it.
    Put("a/file", "x");
    EXPECT_EQ(volume_->MakeDirectory("/a/file"), kAfcExists);
    EXPECT_EQ(volume_->MakeDirectory("/a/file/deeper/still"), kAfcExists);
    EXPECT_FALSE(fs::exists(root_ / "a" / "file" / "deeper"));
    EXPECT_EQ(Content("a/file"), "x");
    EXPECT_EQ(volume_->Remove("/a"), kAfcDirNotEmpty);
    EXPECT_EQ(volume_->Remove("/"), kAfcPermissionDenied);
    EXPECT_EQ(volume_->Remove("/nothing"), kAfcNotFound);

    Put("a/other", "yy");
    EXPECT_EQ(volume_->Rename("/a/file", "/a/other", false), kAfcExists);
    EXPECT_EQ(Content("a/other"), "yy");
    EXPECT_EQ(volume_->Rename("/a/file", "/a/other", true), kAfcOk);
    EXPECT_EQ(Content("a/other"), "x");
    EXPECT_FALSE(fs::exists(root_ / "a/file"));
    EXPECT_EQ(volume_->Rename("/a/other", "/nowhere/x", true), kAfcNotFound);

    std::vector<std::pair<std::string, std::string>> info;
    ASSERT_EQ(volume_->FileInfo("/a/other", &info), kAfcOk);
    EXPECT_EQ(info[0], (std::pair<std::string, std::string>("st_size", "1")));
    EXPECT_EQ(volume_->FileInfo("/a/none", &info), kAfcNotFound);
    std::vector<std::string> names;
    ASSERT_EQ(volume_->List("/a", &names), kAfcOk);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "b", "other"}));

    EXPECT_EQ(volume_->Remove("/a/other"), kAfcOk);
    EXPECT_EQ(volume_->Remove("/a/b"), kAfcOk);
    EXPECT_EQ(volume_->Remove("/a"), kAfcOk);
}

TEST_F(AfcVolumeTest, DotDotNeverLeavesTheRoot) {
    EXPECT_EQ(WriteAll("/../../outside", kAfcWriteOnly, "x"), kAfcOk);
    EXPECT_TRUE(fs::exists(root_ / "outside"));
    EXPECT_FALSE(fs::exists(base_ / "outside"));
    EXPECT_EQ(volume_->MakeDirectory("../up"), kAfcOk);
    EXPECT_TRUE(fs::exists(root_ / "up"));
}

#ifndef _WIN32
TEST_F(AfcVolumeTest, LinksPointingOutsideAreRefused) {
    fs::create_directories(base_ / "secret");
    std::ofstream(base_ / "secret" / "key", std::ios::binary) << "s3cret";
    fs::create_directory_symlink(base_ / "secret", root_ / "door");
    fs::create_symlink(base_ / "secret" / "key", root_ / "keylink");
    fs::create_symlink(base_ / "secret" / "planted", root_ / "dangling");
    fs::create_directories(root_ / "inner");
    fs::create_directory_symlink(root_ / "inner", root_ / "fine");

    std::uint64_t ref = 0;
    EXPECT_EQ(volume_->Open("/door/key", kAfcReadOnly, &ref), kAfcPermissionDenied);
    EXPECT_EQ(volume_->Open("/keylink", kAfcWriteOnly, &ref), kAfcPermissionDenied);
    EXPECT_EQ(volume_->Open("/dangling", kAfcReadWrite, &ref), kAfcPermissionDenied);
    EXPECT_EQ(volume_->MakeDirectory("/dangling"), kAfcPermissionDenied);
    EXPECT_FALSE(fs::exists(base_ / "secret" / "planted"));
    EXPECT_EQ(volume_->Remove("/door/key"), kAfcPermissionDenied);
    EXPECT_EQ(volume_->Rename("/door/key", "/stolen", true), kAfcPermissionDenied);
    EXPECT_EQ(volume_->MakeDirectory("/door/new"), kAfcPermissionDenied);
    std::vector<std::string> names;
    EXPECT_EQ(volume_->List("/door", &names), kAfcPermissionDenied);
    std::ifstream in(base_ / "secret" / "key");
    std::string text;
    in >> text;
    EXPECT_EQ(text, "s3cret");  // not truncated by the refused open
    EXPECT_FALSE(fs::exists(base_ / "secret" / "new"));
    // A link that stays inside works.
    EXPECT_EQ(WriteAll("/fine/x", kAfcWriteOnly, "ok"), kAfcOk);
    EXPECT_EQ(Content("inner/x"), "ok");
}
#endif

TEST(CfObjects, ReferenceCountsAndLiveObjects) {
    std::int64_t before = cf::LiveObjectCount();
    cf::String* key = cf::MakeString(u"k", true);
    cf::Number* num = cf::MakeInteger(5, cf::kSInt32);
    cf::Dictionary* d = cf::MakeDictionary({{key, num}});
    EXPECT_EQ(cf::RetainCount(key), 2);
    cf::Release(key);
    cf::Release(num);
    EXPECT_EQ(cf::LiveObjectCount(), before + 3);
    cf::Release(d);  // frees the entries as well
    EXPECT_EQ(cf::LiveObjectCount(), before);
    EXPECT_DEATH(cf::Checked(d, "test"), "after its last release");
}

TEST(CfObjects, NumbersKeepTheirTypeAndConvertExactly) {
    cf::Number* u = cf::MakeUnsigned64(UINT64_MAX);
    EXPECT_EQ(u->numberType, cf::kSInt128);
    EXPECT_EQ(cf::NumberByteSize(*u), 16);
    std::int64_t v = 0;
    EXPECT_FALSE(cf::NumberGetValue(*u, cf::kSInt64, &v));
    cf::Number* n = cf::MakeInteger(300, cf::kSInt16);
    std::int8_t small = 0;
    EXPECT_FALSE(cf::NumberGetValue(*n, cf::kSInt8, &small));
    std::int16_t exact = 0;
    EXPECT_TRUE(cf::NumberGetValue(*n, cf::kSInt16, &exact));
    EXPECT_EQ(exact, 300);
    EXPECT_FALSE(cf::NumberGetValue(*n, 99, &v));
    cf::Release(u);
    cf::Release(n);
}

TEST(CfObjects, DictionaryRendersAsXmlPropertyList) {
    cf::String* k1 = cf::MakeString(u"Name<&>", true);
    cf::String* v1 = cf::MakeString(u"电话", true);
    cf::String* k2 = cf::MakeString(u"On", true);
    cf::Dictionary* d = cf::MakeDictionary({{k1, v1}, {k2, cf::True()}});
    std::string xml = cf::RenderXmlPlist(d);
    EXPECT_NE(xml.find("<plist version=\"1.0\">\n<dict>\n\t<key>Name&lt;&amp;&gt;</key>\n\t<string>电话</string>\n"
                       "\t<key>On</key>\n\t<true/>\n</dict>\n</plist>\n"),
              std::string::npos)
        << xml;
    for (cf::Object* o : std::initializer_list<cf::Object*>{k1, v1, k2, d}) cf::Release(o);
}
