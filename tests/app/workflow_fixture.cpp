#include "app/workflow_fixture.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "device/apple_libraries.h"
#include "tests/net/net_test_util.h"

namespace fs = std::filesystem;

namespace {

// Workflows that may still receive notifications. The simulator may deliver
// an event just after an unsubscription; the lookup here makes that harmless.
std::mutex g_liveMu;
std::set<void*> g_live;

testnet::LoopbackServer* g_updateService = nullptr;

// Starts the update service before any test, so that TOVANE_UPDATE_URL is
// set while no other thread reads the environment.
class UpdateServiceEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        g_updateService = new testnet::LoopbackServer;
        const std::string manifest = R"({"error":0,"msg":"","data":{"version":"1.0","discription":"",)"
                                     R"("build_number":1,"url":")" +
                                     g_updateService->Url("/get/tovane_tl.deb") + "\"}}";
        g_updateService->ServeBody("/update.json", manifest);
        g_updateService->Redirect("/get/tovane_tl.deb", 302, "/files/tovane_tl.deb");
        testnet::SetEnv("TOVANE_UPDATE_URL", g_updateService->Url("/update.json?type=tu"));
    }
    void TearDown() override {
        delete g_updateService;
        g_updateService = nullptr;
    }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new UpdateServiceEnvironment);

}  // namespace

testnet::LoopbackServer& UpdateService() {
    if (!g_updateService) throw std::logic_error("update service not started");
    return *g_updateService;
}

std::vector<std::wstring> RecordingView::Log() {
    std::lock_guard<std::mutex> lock(mu_);
    return log_;
}

std::vector<std::wstring> RecordingView::LogSince(std::size_t from) {
    std::lock_guard<std::mutex> lock(mu_);
    return from < log_.size() ? std::vector<std::wstring>(log_.begin() + static_cast<std::ptrdiff_t>(from), log_.end())
                              : std::vector<std::wstring>();
}

std::wstring RecordingView::LastText() {
    std::lock_guard<std::mutex> lock(mu_);
    for (auto it = log_.rbegin(); it != log_.rend(); ++it) {
        if (it->rfind(L"text:", 0) == 0) return it->substr(5);
    }
    return L"";
}

bool RecordingView::Saw(const std::wstring& entry) {
    std::lock_guard<std::mutex> lock(mu_);
    for (const auto& e : log_) {
        if (e == entry) return true;
    }
    return false;
}

bool RecordingView::WaitFor(const std::wstring& entry, unsigned milliseconds, std::size_t from) {
    return devsim_test::WaitUntil(
        [&] {
            std::lock_guard<std::mutex> lock(mu_);
            for (std::size_t i = from; i < log_.size(); ++i) {
                if (log_[i] == entry) return true;
            }
            return false;
        },
        milliseconds);
}

std::size_t RecordingView::Size() {
    std::lock_guard<std::mutex> lock(mu_);
    return log_.size();
}

void RecordingView::Add(std::wstring entry) {
    std::lock_guard<std::mutex> lock(mu_);
    log_.push_back(std::move(entry));
}

WiredWorkflow::WiredWorkflow(StatusView& view, unsigned arrivalDelayMs) : DeviceWorkflow(view) {
    devsim_test::LoadSimulator();
    SetArrivalDelay(arrivalDelayMs);
    {
        std::lock_guard<std::mutex> lock(g_liveMu);
        g_live.insert(this);
    }
    apple::MobileDevice().AMDeviceNotificationSubscribe(&Forward, 0, 0, this, &subscription_);
}

WiredWorkflow::~WiredWorkflow() {
    apple::MobileDevice().AMDeviceNotificationUnsubscribe(subscription_);
    {
        std::lock_guard<std::mutex> lock(g_liveMu);
        g_live.erase(this);
    }
    Shutdown();  // before this class's members go
}

std::unique_ptr<WorkerThread> WiredWorkflow::StartThread(WorkerThread::Procedure procedure, void* argument) {
    int left = startsBeforeFailure.load();
    while (left >= 0) {
        if (left == 0) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        if (startsBeforeFailure.compare_exchange_weak(left, left - 1)) break;
    }
    return DeviceWorkflow::StartThread(procedure, argument);
}

void WiredWorkflow::Forward(const apple::AMDeviceNotificationInfo* info, void* cookie) {
    std::lock_guard<std::mutex> lock(g_liveMu);
    if (!g_live.count(cookie)) return;
    apple::DeviceEvent event{info->device, info->message};
    DeviceWorkflow::OnDeviceNotification(&event, static_cast<DeviceWorkflow*>(static_cast<WiredWorkflow*>(cookie)));
}

LocalPackage::LocalPackage(const std::string& content) {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path file =
        fs::temp_directory_path() / ("tovane-pkg-" + std::to_string(stamp) + "-" + std::to_string(++counter) + ".deb");
    std::ofstream(file, std::ios::binary) << content;
    path_ = file.wstring();
}

LocalPackage::~LocalPackage() {
    std::error_code ec;
    fs::remove(fs::path(path_), ec);
}

std::wstring MissingLocalPath() {
    return (fs::temp_directory_path() / "tovane-no-such-folder" / "package.deb").wstring();
}

std::string PackageBytes(std::size_t n, unsigned seed) {
    std::string s(n, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (auto& c : s) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    return s;
}
