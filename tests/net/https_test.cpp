// https against the tests' nginx (the tls_sites fixture) with the test
// certificate authority trusted only where these tests run: natively through
// SSL_CERT_FILE, under Wine in the test prefix's root store (fixture
// wine_test_ca). Natively the system's trust is OpenSSL's, under Wine it is
// crypt32's; both must come to the same verdicts.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/online_fetch.h"
#include "net/remote_file.h"
#include "net/system_trust.h"
#include "net/temp_file.h"
#include "net/update_query.h"
#include "tests/net/fetch_recorders.h"
#include "tests/net/net_test_util.h"
#include "tests/net/tls_sites.h"

using testnet::TlsSites;

namespace {

constexpr char kSitesMissing[] = "TOVANE_TLS_SITES is not set: run this test through ctest (fixture tls_sites)";
const char* const kRefusingPorts[] = {"OTHERHOST_PORT", "EXPIRED_PORT", "SELFSIGNED_PORT"};

class Https : public ::testing::Test {
protected:
    void SetUp() override {
        auto sites = TlsSites::Load();
        ASSERT_TRUE(sites) << kSitesMissing;
        sites_ = *sites;
    }

    // Downloads `address` completely; the file's bytes, or "<failed>".
    std::string Download(std::string& address) {
        std::unique_ptr<HttpFileClient> client = PrepareDownload(nullptr, address);
        if (!client) return "<failed>";
        DownloadToTempFile(*client);
        std::string bytes = client->State() == kDownloadCompleted
                                ? testnet::ReadWholeFile(client->FilePath()).value_or("<missing>")
                                : "<failed>";
        RemoveFile(client->FilePath());
        return bytes;
    }

    TlsSites sites_;
};

TEST_F(Https, ManifestAndPackageOverTls) {
    std::string address;
    UpdateInfo info;
    ASSERT_TRUE(QueryUpdateAt(sites_.Manifest("https"), address, &info));
    EXPECT_EQ(address, sites_.PackageUrl());
    EXPECT_EQ(info.buildNumber, 2);
    EXPECT_FALSE(info.sha256);
    EXPECT_TRUE(Download(address) == sites_.Package());
}

TEST_F(Https, HttpAddressRedirectedToHttpsDownloads) {
    std::string address = sites_.Url("HTTP_PORT", "/to-https/pkg/tovane.deb");
    EXPECT_TRUE(Download(address) == sites_.Package());
    EXPECT_EQ(address, sites_.PackageUrl());
}

TEST_F(Https, NeverFollowsARedirectFromHttpsDownToHttp) {
    // Where the redirect points is served fine over plain http ...
    std::string plain = sites_.PackageUrl("HTTP_PORT");
    RemoteFileInfo info;
    EXPECT_TRUE(ProbeRemoteFile(plain, info));
    // ... but an https address may not lead there.
    const std::string start = sites_.Url("HTTPS_PORT", "/to-http/pkg/tovane.deb");
    std::string address = start;
    EXPECT_FALSE(ProbeRemoteFile(address, info));
    address = start;
    EXPECT_EQ(OpenDownload(address), nullptr);
}

TEST_F(Https, ServersWhoseCertificateTheSystemRefusesGetNoRequest) {
    for (const char* port : kRefusingPorts) {
        SCOPED_TRACE(port);
        std::string address = sites_.PackageUrl(port);
        RemoteFileInfo info;
        EXPECT_FALSE(ProbeRemoteFile(address, info));
        address = sites_.PackageUrl(port);
        EXPECT_EQ(OpenDownload(address), nullptr);
        std::string download = "unchanged";
        EXPECT_FALSE(QueryUpdateAt(sites_.Url(port, "/manifests/https.json"), download));
        EXPECT_EQ(download, "unchanged");
    }
    // A redirect from http to such a server is refused the same way.
    std::string address = sites_.Url("HTTP_PORT", "/to-expired/pkg/tovane.deb");
    EXPECT_EQ(Download(address), "<failed>");
}

// The verdicts themselves, for the test certificates (DER, as a server sends them).
TEST(SystemTrust, VerdictsOnTheTestCertificates) {
    const std::string ca = testnet::TestCertificate("ca");
    const std::string localhost = testnet::TestCertificate("localhost");
    const std::string otherHost = testnet::TestCertificate("otherhost");
    const std::string expired = testnet::TestCertificate("expired");
    const std::string selfSigned = testnet::TestCertificate("selfsigned");
    ASSERT_FALSE(ca.empty() || localhost.empty() || otherHost.empty() || expired.empty() || selfSigned.empty())
        << "TOVANE_TEST_CERTS does not name the test certificates";

    EXPECT_EQ(CheckServerChain({localhost, ca}, "localhost"), TrustVerdict::kTrusted);
    // The authority comes from the system's store when the server omits it.
    EXPECT_EQ(CheckServerChain({localhost}, "localhost"), TrustVerdict::kTrusted);
    EXPECT_EQ(CheckServerChain({otherHost, ca}, "localhost"), TrustVerdict::kHostMismatch);
    EXPECT_EQ(CheckServerChain({otherHost, ca}, "other-host.invalid"), TrustVerdict::kTrusted);
    EXPECT_EQ(CheckServerChain({localhost, ca}, "other-host.invalid"), TrustVerdict::kHostMismatch);
    EXPECT_EQ(CheckServerChain({expired, ca}, "localhost"), TrustVerdict::kNotTimeValid);
    EXPECT_EQ(CheckServerChain({selfSigned}, "localhost"), TrustVerdict::kUntrusted);
    // Issued by an authority the system does not know, sent along or not (a
    // chain that stops short of any root must not pass).
    const std::string stranger = testnet::TestCertificate("stranger");
    const std::string strangerCa = testnet::TestCertificate("stranger-ca");
    ASSERT_FALSE(stranger.empty() || strangerCa.empty());
    EXPECT_EQ(CheckServerChain({stranger}, "localhost"), TrustVerdict::kUntrusted);
    EXPECT_EQ(CheckServerChain({stranger, strangerCa}, "localhost"), TrustVerdict::kUntrusted);
    // The authority's own certificate is not a server's.
    EXPECT_NE(CheckServerChain({ca}, "localhost"), TrustVerdict::kTrusted);
    // Nothing to judge.
    EXPECT_EQ(CheckServerChain({}, "localhost"), TrustVerdict::kRejected);
    EXPECT_EQ(CheckServerChain({localhost, ca}, ""), TrustVerdict::kRejected);
    EXPECT_EQ(CheckServerChain({"not a certificate"}, "localhost"), TrustVerdict::kRejected);
    EXPECT_EQ(CheckServerChain({localhost.substr(0, localhost.size() / 2), ca}, "localhost"), TrustVerdict::kRejected);
}

// The whole fetch over https, with the window and the install replaced by
// recorders and a temporary folder of its own.
class HttpsFetch : public Https {
protected:
    void SetUp() override {
        Https::SetUp();
        folder_ = std::filesystem::temp_directory_path() / ("tovane-https-" + std::to_string(++counter_));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        const std::string path = folder_.string();
        tmp_ = std::make_unique<testnet::ScopedEnv>("TMP", path);
        tmpdir_ = std::make_unique<testnet::ScopedEnv>("TMPDIR", path);
    }
    void TearDown() override {
        tmp_.reset();
        tmpdir_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void Fetch(const std::string& updateAddress) {
        testnet::ScopedEnv address("TOVANE_UPDATE_URL", updateAddress);
        FetchAndInstall(view_, target_);
    }
    int TemporaryFiles() const {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder_), {}));
    }
    void ExpectDownloadFailure(const wchar_t* message) {
        EXPECT_EQ(view_.messages, std::vector<std::wstring>{message});
        ASSERT_FALSE(view_.texts.empty());
        EXPECT_EQ(view_.texts.back(), L"安装失败,请重试");
        EXPECT_EQ(target_.installs, 0);
        EXPECT_TRUE(target_.packagePath.empty());
        EXPECT_EQ(TemporaryFiles(), 0) << "the failed download left its file";
    }

    testnet::RecordingView view_;
    testnet::RecordingTarget target_;

