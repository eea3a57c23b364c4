// The device workflow against the device simulator: arrival, examination,
// install, failures, departures and storms.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/workflow_fixture.h"

using devsim_test::Count;
using devsim_test::SimDevice;

namespace {

const std::string kFinal = "/var/root/Media/Cydia/AutoInstall/tovane_tl.deb";
const std::string kPartial = "/var/root/Media/Cydia/AutoInstall/tovane_tl.partial";
constexpr DWORD kWait = 5000;

// Waits until the workflow shows the device as ready.
bool WaitReady(RecordingView& view, const std::wstring& name = L"iPhone", std::size_t from = 0) {
  return view.WaitFor(Text(ReadyText(name).c_str()), kWait, from);
}

// Clicks and waits for the install worker to end.
void ClickAndWait(WiredWorkflow& flow) {
  flow.OnStatusButtonClick();
  ASSERT_TRUE(flow.WaitForWorkers(20000));
}

}  // namespace

TEST(DeviceWorkflowArrival, JailbrokenDeviceBecomesCurrentWithItsName) {
  RecordingView view;
  WiredWorkflow flow(view);
  SimDevice sim("DeviceName=Ann 的 iPhone\n");
  ASSERT_NE(sim.WaitAttached(), nullptr);
  ASSERT_TRUE(WaitReady(view, L"Ann 的 iPhone"));
  ASSERT_TRUE(flow.WaitForWorkers(kWait));
  ASSERT_NE(flow.CurrentDevice(), nullptr);
  EXPECT_EQ(flow.CurrentDevice()->Reference(), sim.ref());
  EXPECT_EQ(view.Log(), (std::vector<std::wstring>{L"images:install", L"text:点击安装到:Ann 的 iPhone"}));

  // Its departure brings the waiting state back.
  sim.Remove();
  ASSERT_TRUE(view.WaitFor(Text(kConnectDeviceText), kWait));
  EXPECT_TRUE(view.WaitFor(L"footer:clear", kWait));
  EXPECT_TRUE(view.Saw(L"images:warning"));
  EXPECT_EQ(flow.CurrentDevice(), nullptr);
}

TEST(DeviceWorkflowArrival, EmptyNameLeavesNothingAfterTheColon) {
  RecordingView view;
  WiredWorkflow flow(view);
  SimDevice sim("DeviceName=\n");
  sim.WaitAttached();
  EXPECT_TRUE(view.WaitFor(L"text:点击安装到:", kWait));
}

TEST(DeviceWorkflowArrival, DeviceWithoutAfc2IsRejectedAndNextArrivalExaminedAgain) {
  RecordingView view;
  WiredWorkflow flow(view);
  {
    SimDevice plain("afc2=no\n");
    plain.WaitAttached();
    ASSERT_TRUE(view.WaitFor(Text(kNotJailbrokenText), kWait));
    ASSERT_TRUE(flow.WaitForWorkers(kWait));
    EXPECT_EQ(flow.CurrentDevice(), nullptr);
    EXPECT_FALSE(view.Saw(L"images:install"));  // images stay as they were
  }
  SimDevice good;
  good.WaitAttached();
  EXPECT_TRUE(WaitReady(view));
}

TEST(DeviceWorkflowArrival, OpenFailureIsSilent) {
  RecordingView view;
  WiredWorkflow flow(view);
  SimDevice refusing("connect=refuse\n");
  refusing.WaitAttached();
  Sleep(100);
  ASSERT_TRUE(flow.WaitForWorkers(kWait));
  EXPECT_TRUE(view.Log().empty());
  EXPECT_EQ(flow.CurrentDevice(), nullptr);
  EXPECT_EQ(refusing.CallNames(), std::vector<std::string>{"AMDeviceConnect"});
}

TEST(DeviceWorkflowArrival, SecondDeviceIsNeverExaminedAndOtherDeparturesChangeNothing) {
  RecordingView view;
  WiredWorkflow flow(view);
  SimDevice first;
  first.WaitAttached();
  ASSERT_TRUE(WaitReady(view));
  std::size_t mark = view.Size();
  {
    SimDevice second("DeviceName=Second\n");
    ASSERT_NE(second.WaitAttached(), nullptr);
    Sleep(300);
    EXPECT_TRUE(second.CallNames().empty());
    second.Remove();
    ASSERT_TRUE(second.WaitDetached());
  }
  Sleep(100);
  EXPECT_EQ(view.Size(), mark);  // the other device's departure changed nothing
  EXPECT_NE(flow.CurrentDevice(), nullptr);

  // Also after the first one leaves, the second (attached while it was
  // current) stays unexamined.
  SimDevice third("DeviceName=Third\n");
  third.WaitAttached();
  first.Remove();
  ASSERT_TRUE(view.WaitFor(Text(kConnectDeviceText), kWait));
  Sleep(300);
  EXPECT_TRUE(third.CallNames().empty());
  EXPECT_FALSE(view.Saw(L"text:点击安装到:Third"));
}

