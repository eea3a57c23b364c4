// The installer over https under Wine, against the tests' nginx (the
// tls_sites fixture) with the test certificate authority in the prefix's
// root store (the wine_test_ca fixture): the update address is an https
// manifest that the test swaps between clicks. Refused certificates, a
// checksum that does not match and a malformed checksum each end with their
// failure text, nothing on the device, no temporary file left and a window
// that takes the next click; then the package arrives.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "app/installer_ids.h"
#include "app/installer_run.h"
#include "support/win_test_support.h"
#include "tests/net/tls_sites.h"

namespace ts = testing_support;

namespace {

const std::string kOutput = TOVANE_TEST_OUTPUT;
constexpr wchar_t kMessageTitle[] = L"Tovane安装程序";
constexpr wchar_t kDone[] = L"安装完毕,请重启手机,使安装生效!";
constexpr wchar_t kInstallFailed[] = L"安装失败,请重试";
constexpr wchar_t kCannotConnect[] = L"下载失败:无法连接下载服务器!";
constexpr wchar_t kSizeCheck[] = L"下载失败:文件大小检验不正确!";
constexpr wchar_t kQueryFailed[] = L"更新地址获取失败,此问题频繁出现请反馈";

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(ts::Narrow(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Files in a folder (not below it).
int CountFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    win::ScopedFind find(::FindFirstFileW((folder + L"*").c_str(), &data));
    int count = 0;
    if (find) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
        } while (::FindNextFileW(find.get(), &data));
    }
    return count;
}

class HttpsInstall : public ::testing::Test {
protected:
    void SetUp() override {
        auto sites = testnet::TlsSites::Load();
        ASSERT_TRUE(sites) << "TOVANE_TLS_SITES is not set: run this test through ctest (fixture tls_sites)";
        sites_ = *sites;
        Serve("https");
        const std::string current = sites_.Manifest("current");
        ::SetEnvironmentVariableW(L"TOVANE_UPDATE_URL", ts::Widen(current).c_str());
        // The installer's temporary folder is the test's own, to see what it leaves.
        for (const wchar_t* name : {L"TMP", L"TEMP"}) {
            wchar_t old[MAX_PATH + 1] = {};
            savedTemp_.push_back(::GetEnvironmentVariableW(name, old, MAX_PATH + 1) ? old : L"");
            ::SetEnvironmentVariableW(name, temp_.path().c_str());
        }
    }
    void TearDown() override {
        // Later temporary folders of this process go where they did before.
        ::SetEnvironmentVariableW(L"TMP",
                                  savedTemp_.size() > 0 && !savedTemp_[0].empty() ? savedTemp_[0].c_str() : nullptr);
        ::SetEnvironmentVariableW(L"TEMP",
                                  savedTemp_.size() > 1 && !savedTemp_[1].empty() ? savedTemp_[1].c_str() : nullptr);
    }

    // The manifest the next click gets: a copy of manifests/NAME.json.
    void Serve(const std::string& name) {
        const std::string folder = sites_.Root() + "\\manifests\\";
        const auto text = testnet::ReadFileAt(folder + name + ".json");
        ASSERT_TRUE(text) << name;
        std::ofstream(folder + "current.json", std::ios::binary) << *text;
    }

    // Starts the installer with a jailbroken device attached.
    void StartWithDevice(const wchar_t* udid) {
        ASSERT_TRUE(run_.Start());
        device_ = run_.AttachDevice(udid, "", true);
        ASSERT_TRUE(ts::WaitForWindowText(run_.status, L"点击安装到:iPhone", 10000))
            << ts::Narrow(ts::WindowText(run_.status));
    }

