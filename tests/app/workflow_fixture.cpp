#include "app/workflow_fixture.h"

#include <filesystem>
#include <fstream>

#include "device/apple_libraries.h"

namespace {

// Workflows that may still receive notifications. The simulator may deliver
// an event just after an unsubscription; the lookup here makes that harmless.
std::mutex g_liveMu;
std::set<void*> g_live;

}  // namespace

WiredWorkflow::WiredWorkflow(StatusView& view, DWORD arrivalDelayMs) : DeviceWorkflow(view) {
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
  std::lock_guard<std::mutex> lock(g_liveMu);
  g_live.erase(this);
}

void WiredWorkflow::Forward(const apple::AMDeviceNotificationInfo* info, void* cookie) {
  std::lock_guard<std::mutex> lock(g_liveMu);
  if (!g_live.count(cookie)) return;
  apple::DeviceEvent event{info->device, info->message};
  DeviceWorkflow::OnDeviceNotification(&event, static_cast<DeviceWorkflow*>(static_cast<WiredWorkflow*>(cookie)));
}

LocalPackage::LocalPackage(const std::string& content) {
  wchar_t dir[MAX_PATH], file[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  GetTempFileNameW(dir, L"pkg", 0, file);
  path_ = file;
  std::ofstream(std::filesystem::path(path_), std::ios::binary) << content;
}

LocalPackage::~LocalPackage() { DeleteFileW(path_.c_str()); }

std::string PackageBytes(std::size_t n, unsigned seed) {
  std::string s(n, '\0');
  unsigned x = seed * 2654435761u + 1;
  for (auto& c : s) {
    x = x * 1103515245u + 12345u;
    c = static_cast<char>(x >> 16);
  }
  return s;
}
