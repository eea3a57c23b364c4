// The device workflow against the device simulator: arrival, examination,
// departures, storms, and workers that meet exceptions.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/workflow_fixture.h"

using devsim_test::Count;
using devsim_test::SimDevice;
using devsim_test::SleepMs;

namespace {

constexpr unsigned kWait = 5000;

bool WaitReady(RecordingView& view, const std::wstring& name = L"iPhone", std::size_t from = 0) {
    return view.WaitFor(Text(ReadyText(name)), kWait, from);
}

// A view whose text changes fail, as they might when the system is out of memory.
class ThrowingView : public RecordingView {
protected:
    void Add(std::wstring entry) override {
        RecordingView::Add(entry);
        if (entry.rfind(L"text:", 0) == 0) throw std::bad_alloc();
    }
};

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
    SleepMs(100);
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
        SleepMs(300);
        EXPECT_TRUE(second.CallNames().empty());
        second.Remove();
        ASSERT_TRUE(second.WaitDetached());
    }
    SleepMs(100);
    EXPECT_EQ(view.Size(), mark);  // the other device's departure changed nothing
    EXPECT_NE(flow.CurrentDevice(), nullptr);

    // Also after the first one leaves, the second (attached while it was
    // current) stays unexamined.
    SimDevice third("DeviceName=Third\n");
    third.WaitAttached();
    first.Remove();
    ASSERT_TRUE(view.WaitFor(Text(kConnectDeviceText), kWait));
    SleepMs(300);
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
    SleepMs(250);
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

TEST(DeviceWorkflowArrival, ShutdownCutsTheArrivalWaitShort) {
    RecordingView view;
    auto flow = std::make_unique<WiredWorkflow>(view, 60000);
    SimDevice sim;
    sim.WaitAttached();
    ASSERT_TRUE(devsim_test::WaitUntil([&] { return flow->DeviceWorkerRunning(); }, kWait));
    const auto start = std::chrono::steady_clock::now();
    flow.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_TRUE(sim.CallNames().empty());  // the device was never opened
}

// No exception leaves a worker: the re-examination of a returned device
// that cannot get a thread, and a view that throws, both end quietly with
// every marker cleared.
TEST(DeviceWorkflowExceptions, FailedThreadStartForAReturnedDeviceEndsTheExamination) {
    RecordingView view;
    WiredWorkflow flow(view, 1200);
    flow.startsBeforeFailure = 1;  // the first examination starts, the repeat throws
    auto sim = std::make_unique<SimDevice>();
    apple::AMDeviceRef ref = sim->WaitAttached();
    std::string udid = sim->udid();
    sim->Remove();
    ASSERT_TRUE(sim->WaitDetached());
    sim = std::make_unique<SimDevice>("", udid);
    ASSERT_EQ(sim->WaitAttached(), ref);
    ASSERT_TRUE(flow.WaitForWorkers(kWait));
    EXPECT_TRUE(devsim_test::WaitUntil([&] { return flow.LiveWorkerThreads() == 0; }, kWait));
    EXPECT_EQ(flow.CurrentDevice(), nullptr);

    // Threads come back: the next arrival is examined as usual.
    flow.startsBeforeFailure = -1;
    sim.reset();
    SimDevice next;
    next.WaitAttached();
    EXPECT_TRUE(WaitReady(view));
}

TEST(DeviceWorkflowExceptions, ThrowingViewEndsTheWorkersQuietly) {
    ThrowingView view;
    WiredWorkflow flow(view);
    SimDevice sim;
    sim.WaitAttached();
    ASSERT_TRUE(view.WaitFor(Text(ReadyText(L"iPhone")), kWait));
    ASSERT_TRUE(flow.WaitForWorkers(kWait));
    ASSERT_NE(flow.CurrentDevice(), nullptr);
    LocalPackage pkg("x");
    flow.SetPackagePath(pkg.path());
    flow.OnStatusButtonClick();
    ASSERT_TRUE(flow.WaitForWorkers(kWait));
    EXPECT_TRUE(view.Saw(Text(kInstallingText)));
    EXPECT_FALSE(flow.InstallWorkerRunning());
}

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
                SleepMs(1);
            }
        });
        for (int round = 0; round < 12; ++round) {
            SimDevice sim("DeviceName=Storm\n");
            sim.WaitAttached();
            sim.MakeDirs("/var/root/Media/Cydia");
            SleepMs(static_cast<unsigned>((round * 37) % 250));
        }  // each removed at the end of its round
        // Direct events as well, from two threads at once, including unknown
        // codes and foreign devices.
        auto events = [&flow](int salt) {
            for (int i = 0; i < 200; ++i) {
                apple::DeviceEvent e{
                    reinterpret_cast<apple::AMDeviceRef>(static_cast<std::uintptr_t>(0x1000 + (i + salt) % 3)),
                    static_cast<std::uint32_t>((i + salt) % 4)};
                DeviceWorkflow::OnDeviceNotification(&e, static_cast<DeviceWorkflow*>(&flow));
            }
        };
        std::thread other(events, 1);
        events(0);
        other.join();
        DeviceWorkflow::OnDeviceNotification(nullptr, &flow);
        stop = true;
        clicker.join();
        ASSERT_TRUE(flow.WaitForWorkers(30000));
        EXPECT_FALSE(flow.DeviceWorkerRunning());
        EXPECT_FALSE(flow.InstallWorkerRunning());
        EXPECT_TRUE(devsim_test::WaitUntil([&] { return flow.LiveWorkerThreads() == 0; }, 5000));
    }
}

TEST(DeviceWorkflowStorm, ArrivalStormOfManyDevicesExaminesOneAtATime) {
    RecordingView view;
    WiredWorkflow flow(view, 0);
    std::vector<std::unique_ptr<SimDevice>> devices;
    for (int i = 0; i < 8; ++i) devices.push_back(std::make_unique<SimDevice>("latency_us=20000\n"));
    for (auto& d : devices) ASSERT_NE(d->WaitAttached(), nullptr);
    ASSERT_TRUE(flow.WaitForWorkers(20000));
    // Exactly one device became current; no other was opened.
    ASSERT_NE(flow.CurrentDevice(), nullptr);
    std::size_t opened = 0;
    for (auto& d : devices) {
        std::size_t connects = 0;
        for (const auto& line : d->Calls()) connects += line.rfind("AMDeviceConnect", 0) == 0;
        opened += connects > 0;
    }
    EXPECT_EQ(opened, 1u);
    devices.clear();
    EXPECT_TRUE(view.WaitFor(Text(kConnectDeviceText), kWait)) << ::testing::PrintToString(view.Log());
}
