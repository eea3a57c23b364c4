// The install workflow against the device simulator: the copy, its
// failures, departures, clicks during an install, and the online fetch as
// the installer ships it.
#include <gtest/gtest.h>

#include "app/workflow_fixture.h"

using devsim_test::Count;
using devsim_test::SimDevice;

namespace {

const std::string kFinal = "/var/root/Media/Cydia/AutoInstall/tovane_tl.deb";
const std::string kPartial = "/var/root/Media/Cydia/AutoInstall/tovane_tl.partial";
constexpr unsigned kWait = 5000;

class DeviceWorkflowInstall : public ::testing::Test {
protected:
    // A new device, made current (any earlier one must be gone). With Cydia,
    // its folder /var/root/Media/Cydia exists.
    void Ready(const std::string& ini = "", bool withCydia = true) {
        std::size_t mark = view_.Size();
        sim_ = std::make_unique<SimDevice>(ini);
        sim_->WaitAttached();
        if (withCydia) sim_->MakeDirs("/var/root/Media/Cydia");
        ASSERT_TRUE(view_.WaitFor(Text(ReadyText(L"iPhone")), kWait, mark));
        ASSERT_TRUE(flow_.WaitForWorkers(kWait));
    }
    // Clicks, waits for the install worker to end and returns what it showed.
    std::vector<std::wstring> Click() {
        std::size_t mark = view_.Size();
        flow_.OnStatusButtonClick();
        EXPECT_TRUE(flow_.WaitForWorkers(20000));
        return view_.LogSince(mark);
    }
    void TearDown() override { flow_.WaitForWorkers(20000); }

    RecordingView view_;
    WiredWorkflow flow_{view_};
    std::unique_ptr<SimDevice> sim_;
};

using Shown = std::vector<std::wstring>;
const Shown kSucceeded = {Text(kInstallingText), Text(kInstallDoneText), L"images:done"};
const Shown kCopyFailed = {Text(kInstallingText), Message(kCopyFailedMessage), Text(kInstallFailedText)};

}  // namespace

TEST_F(DeviceWorkflowInstall, PackageReplacesALongerOldOneExactly) {
    Ready();
    sim_->WriteFile(kFinal, std::string(100000, 'o'));
    std::string bytes = PackageBytes(3 * 8192 + 123);
    LocalPackage pkg(bytes);
    flow_.SetPackagePath(pkg.path());
    EXPECT_EQ(Click(), kSucceeded);
    EXPECT_TRUE(sim_->ReadFile(kFinal) == bytes) << "the device holds other bytes than the package";
    EXPECT_FALSE(sim_->FileExists(kPartial));
    // Written under the temporary name, closed, checked, renamed, checked.
    std::vector<std::string> tail;
    for (const auto& line : sim_->Calls()) {
        for (const char* call : {"AFCFileRefOpen", "AFCFileRefClose", "AFCRenamePath", "AFCFileInfoOpen"}) {
            if (line.rfind(call, 0) == 0) tail.push_back(line);
        }
    }
    EXPECT_EQ(tail, (std::vector<std::string>{
                        "AFCFileInfoOpen 0 /var/root/Media/Cydia/AutoInstall", "AFCFileRefOpen 0 " + kPartial + " 3",
                        "AFCFileRefClose 0", "AFCFileInfoOpen 0 " + kPartial,
                        "AFCRenamePath 0 " + kPartial + " " + kFinal, "AFCFileInfoOpen 0 " + kFinal}));
    // Nothing stays open after the install.
    EXPECT_EQ(Count(sim_->CallNames(), "AFCConnectionOpen"), Count(sim_->CallNames(), "AFCConnectionClose"));

    // A further click copies again and ends the same way.
    EXPECT_EQ(Click(), kSucceeded);
    EXPECT_TRUE(sim_->ReadFile(kFinal) == bytes) << "the device holds other bytes than the package";
}

TEST_F(DeviceWorkflowInstall, WholeFolderPathIsMadeOnAnEmptyDeviceAndAnEmptyPackageInstalls) {
    Ready("", false);  // fs/ is empty: not even /var
    LocalPackage pkg("");
    flow_.SetPackagePath(pkg.path());
    EXPECT_EQ(Click(), kSucceeded);
    EXPECT_TRUE(sim_->FileExists(kFinal));
    EXPECT_EQ(sim_->ReadFile(kFinal), "");
    EXPECT_EQ(Count(sim_->CallNames(), "AFCFileRefWrite"), 0u);
    EXPECT_EQ(Count(sim_->CallNames(), "AFCDirectoryCreate"), 1u);  // one call for the whole path
}

