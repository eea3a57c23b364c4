// Test doubles of the device workflow: a status view that records what it is
// asked to show, and a workflow wired to the simulator's notifications.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "app/device_workflow.h"
#include "devsim/devsim_fixture.h"

// Records every display operation, in order, as text ("text:...",
// "images:install", "message:...", "footer:clear").
class RecordingView : public StatusView {
 public:
  void SetStatusText(const std::wstring& text) override { Add(L"text:" + text); }
  void ShowWarningImages() override { Add(L"images:warning"); }
  void ShowInstallImages() override { Add(L"images:install"); }
  void ShowDoneImages() override { Add(L"images:done"); }
  void ClearFooterText() override { Add(L"footer:clear"); }
  void ShowMessage(const std::wstring& text) override { Add(L"message:" + text); }

  std::vector<std::wstring> Log() {
    std::lock_guard<std::mutex> lock(mu_);
    return log_;
  }
  std::wstring LastText() {
    std::lock_guard<std::mutex> lock(mu_);
    for (auto it = log_.rbegin(); it != log_.rend(); ++it) {
      if (it->rfind(L"text:", 0) == 0) return it->substr(5);
    }
    return L"";
  }
  bool Saw(const std::wstring& entry) {
    std::lock_guard<std::mutex> lock(mu_);
    for (const auto& e : log_) {
      if (e == entry) return true;
    }
    return false;
  }
  // Waits until `entry` has been recorded at or after position `from`.
  bool WaitFor(const std::wstring& entry, DWORD milliseconds, std::size_t from = 0) {
    DWORD start = GetTickCount();
    for (;;) {
      {
        std::lock_guard<std::mutex> lock(mu_);
        for (std::size_t i = from; i < log_.size(); ++i) {
          if (log_[i] == entry) return true;
        }
      }
      if (GetTickCount() - start > milliseconds) return false;
      Sleep(5);
    }
  }
  std::size_t Size() {
    std::lock_guard<std::mutex> lock(mu_);
    return log_.size();
  }

 private:
  void Add(std::wstring entry) {
    std::lock_guard<std::mutex> lock(mu_);
    log_.push_back(std::move(entry));
  }
  std::mutex mu_;
  std::vector<std::wstring> log_;
};

// A DeviceWorkflow subscribed to the simulator's notifications the way the
// main window is, with a short arrival delay.
class WiredWorkflow : public DeviceWorkflow {
 public:
  explicit WiredWorkflow(StatusView& view, DWORD arrivalDelayMs = 50);
  ~WiredWorkflow() override;

 private:
  static void Forward(const apple::AMDeviceNotificationInfo* info, void* cookie);
  void* subscription_ = nullptr;
};

inline std::wstring Text(const wchar_t* text) { return std::wstring(L"text:") + text; }
inline std::wstring Message(const wchar_t* text) { return std::wstring(L"message:") + text; }

// A package file in the temporary folder, removed on destruction.
class LocalPackage {
 public:
  explicit LocalPackage(const std::string& content);
  ~LocalPackage();
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

// Bytes 0..n-1 of a fixed pseudo-random sequence.
std::string PackageBytes(std::size_t n, unsigned seed = 1);
