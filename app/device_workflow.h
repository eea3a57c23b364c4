// The installer's device-side workflow: reacts to device notifications,
// examines an arrived device on a worker thread, and on a click installs the
// package onto it on a second worker thread (after the online fetch when no
// package is known yet).
#pragma once

#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/win_handles.h"
#include "app/status_view.h"
#include "device/apple_device.h"
#include "device/apple_libraries.h"

// Texts of the status button.
inline constexpr wchar_t kConnectDeviceText[] = L"请连接你的苹果设备";
inline constexpr wchar_t kNotJailbrokenText[] = L"这个设备没有越狱,请先越狱!";
inline constexpr wchar_t kReadyTextFormat[] = L"点击安装到:%s";
inline constexpr wchar_t kInstallingText[] = L"正在安装,请稍候..";
inline constexpr wchar_t kInstallFailedText[] = L"安装失败,请重试";
inline constexpr wchar_t kInstallDoneText[] = L"安装完毕,请重启手机,使安装生效!";
inline constexpr wchar_t kFetchUnavailableText[] = L"更新地址获取失败,此问题频繁出现请反馈";

// Message boxes of the install.
inline constexpr wchar_t kNoFolderMessage[] = L"无法创建设备内的指定文件夹";
inline constexpr wchar_t kNoDeviceFileMessage[] = L"无法创建设备内的指定文件";
inline constexpr wchar_t kNoLocalFileMessage[] = L"无法访问指定文件";
inline constexpr wchar_t kCopyFailedMessage[] = L"无法写入设备内的指定文件";

// The package is written under this name first and renamed to
// "tovane_tl.deb" only once complete; it must not end in ".deb", which Cydia
// would take (and delete) at restart.
inline constexpr char kPartialPackageName[] = "tovane_tl.partial";

// "点击安装到:" followed by the device name.
std::wstring ReadyText(const std::wstring& deviceName);

class DeviceWorkflow : public FetchTarget {
 public:
  explicit DeviceWorkflow(StatusView& view);
  // Shutdown(), then the workers' threads are released.
  ~DeviceWorkflow() override;
  DeviceWorkflow(const DeviceWorkflow&) = delete;
  DeviceWorkflow& operator=(const DeviceWorkflow&) = delete;

  // The handler given to LoadDeviceLibraries; `context` is the DeviceWorkflow.
  static void OnDeviceNotification(const apple::DeviceEvent* event, void* context);
  // The status button's click, on the user-interface thread.
  void OnStatusButtonClick();

  // FetchTarget: the online fetch records its download and runs the install
  // on the install worker's thread.
  void SetPackagePath(const std::wstring& path) override;
  void InstallPackage() override;

  // Starts no more workers and waits until the running ones have ended. A
  // class that derives from this one and is the StatusView calls it in its
  // own destructor, while the view still works.
  void Shutdown();

  // Wait of the device worker before it opens the device (1000 ms).
  void SetArrivalDelay(DWORD milliseconds) { arrivalDelayMs_ = milliseconds; }

  // Snapshots of the fields, for tests and diagnostics.
  std::shared_ptr<apple::AppleDevice> CurrentDevice();
  bool DeviceWorkerRunning();
  bool InstallWorkerRunning();
  std::wstring PackagePath();
  // Waits until no worker runs; false when time ran out.
  bool WaitForWorkers(DWORD milliseconds);
  // Worker threads started and not yet fully ended.
  std::size_t LiveWorkerThreads();

 protected:
  // Thread procedures; each clears its own marker as its last step.
  static DWORD WINAPI DeviceArrivalWorker(void* startRecord);
  static DWORD WINAPI InstallWorker(void* workflow);

  // The fields below are read and written only under fieldsLock_.
  std::shared_ptr<apple::AppleDevice> currentDevice;  // the opened, jailbroken device
  HANDLE deviceWorker = nullptr;   // set while the device worker runs
  HANDLE installWorker = nullptr;  // set while the install worker runs
  std::wstring packagePath;        // the downloaded package, once known

 private:
  struct StartRecord {
    DeviceWorkflow* workflow;
    apple::AMDeviceRef device;
  };

  void OnAttached(apple::AMDeviceRef device);
  void OnDetached(apple::AMDeviceRef device);
  // Starts a thread and sets `marker` before the thread can clear it.
  bool StartWorkerLocked(HANDLE& marker, LPTHREAD_START_ROUTINE proc, void* arg);
  bool StartExaminationLocked(apple::AMDeviceRef device);
  void ReapFinishedLocked();
  void ExamineDevice(apple::AMDeviceRef device);
  void FinishExamination();
  void RunInstall();
  // The single place where the online fetch is started.
  void RunOnlineFetch();
  // The copy itself, on the device's AFC connection; false on any failure,
  // with the failure's message in `message`.
  bool CopyPackage(apple::AppleDevice& device, const std::wstring& localPath, const wchar_t** message);

  StatusView& view_;
  DWORD arrivalDelayMs_ = 1000;

  // Order: displayLock_ before fieldsLock_. displayLock_ keeps the device
  // worker's "ready" display and a departure's "waiting" display in order.
  std::mutex displayLock_;
  std::mutex fieldsLock_;
  std::condition_variable workersChanged_;
  std::vector<win::ScopedHandle> threads_;  // every worker thread not yet reaped
  apple::AMDeviceRef examinedDevice_ = nullptr;  // the device the device worker examines
  bool examinedDeparted_ = false;                // ... left while being examined
  bool examinedReturned_ = false;                // ... and came back meanwhile
  bool stopping_ = false;                        // Shutdown() called
};