TEST_F(DeviceWorkflowInstall, FileInTheWayOfTheFolderCannotBeCreated) {
    Ready("", false);
    sim_->WriteFile("/var/root/Media/Cydia", "not a folder");
    LocalPackage pkg("x");
    flow_.SetPackagePath(pkg.path());
    EXPECT_EQ(Click(), (Shown{Text(kInstallingText), Message(kNoFolderMessage), Text(kInstallFailedText)}));
    EXPECT_EQ(sim_->ReadFile("/var/root/Media/Cydia"), "not a folder");
}

TEST_F(DeviceWorkflowInstall, FileServiceThatNoLongerStartsEndsInFailureWithoutAMessage) {
    // The service started for the examination, not for the install.
    Ready("afc2_starts=1\n");
    LocalPackage pkg("x");
    flow_.SetPackagePath(pkg.path());
    EXPECT_EQ(Click(), (Shown{Text(kInstallingText), Text(kInstallFailedText)}));
    EXPECT_FALSE(sim_->FileExists(kFinal));
    // The user may click again; it fails the same way, it does not hang.
    EXPECT_EQ(Click(), (Shown{Text(kInstallingText), Text(kInstallFailedText)}));
}

TEST_F(DeviceWorkflowInstall, RenameThatCannotReplaceRemovesTheOldPackageFirst) {
    Ready("rename_replace=no\n");
    sim_->WriteFile(kFinal, "old package, longer than the new one");
    LocalPackage pkg("new");
    flow_.SetPackagePath(pkg.path());
    EXPECT_EQ(Click(), kSucceeded);
    EXPECT_EQ(sim_->ReadFile(kFinal), "new");
    EXPECT_FALSE(sim_->FileExists(kPartial));
}

TEST_F(DeviceWorkflowInstall, MissingLocalFileLeavesNothingOnTheDevice) {
    Ready();
    flow_.SetPackagePath(MissingLocalPath());
    EXPECT_EQ(Click(), (Shown{Text(kInstallingText), Message(kNoLocalFileMessage), Text(kInstallFailedText)}));
    EXPECT_TRUE(sim_->List("/var/root/Media/Cydia/AutoInstall").empty());
}

TEST_F(DeviceWorkflowInstall, FailedWritesEndInFailureWithoutAPartialPackage) {
    std::string bytes = PackageBytes(5 * 8192 + 7);
    LocalPackage pkg(bytes);
    flow_.SetPackagePath(pkg.path());
    for (unsigned limit : {0u, 1u, 8192u, 8193u, 40960u, 40966u}) {
        SCOPED_TRACE(limit);
        sim_.reset();  // the earlier device leaves first
        Ready("write_fail_after=" + std::to_string(limit));
        sim_->MakeDirs("/var/root/Media/Cydia/AutoInstall");
        sim_->WriteFile(kFinal, "previous");
        EXPECT_EQ(Click(), kCopyFailed);
        EXPECT_EQ(sim_->ReadFile(kFinal), "previous");  // untouched, not half-replaced
        EXPECT_FALSE(sim_->FileExists(kPartial));
    }
}

TEST_F(DeviceWorkflowInstall, WritesTheDeviceDroppedAreFoundBySize) {
    std::string bytes = PackageBytes(4 * 8192 + 5);
    LocalPackage pkg(bytes);
    flow_.SetPackagePath(pkg.path());
    for (unsigned limit : {0u, 8192u, 4u * 8192u + 4u}) {
        SCOPED_TRACE(limit);
        sim_.reset();
        Ready("drop_writes_after=" + std::to_string(limit));
        sim_->MakeDirs("/var/root/Media/Cydia/AutoInstall");
        sim_->WriteFile(kFinal, "previous");
        EXPECT_EQ(Click(), kCopyFailed);
        EXPECT_EQ(sim_->ReadFile(kFinal), "previous");
        EXPECT_FALSE(sim_->FileExists(kPartial));
    }
}

TEST_F(DeviceWorkflowInstall, DeviceLeavingDuringTheCopyEndsInFailure) {
    std::string bytes = PackageBytes(6 * 8192);
    LocalPackage pkg(bytes);
    flow_.SetPackagePath(pkg.path());
    for (unsigned limit : {0u, 100u, 8192u, 30000u}) {
        SCOPED_TRACE(limit);
        Ready("detach_after=" + std::to_string(limit));
        std::size_t mark = view_.Size();
        Click();
        EXPECT_TRUE(view_.WaitFor(Message(kCopyFailedMessage), kWait, mark));
        EXPECT_TRUE(view_.WaitFor(Text(kInstallFailedText), kWait, mark));
        EXPECT_FALSE(view_.WaitFor(Text(kInstallDoneText), 0, mark));
        EXPECT_FALSE(sim_->FileExists(kFinal));
        EXPECT_TRUE(view_.WaitFor(Text(kConnectDeviceText), kWait, mark));  // the departure
        EXPECT_EQ(flow_.CurrentDevice(), nullptr);
        sim_.reset();
    }
}

