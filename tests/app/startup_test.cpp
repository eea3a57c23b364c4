// The installer started as a whole program under Wine: without Apple's
// libraries it only shows the "提示" box and ends with code 0; with the
// simulated libraries registered it shows its window, follows an attached
// device and ends at once from its close button.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/installer_ids.h"
#include "app/installer_run.h"
#include "support/win_test_support.h"

namespace ts = testing_support;

namespace {

const std::wstring kExe = ts::ToWindowsPath(TOVANE_EXE);
const std::string kOutput = TOVANE_TEST_OUTPUT;

TEST(Startup, WithoutAppleLibrariesOnlyThePromptThenExitCodeZero) {
    ts::AppleRegistry registry;
    registry.Remove();
    ts::ChildProcess app;
    ASSERT_TRUE(app.Start(kExe));
    HWND box = ts::WaitForWindow(app.id(), L"提示", 30000);
    ASSERT_NE(box, nullptr) << "no prompt appeared";
    EXPECT_EQ(ts::WindowText(::GetDlgItem(box, 0xFFFF)), L"iTunes驱动加载失败,是否正确安装了iTunes?");
    EXPECT_EQ(ts::WaitForWindow(app.id(), L"Tovane在线安装程序", 0), nullptr) << "the main window must not be shown";
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(app.Wait(15000), 0);
}

TEST(Startup, ShowsTheWindowFollowsADeviceAndClosesAtOnce) {
    ts::InstallerRun run;
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(ts::WaitForWindowText(run.status, L"请连接你的苹果设备", 5000));
    ::Sleep(300);
    ts::WritePng(ts::CaptureClientArea(run.window), kOutput + "/startup_window.png");

    // A device folder appears: the device is examined and offered.
    run.AttachDevice(L"00008030-DEMO", "DeviceName=Demo iPhone\n", false);
    EXPECT_TRUE(ts::WaitForWindowText(run.status, L"点击安装到:Demo iPhone", 10000))
        << ts::Narrow(ts::WindowText(run.status));
    ts::WritePng(ts::CaptureClientArea(run.window), kOutput + "/startup_device_ready.png");

    run.Click(IDC_CLOSE_BUTTON);
    EXPECT_EQ(run.app.Wait(15000), 0);
}

}  // namespace
