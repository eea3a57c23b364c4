// The whole road under Wine: the installer started as a program, a simulated
// jailbroken iPhone attached, one click that queries the update service,
// downloads the package through a redirect with percentages on the button
// and installs it; a second click installs again without a download.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "app/installer_ids.h"
#include "app/installer_run.h"
#include "support/win_test_support.h"
#include "tests/net/loopback_server.h"

namespace ts = testing_support;

namespace {

const std::string kOutput = TOVANE_TEST_OUTPUT;
constexpr wchar_t kDone[] = L"安装完毕,请重启手机,使安装生效!";

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(ts::Narrow(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Polls the button text until `until` shows, collecting every text seen.
bool WatchTexts(HWND button, const std::wstring& until, DWORD milliseconds, std::set<std::wstring>& seen) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
        std::wstring text = ts::WindowText(button);
        seen.insert(text);
        if (text == until) return true;
        ::Sleep(5);
    }
    return false;
}

TEST(EndToEnd, OneClickFetchesDownloadsAndInstallsThenReinstallsWithoutDownload) {
    // A package of 1 MiB sent in pieces, so the download shows percentages.
    std::string package(1u << 20, '\0');
    for (size_t i = 0; i < package.size(); ++i) package[i] = static_cast<char>((i * 7919) >> 3);
    testnet::LoopbackServer server;
    server.ServeBody("/update.json", R"({"error":0,"msg":"","data":{"version":"1.0","discription":"",)"
                                     R"("build_number":1,"url":")" +
                                         server.Url("/get/tovane_tl.deb") + "\"}}");
    server.Redirect("/get/tovane_tl.deb", 302, "/files/tovane_tl.deb");
    server.ServeRaw(
        "/files/tovane_tl.deb",
        "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " + std::to_string(package.size()) + "\r\n\r\n",
        package, testnet::RawEnd::kClose, 8, 60);

    ::SetEnvironmentVariableW(L"TOVANE_UPDATE_URL", ts::Widen(server.Url("/update.json?type=tu")).c_str());
    ts::InstallerRun run;
    ASSERT_TRUE(run.Start());
    HWND window = run.window;
    HWND status = run.status;
    ts::ChildProcess& app = run.app;
    // A jailbroken device with Cydia: its folder exists, AutoInstall not yet.
    const std::wstring device = run.AttachDevice(L"00008030-E2E", "", true);
    ASSERT_TRUE(ts::WaitForWindowText(status, L"点击安装到:iPhone", 10000)) << ts::Narrow(ts::WindowText(status));

    std::set<std::wstring> seen;
    run.Click(IDC_STATUS_BUTTON);
    if (!WatchTexts(status, kDone, 30000, seen)) {
        ts::WritePng(ts::CaptureClientArea(window), kOutput + "/end_to_end_failed.png");
        HWND box = ts::WaitForWindow(app.id(), L"Tovane安装程序", 0);
        FAIL() << "stuck at " << ts::Narrow(ts::WindowText(status)) << "; message box: "
               << (box ? ts::Narrow(ts::WindowText(::GetDlgItem(box, 0xFFFF))) : std::string("none")) << "\ncalls:\n"
               << ReadFile(device + L"calls.log").substr(0, 4000);
    }
    ts::WritePng(ts::CaptureClientArea(window), kOutput + "/end_to_end_done.png");
    bool percentage = false;
    for (const auto& t : seen) percentage = percentage || (t.rfind(L"正在下载:", 0) == 0 && t.back() == L'%');
    EXPECT_TRUE(percentage) << "no download percentage was shown";

    const std::wstring installed = device + L"fs\\var\\root\\Media\\Cydia\\AutoInstall\\tovane_tl.deb";
    EXPECT_TRUE(ReadFile(installed) == package) << "the installed bytes differ from the served package";
    EXPECT_EQ(server.Hits("/update.json"), 1);
    const int downloads = server.Hits("/files/tovane_tl.deb");

    // Again: the known package is installed once more, nothing is downloaded.
    seen.clear();
    run.Click(IDC_STATUS_BUTTON);
    ASSERT_TRUE(WatchTexts(status, L"正在安装,请稍候..", 10000, seen) || ts::WindowText(status) == kDone);
    EXPECT_TRUE(ts::WaitForWindowText(status, kDone, 30000));
    EXPECT_EQ(server.Hits("/update.json"), 1);
    EXPECT_EQ(server.Hits("/files/tovane_tl.deb"), downloads);
    EXPECT_TRUE(ReadFile(installed) == package);

    run.Click(IDC_CLOSE_BUTTON);
    EXPECT_EQ(app.Wait(15000), 0);
}

// A device whose file system is empty (no /var/root/Media/Cydia at all): the
// installer's one folder request makes the whole path, as a device does.
TEST(EndToEnd, DeviceWithAnEmptyFileSystemGetsThePackage) {
    const std::string package(300000, 'e');
    testnet::LoopbackServer server;
    server.ServeBody("/update.json", R"({"error":0,"msg":"","data":{"version":"1.0","discription":"",)"
                                     R"("build_number":1,"url":")" +
                                         server.Url("/files/tovane_tl.deb") + "\"}}");
    server.ServeBody("/files/tovane_tl.deb", package);
    ::SetEnvironmentVariableW(L"TOVANE_UPDATE_URL", ts::Widen(server.Url("/update.json?type=tu")).c_str());

    ts::InstallerRun run;
    ASSERT_TRUE(run.Start());
    const std::wstring device = run.AttachDevice(L"00008030-EMPTY", "", false);
    ASSERT_TRUE(ts::WaitForWindowText(run.status, L"点击安装到:iPhone", 10000))
        << ts::Narrow(ts::WindowText(run.status));
    run.Click(IDC_STATUS_BUTTON);
    EXPECT_TRUE(ts::WaitForWindowText(run.status, kDone, 30000)) << ts::Narrow(ts::WindowText(run.status));
    EXPECT_TRUE(ReadFile(device + L"fs\\var\\root\\Media\\Cydia\\AutoInstall\\tovane_tl.deb") == package);
    run.Click(IDC_CLOSE_BUTTON);
    EXPECT_EQ(run.app.Wait(15000), 0);
}

}  // namespace