private:
    static inline int counter_ = 0;
    std::filesystem::path folder_;
    std::unique_ptr<testnet::ScopedEnv> tmp_, tmpdir_;
};

TEST_F(HttpsFetch, HttpsManifestAndPackageInstall) {
    Fetch(sites_.Manifest("https"));
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(target_.installs, 1);
    EXPECT_TRUE(target_.installedBytes == sites_.Package());
    EXPECT_EQ(view_.texts.back(), L"正在下载:100.00%");
}

TEST_F(HttpsFetch, PackageRedirectedFromHttpToHttpsInstalls) {
    Fetch(sites_.Manifest("redirected"));
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_TRUE(target_.installedBytes == sites_.Package());
}

TEST_F(HttpsFetch, ChecksumThatMatchesInstalls) {
    Fetch(sites_.Manifest("sha-match"));
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(target_.installs, 1);
    EXPECT_TRUE(target_.installedBytes == sites_.Package());
}

TEST_F(HttpsFetch, ChecksumThatDoesNotMatchFailsLikeTheSizeCheck) {
    Fetch(sites_.Manifest("sha-mismatch"));
    ExpectDownloadFailure(L"下载失败:文件大小检验不正确!");
    // The whole package was received (the percentage reached 100) before the
    // checksum refused it.
    EXPECT_NE(std::find(view_.texts.begin(), view_.texts.end(), L"正在下载:100.00%"), view_.texts.end());
}

TEST_F(HttpsFetch, MalformedChecksumIsABadManifest) {
    for (const char* name : {"sha-short", "sha-nonhex"}) {
        SCOPED_TRACE(name);
        view_ = {};
        Fetch(sites_.Manifest(name));
        EXPECT_EQ(view_.texts, std::vector<std::wstring>{L"更新地址获取失败,此问题频繁出现请反馈"});
        EXPECT_TRUE(view_.messages.empty());
        EXPECT_EQ(target_.installs, 0);
    }
}

TEST_F(HttpsFetch, RefusedServersEndOnTheDownloadFailurePath) {
    for (const char* name : {"otherhost", "expired", "selfsigned", "downgrade"}) {
        SCOPED_TRACE(name);
        view_ = {};
        Fetch(sites_.Manifest(name));
        ExpectDownloadFailure(L"下载失败:无法连接下载服务器!");
    }
}

TEST_F(HttpsFetch, UpdateServiceWithARefusedCertificateIsAFailedQuery) {
    for (const char* port : kRefusingPorts) {
        SCOPED_TRACE(port);
        view_ = {};
        Fetch(sites_.Url(port, "/manifests/https.json"));
        EXPECT_EQ(view_.texts, std::vector<std::wstring>{L"更新地址获取失败,此问题频繁出现请反馈"});
        EXPECT_TRUE(view_.messages.empty());
    }
    EXPECT_EQ(target_.installs, 0);
}

}  // namespace