    // Clicks the status button until `seen` returns something: the worker of
    // the last click clears its marker only after its last text, and a click
    // before that is ignored, as a user's would be.
    template <typename Seen>
    auto ClickUntil(Seen seen) -> decltype(seen()) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            run_.Click(IDC_STATUS_BUTTON);
            if (auto result = seen()) return result;
        }
        return {};
    }
    bool ClickUntilText(const wchar_t* text, DWORD milliseconds) {
        return ClickUntil([&] { return ts::WaitForWindowText(run_.status, text, 1000); }) ||
               ts::WaitForWindowText(run_.status, text, milliseconds);
    }

    std::wstring Installed() const { return device_ + L"fs\\var\\root\\Media\\Cydia\\AutoInstall\\tovane_tl.deb"; }

    // Clicks and expects the failure message box with `message`, then the
    // failure text on the button, with nothing on the device and no
    // temporary file left.
    void ExpectDownloadFailure(const wchar_t* message, const std::string& picture) {
        HWND box = ClickUntil([this] { return ts::WaitForWindow(run_.app.id(), kMessageTitle, 500); });
        ASSERT_TRUE(box) << "no message box; the button reads " << ts::Narrow(ts::WindowText(run_.status));
        EXPECT_EQ(ts::WindowText(::GetDlgItem(box, 0xFFFF)), message);
        if (!picture.empty()) {
            ::Sleep(500);  // painted by then
            RECT rect;
            ::GetWindowRect(box, &rect);
            ts::WritePng(ts::CaptureScreenArea(rect), kOutput + "/" + picture);
        }
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(ts::WaitForWindowText(run_.status, kInstallFailed, 10000))
            << ts::Narrow(ts::WindowText(run_.status));
        EXPECT_EQ(::GetFileAttributesW(Installed().c_str()), INVALID_FILE_ATTRIBUTES) << "a package reached the device";
        EXPECT_EQ(CountFiles(temp_.path()), 0) << "a temporary file was left";
    }

    testnet::TlsSites sites_;
    ts::TempFolder temp_;
    ts::InstallerRun run_;
    std::wstring device_;
    std::vector<std::wstring> savedTemp_;
};

TEST_F(HttpsInstall, RefusedServersAndChecksumsFailThenTheVerifiedPackageInstalls) {
    StartWithDevice(L"00008030-TLS");

    // A certificate made out for another host, one that expired, one that
    // no authority in the store vouches for, and a redirect from https down
    // to http: the download cannot start.
    Serve("otherhost");
    ExpectDownloadFailure(kCannotConnect, "https_refused_certificate.png");
    ts::WritePng(ts::CaptureClientArea(run_.window), kOutput + "/https_refused_window.png");
    for (const char* name : {"expired", "selfsigned", "downgrade"}) {
        SCOPED_TRACE(name);
        Serve(name);
        ExpectDownloadFailure(kCannotConnect, "");
    }

    // The package arrives whole, but not as the manifest's checksum says.
    Serve("sha-mismatch");
    ExpectDownloadFailure(kSizeCheck, "");

    // A checksum that is not 64 hex digits makes the manifest unusable.
    Serve("sha-nonhex");
    EXPECT_TRUE(ClickUntilText(kQueryFailed, 20000)) << ts::Narrow(ts::WindowText(run_.status));
    EXPECT_EQ(ts::WaitForWindow(run_.app.id(), kMessageTitle, 0), nullptr);

    // The same package with its right checksum installs.
    Serve("sha-match");
    EXPECT_TRUE(ClickUntilText(kDone, 30000)) << ts::Narrow(ts::WindowText(run_.status));
    EXPECT_TRUE(ReadFile(Installed()) == sites_.Package()) << "the installed bytes differ from the served package";
    ts::WritePng(ts::CaptureClientArea(run_.window), kOutput + "/https_done.png");

    run_.Click(IDC_CLOSE_BUTTON);
    EXPECT_EQ(run_.app.Wait(15000), 0);
}

TEST_F(HttpsInstall, PackageAddressOnHttpRedirectedToHttpsInstalls) {
    Serve("redirected");
    StartWithDevice(L"00008030-TLSR");
    run_.Click(IDC_STATUS_BUTTON);
    EXPECT_TRUE(ts::WaitForWindowText(run_.status, kDone, 30000)) << ts::Narrow(ts::WindowText(run_.status));
    EXPECT_TRUE(ReadFile(Installed()) == sites_.Package()) << "the installed bytes differ from the served package";
    run_.Click(IDC_CLOSE_BUTTON);
    EXPECT_EQ(run_.app.Wait(15000), 0);
}

}  // namespace
