// The package checksum: SHA-256 and its hex form, the manifest's "sha256"
// member, the check at the end of a download (over plain http here: the
// checksum does not depend on TLS), and the rule that a redirect never leaves
// https for http.
#include <cctype>
#include <string>

#include <gtest/gtest.h>

#include "net/http_session_util.h"
#include "net/remote_file.h"
#include "net/sha256.h"
#include "net/temp_file.h"
#include "net/update_query.h"
#include "tests/net/loopback_server.h"
#include "tests/net/net_test_util.h"

using testnet::LoopbackServer;

namespace {

constexpr char kEmptySha256[] = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
constexpr char kAbcSha256[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

std::string Sha256Of(const std::string& data) {
    Sha256 hash;
    hash.Update(data.data(), data.size());
    return Sha256Hex(hash.Finish());
}

std::string Manifest(const std::string& sha256Member) {
    return R"({"error":0,"data":{"url":"http://example.invalid/p.deb")" +
           (sha256Member.empty() ? std::string() : "," + sha256Member) + "}}";
}

TEST(Sha256Test, KnownDigestsInOneOrManyPieces) {
    EXPECT_EQ(Sha256Of(""), kEmptySha256);
    EXPECT_EQ(Sha256Of("abc"), kAbcSha256);
    // A million 'a's, fed in uneven pieces across block boundaries.
    Sha256 hash;
    const std::string chunk(7919, 'a');
    std::size_t left = 1000000;
    for (; left >= chunk.size(); left -= chunk.size()) hash.Update(chunk.data(), chunk.size());
    hash.Update(chunk.data(), left);
    EXPECT_EQ(Sha256Hex(hash.Finish()), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256Test, HexFormIsExactly64HexDigits) {
    const auto digest = ParseSha256Hex(kAbcSha256);
    ASSERT_TRUE(digest);
    EXPECT_EQ(Sha256Hex(*digest), kAbcSha256);
    std::string upper = kAbcSha256;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(ParseSha256Hex(upper), digest);

    const std::string good = kAbcSha256;
    for (const std::string& bad :
         {std::string(), good.substr(1), good + "0", good.substr(0, 63) + "g", " " + good.substr(1),
          "0x" + good.substr(2), good.substr(0, 63) + std::string(1, '\0'), std::string(64, '-')}) {
        EXPECT_FALSE(ParseSha256Hex(bad)) << bad;
    }
}

TEST(ManifestChecksumTest, MemberIsReadWhenWellFormedAndRefusedOtherwise) {
    UpdateInfo info;
    ASSERT_TRUE(ParseUpdateManifest(Manifest(""), info));
    EXPECT_FALSE(info.sha256);
    EXPECT_EQ(info.downloadAddress, "http://example.invalid/p.deb");

    info = {};
    ASSERT_TRUE(ParseUpdateManifest(Manifest(R"("sha256":")" + std::string(kAbcSha256) + "\""), info));
    ASSERT_TRUE(info.sha256);
    EXPECT_EQ(Sha256Hex(*info.sha256), kAbcSha256);

    // null is no checksum at all.
    info = {};
    ASSERT_TRUE(ParseUpdateManifest(Manifest(R"("sha256":null)"), info));
    EXPECT_FALSE(info.sha256);

    // Outside "data" the member means nothing.
    info = {};
    ASSERT_TRUE(ParseUpdateManifest(R"({"sha256":"x","data":{"url":"u"}})", info));
    EXPECT_FALSE(info.sha256);

    const std::string good = kAbcSha256;
    for (const std::string& member :
         {R"("sha256":")" + good.substr(1) + "\"", R"("sha256":")" + good + "0\"",
          R"("sha256":")" + good.substr(0, 63) + "z\"", std::string(R"("sha256":"")"), std::string(R"("sha256":12)"),
          std::string(R"("sha256":true)"), R"("sha256":[")" + good + "\"]", std::string(R"("sha256":{})")}) {
        UpdateInfo refused;
        EXPECT_FALSE(ParseUpdateManifest(Manifest(member), refused)) << member;
    }
}

class DownloadChecksumTest : public ::testing::Test {
protected:
    // Downloads /pkg with `expected` as the checksum; the client afterwards.
    std::unique_ptr<HttpFileClient> Download(const std::string& expected) {
        std::string address = server_.Url("/pkg");
        std::unique_ptr<HttpFileClient> client = PrepareDownload(nullptr, address);
        if (!client) return nullptr;
        client->SetExpectedSha256(*ParseSha256Hex(expected));
        DownloadToTempFile(*client);
        return client;
    }

    LoopbackServer server_;
    // Over three download blocks, and not a multiple of one.
    const std::string package_ = std::string(3 * kDownloadBlockSize + 12345, 'q');
};

TEST_F(DownloadChecksumTest, MatchingChecksumCompletes) {
    server_.ServeBody("/pkg", package_);
    auto client = Download(Sha256Of(package_));
    ASSERT_TRUE(client);
    EXPECT_EQ(client->State(), kDownloadCompleted);
    EXPECT_TRUE(client->ErrorText().empty());
    EXPECT_TRUE(testnet::ReadWholeFile(client->FilePath()) == package_);
    RemoveFile(client->FilePath());
}

TEST_F(DownloadChecksumTest, OtherChecksumFailsWithTheSizeTextAndLeavesNoFile) {
    std::string changed = package_;
    changed[kDownloadBlockSize + 1] = 'Q';  // one byte in the second block
    server_.ServeBody("/pkg", changed);
    auto client = Download(Sha256Of(package_));
    ASSERT_TRUE(client);
    EXPECT_EQ(client->ReceivedSize(), package_.size());
    EXPECT_EQ(client->State(), kDownloadFailed);
    EXPECT_EQ(client->ErrorText(), L"下载失败:文件大小检验不正确!");
    EXPECT_FALSE(testnet::FileExists(client->FilePath()));
}

TEST(RedirectRuleTest, HttpsNeverLeadsToHttp) {
    const Poco::URI secure("https://a.example/get/p.deb");
    const Poco::URI plain("http://a.example/get/p.deb");
    EXPECT_EQ(net_util::RedirectTarget(secure, "http://b.example/p.deb"), "");
    EXPECT_EQ(net_util::RedirectTarget(secure, "HTTP://b.example/p.deb"), "");
    EXPECT_EQ(net_util::RedirectTarget(secure, "https://b.example/p.deb"), "https://b.example/p.deb");
    EXPECT_EQ(net_util::RedirectTarget(secure, "/files/p.deb"), "https://a.example/files/p.deb");
    EXPECT_EQ(net_util::RedirectTarget(plain, "https://b.example/p.deb"), "https://b.example/p.deb");
    EXPECT_EQ(net_util::RedirectTarget(plain, "http://b.example/p.deb"), "http://b.example/p.deb");
}

}  // namespace