TEST(DeviceWorkflowArrival, DeviceLeavingDuringExaminationDoesNotBecomeCurrent) {
  RecordingView view;
  WiredWorkflow flow(view, 0);
  // The connection close at the end of the jailbreak test is slow: the
  // device leaves meanwhile.
  SimDevice sim("latency_us=600000\n");
  sim.WaitAttached();
  Sleep(250);
  sim.Remove();
  ASSERT_TRUE(sim.WaitDetached());
  ASSERT_TRUE(flow.WaitForWorkers(kWait));
  EXPECT_EQ(flow.CurrentDevice(), nullptr);
  EXPECT_FALSE(view.Saw(L"images:install"));
}

TEST(DeviceWorkflowArrival, DeviceThatLeavesAndReturnsDuringExaminationIsExaminedAgain) {
  RecordingView view;
  WiredWorkflow flow(view, 1200);
  auto sim = std::make_unique<SimDevice>();
  apple::AMDeviceRef ref = sim->WaitAttached();
  std::string udid = sim->udid();
  sim->Remove();
  ASSERT_TRUE(sim->WaitDetached());
  sim = std::make_unique<SimDevice>("", udid);  // back while the worker still waits
  ASSERT_EQ(sim->WaitAttached(), ref);
  ASSERT_TRUE(WaitReady(view));
  ASSERT_TRUE(flow.WaitForWorkers(kWait));
  ASSERT_NE(flow.CurrentDevice(), nullptr);
  EXPECT_EQ(flow.CurrentDevice()->Reference(), ref);
}

class DeviceWorkflowInstall : public ::testing::Test {
 protected:
  // A new device, made current (any earlier one must be gone).
  void Ready(const std::string& ini = "") {
    std::size_t mark = view_.Size();
    sim_ = std::make_unique<SimDevice>(ini);
    sim_->WaitAttached();
    sim_->MakeDirs("/var/root/Media/Cydia");
    ASSERT_TRUE(WaitReady(view_, L"iPhone", mark));
    ASSERT_TRUE(flow_.WaitForWorkers(kWait));
  }
  void TearDown() override { flow_.WaitForWorkers(20000); }

  RecordingView view_;
  WiredWorkflow flow_{view_};
  std::unique_ptr<SimDevice> sim_;
};

TEST_F(DeviceWorkflowInstall, PackageReplacesALongerOldOneExactly) {
  Ready();
  sim_->WriteFile(kFinal, std::string(100000, 'o'));
  std::string bytes = PackageBytes(3 * 8192 + 123);
  LocalPackage pkg(bytes);
  flow_.SetPackagePath(pkg.path());
  std::size_t mark = view_.Size();
  ClickAndWait(flow_);
  EXPECT_EQ(sim_->ReadFile(kFinal), bytes);
  EXPECT_FALSE(sim_->FileExists(kPartial));
  auto log = view_.Log();
  EXPECT_EQ(std::vector<std::wstring>(log.begin() + static_cast<std::ptrdiff_t>(mark), log.end()),
            (std::vector<std::wstring>{Text(kInstallingText), Text(kInstallDoneText), L"images:done"}));
  // Written under the temporary name, closed, then renamed.
  auto calls = sim_->Calls();
  std::vector<std::string> tail;
  for (const auto& line : calls) {
    if (line.rfind("AFCFileRefClose", 0) == 0 || line.rfind("AFCRenamePath", 0) == 0 ||
        line.rfind("AFCFileRefOpen", 0) == 0) {
      tail.push_back(line);
    }
  }
  EXPECT_EQ(tail, (std::vector<std::string>{"AFCFileRefOpen 0 " + kPartial + " 3", "AFCFileRefClose 0",
                                            "AFCRenamePath 0 " + kPartial + " " + kFinal}));
  // Nothing stays open after the install.
  EXPECT_EQ(Count(sim_->CallNames(), "AFCConnectionOpen"), Count(sim_->CallNames(), "AFCConnectionClose"));

  // A further click copies again and ends the same way.
  mark = view_.Size();
  ClickAndWait(flow_);
  EXPECT_TRUE(view_.WaitFor(Text(kInstallDoneText), kWait, mark));
  EXPECT_EQ(sim_->ReadFile(kFinal), bytes);
}