TEST_F(DeviceWorkflowInstall, ClicksDuringAnInstallAndArrivalsAreIgnored) {
    Ready("latency_us=2000\n");
    LocalPackage pkg(PackageBytes(40 * 8192));
    flow_.SetPackagePath(pkg.path());
    flow_.OnStatusButtonClick();
    ASSERT_TRUE(view_.WaitFor(Text(kInstallingText), kWait));
    for (int i = 0; i < 200; ++i) flow_.OnStatusButtonClick();
    SimDevice other("DeviceName=Other\n");
    other.WaitAttached();
    ASSERT_TRUE(flow_.WaitForWorkers(60000));
    EXPECT_EQ(Count(sim_->CallNames(), "AFCFileRefOpen"), 1u);
    EXPECT_TRUE(other.CallNames().empty());
    EXPECT_TRUE(view_.Saw(Text(kInstallDoneText)));
}

TEST_F(DeviceWorkflowInstall, ShutdownWaitsForTheInstallAndStartsNoMoreWorkers) {
    Ready("latency_us=2000\n");
    LocalPackage pkg(PackageBytes(20 * 8192));
    flow_.SetPackagePath(pkg.path());
    flow_.OnStatusButtonClick();
    ASSERT_TRUE(view_.WaitFor(Text(kInstallingText), kWait));
    flow_.Shutdown();
    EXPECT_FALSE(flow_.InstallWorkerRunning());
    EXPECT_EQ(flow_.LiveWorkerThreads(), 0u);
    EXPECT_TRUE(view_.Saw(Text(kInstallDoneText)));
    flow_.OnStatusButtonClick();
    EXPECT_FALSE(flow_.InstallWorkerRunning());
}

TEST_F(DeviceWorkflowInstall, NoClickEffectWithoutDevice) {
    flow_.OnStatusButtonClick();
    EXPECT_FALSE(flow_.InstallWorkerRunning());
    EXPECT_TRUE(view_.Log().empty());
}

// The online fetch, as the installer ships it: the first click downloads
// from the update service and installs; the next one reinstalls.
TEST_F(DeviceWorkflowInstall, UnknownPackageIsFetchedInstalledAndReinstalledWithoutDownload) {
    const std::string package = PackageBytes(300000, 7);
    UpdateService().ServeBody("/files/tovane_tl.deb", package);
    const int queries = UpdateService().Hits("/update.json");
    Ready();
    EXPECT_EQ(Click(), (Shown{L"text:正在下载:87.38%", L"text:正在下载:100.00%", Text(kInstallingText),
                              Text(kInstallDoneText), L"images:done"}));
    EXPECT_TRUE(sim_->ReadFile(kFinal) == package) << "the device holds other bytes than the package";
    const std::wstring downloaded = flow_.PackagePath();
    EXPECT_FALSE(downloaded.empty());

    EXPECT_EQ(Click(), kSucceeded);
    EXPECT_EQ(flow_.PackagePath(), downloaded);
    EXPECT_EQ(UpdateService().Hits("/update.json"), queries + 1);
}

TEST_F(DeviceWorkflowInstall, DeviceLeavingDuringTheDownloadKeepsTheWaitingText) {
    const std::string package = PackageBytes(1 << 20, 9);
    UpdateService().ServeRaw(
        "/files/tovane_tl.deb",
        "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " + std::to_string(package.size()) + "\r\n\r\n",
        package, testnet::RawEnd::kClose, 10, 150);
    Ready();
    std::size_t mark = view_.Size();
    flow_.OnStatusButtonClick();
    ASSERT_TRUE(devsim_test::WaitUntil(
        [&] {
            for (const auto& e : view_.LogSince(mark)) {
                if (e.rfind(L"text:正在下载:", 0) == 0) return true;
            }
            return false;
        },
        kWait));
    sim_->Remove();
    ASSERT_TRUE(flow_.WaitForWorkers(30000));
    // After the departure's texts, nothing: no percentages, no install.
    const Shown shown = view_.LogSince(mark);
    auto waiting = std::find(shown.begin(), shown.end(), Text(kConnectDeviceText));
    ASSERT_NE(waiting, shown.end());
    EXPECT_EQ(Shown(waiting, shown.end()), (Shown{Text(kConnectDeviceText), L"images:warning", L"footer:clear"}));
    EXPECT_EQ(view_.LastText(), kConnectDeviceText);
    // The download completed all the same: the next click installs it.
    EXPECT_FALSE(flow_.PackagePath().empty());
}