TEST_F(DeviceWorkflowInstall, FolderIsCreatedAndEmptyPackageInstalls) {
  Ready();
  LocalPackage pkg("");
  flow_.SetPackagePath(pkg.path());
  ClickAndWait(flow_);
  EXPECT_TRUE(view_.Saw(Text(kInstallDoneText)));
  EXPECT_TRUE(sim_->FileExists(kFinal));
  EXPECT_EQ(sim_->ReadFile(kFinal), "");
  EXPECT_EQ(Count(sim_->CallNames(), "AFCFileRefWrite"), 0u);
}

TEST_F(DeviceWorkflowInstall, RenameThatCannotReplaceRemovesTheOldPackageFirst) {
  Ready("rename_replace=no\n");
  sim_->WriteFile(kFinal, "old package, longer than the new one");
  LocalPackage pkg("new");
  flow_.SetPackagePath(pkg.path());
  ClickAndWait(flow_);
  EXPECT_TRUE(view_.Saw(Text(kInstallDoneText)));
  EXPECT_EQ(sim_->ReadFile(kFinal), "new");
  EXPECT_FALSE(sim_->FileExists(kPartial));
}

TEST_F(DeviceWorkflowInstall, MissingCydiaFolderCannotBeCreated) {
  sim_ = std::make_unique<SimDevice>();
  sim_->WaitAttached();
  ASSERT_TRUE(WaitReady(view_));
  LocalPackage pkg("x");
  flow_.SetPackagePath(pkg.path());
  ClickAndWait(flow_);
  auto log = view_.Log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], Message(kNoFolderMessage));
  EXPECT_EQ(log.back(), Text(kInstallFailedText));
}

TEST_F(DeviceWorkflowInstall, MissingLocalFileLeavesNothingOnTheDevice) {
  Ready();
  flow_.SetPackagePath(L"C:\\no\\such\\package.deb");
  ClickAndWait(flow_);
  auto log = view_.Log();
  EXPECT_EQ(log[log.size() - 2], Message(kNoLocalFileMessage));
  EXPECT_EQ(log.back(), Text(kInstallFailedText));
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
    std::size_t mark = view_.Size();
    ClickAndWait(flow_);
    auto log = view_.Log();
    std::vector<std::wstring> seen(log.begin() + static_cast<std::ptrdiff_t>(mark), log.end());
    EXPECT_EQ(seen, (std::vector<std::wstring>{Text(kInstallingText), Message(kCopyFailedMessage),
                                               Text(kInstallFailedText)}));
    EXPECT_EQ(sim_->ReadFile(kFinal), "previous");  // untouched, not half-replaced
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
    ClickAndWait(flow_);
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

#ifndef TOVANE_HAVE_POCO_NET
TEST_F(DeviceWorkflowInstall, UnknownPackageGoesToTheOnlineFetch) {
  Ready();
  ClickAndWait(flow_);
  EXPECT_EQ(view_.LastText(), kFetchUnavailableText);
}
#endif

// Storms: many events and clicks from several threads. Nothing crashes, no
// marker stays set once its worker ended, and every thread is gone.
TEST(DeviceWorkflowStorm, PlugUnplugAndClickStorm) {
  RecordingView view;
  LocalPackage pkg(PackageBytes(3 * 8192));
  {
    WiredWorkflow flow(view, 0);
    flow.SetPackagePath(pkg.path());
    std::atomic<bool> stop{false};
    std::thread clicker([&] {
      while (!stop) {
        flow.OnStatusButtonClick();
        Sleep(1);
      }
    });
    for (int round = 0; round < 12; ++round) {
      SimDevice sim("DeviceName=Storm\n");
      sim.WaitAttached();
      sim.MakeDirs("/var/root/Media/Cydia");
      Sleep(static_cast<DWORD>((round * 37) % 250));
    }  // each removed at the end of its round
    // Direct events as well, including unknown codes and foreign devices.
    for (int i = 0; i < 200; ++i) {
      apple::DeviceEvent e{reinterpret_cast<apple::AMDeviceRef>(static_cast<std::uintptr_t>(0x1000 + i % 3)),
                           static_cast<std::uint32_t>(i % 4)};
      DeviceWorkflow::OnDeviceNotification(&e, static_cast<DeviceWorkflow*>(&flow));
    }
    DeviceWorkflow::OnDeviceNotification(nullptr, &flow);
    stop = true;
    clicker.join();
    ASSERT_TRUE(flow.WaitForWorkers(30000));
    EXPECT_FALSE(flow.DeviceWorkerRunning());
    EXPECT_FALSE(flow.InstallWorkerRunning());
    DWORD start = GetTickCount();
    while (flow.LiveWorkerThreads() != 0 && GetTickCount() - start < 5000) Sleep(10);
    EXPECT_EQ(flow.LiveWorkerThreads(), 0u);
  }
}
