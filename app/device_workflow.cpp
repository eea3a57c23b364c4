#include "app/device_workflow.h"

#include <utility>

#include "device/afc_file.h"

#ifdef TOVANE_HAVE_POCO_NET
#include "app/online_fetch.h"
#endif

namespace {

constexpr DWORD kCopyBlockSize = 8192;

std::string DevicePath(const char* name) { return std::string(apple::kAutoInstallFolder) + "/" + name; }

// Clears a worker's marker when the worker ends, however it ends.
class MarkerReset {
 public:
  MarkerReset(std::mutex& lock, HANDLE& marker, std::condition_variable& changed)
      : lock_(lock), marker_(marker), changed_(changed) {}
  ~MarkerReset() {
    std::lock_guard<std::mutex> guard(lock_);
    marker_ = nullptr;
    changed_.notify_all();
  }

 private:
  std::mutex& lock_;
  HANDLE& marker_;
  std::condition_variable& changed_;
};

}  // namespace

std::wstring ReadyText(const std::wstring& deviceName) {
  std::wstring format = kReadyTextFormat;
  return format.substr(0, format.find(L"%s")) + deviceName;
}

DeviceWorkflow::DeviceWorkflow(StatusView& view) : view_(view) {}

DeviceWorkflow::~DeviceWorkflow() { Shutdown(); }

void DeviceWorkflow::Shutdown() {
  std::vector<win::ScopedHandle> threads;
  {
    std::unique_lock<std::mutex> lock(fieldsLock_);
    stopping_ = true;
    workersChanged_.wait(lock, [this] { return !deviceWorker && !installWorker; });
    threads.swap(threads_);
  }
  // The markers are cleared just before a thread returns: wait for the return.
  for (auto& t : threads) WaitForSingleObject(t.get(), INFINITE);
}

void DeviceWorkflow::OnDeviceNotification(const apple::DeviceEvent* event, void* context) {
  if (!event || !context) return;
  auto* self = static_cast<DeviceWorkflow*>(context);
  try {
    if (event->message == apple::kDeviceAttached) {
      self->OnAttached(event->device);
    } else if (event->message == apple::kDeviceDetached) {
      self->OnDetached(event->device);
    }
  } catch (...) {
    // Nothing may escape into the library's notification thread.
  }
}

void DeviceWorkflow::OnAttached(apple::AMDeviceRef device) {
  std::lock_guard<std::mutex> lock(fieldsLock_);
  if (currentDevice || deviceWorker) {
    // Only one device at a time; but the device under examination that left
    // and came back is examined again once the running examination ends.
    if (deviceWorker && device == examinedDevice_ && examinedDeparted_) examinedReturned_ = true;
    return;
  }
  StartExaminationLocked(device);
}

void DeviceWorkflow::OnDetached(apple::AMDeviceRef device) {
  std::lock_guard<std::mutex> display(displayLock_);
  {
    std::lock_guard<std::mutex> lock(fieldsLock_);
    if (deviceWorker && device == examinedDevice_) {
      examinedDeparted_ = true;
      examinedReturned_ = false;
    }
    if (!currentDevice || currentDevice->Reference() != device) return;
    // The object stays alive as long as an install worker still holds it.
    currentDevice.reset();
  }
  view_.SetStatusText(kConnectDeviceText);
  view_.ShowWarningImages();
  view_.ClearFooterText();
}

void DeviceWorkflow::OnStatusButtonClick() {
  std::lock_guard<std::mutex> lock(fieldsLock_);
  if (!currentDevice || installWorker) return;
  StartWorkerLocked(installWorker, &DeviceWorkflow::InstallWorker, this);
}

void DeviceWorkflow::SetPackagePath(const std::wstring& path) {
  std::lock_guard<std::mutex> lock(fieldsLock_);
  packagePath = path;
}

std::shared_ptr<apple::AppleDevice> DeviceWorkflow::CurrentDevice() {
  std::lock_guard<std::mutex> lock(fieldsLock_);
  return currentDevice;
}

bool DeviceWorkflow::DeviceWorkerRunning() {
  std::lock_guard<std::mutex> lock(fieldsLock_);
  return deviceWorker != nullptr;
}

bool DeviceWorkflow::InstallWorkerRunning() {
  std::lock_guard<std::mutex> lock(fieldsLock_);
  return installWorker != nullptr;
}

std::wstring DeviceWorkflow::PackagePath() {
  std::lock_guard<std::mutex> lock(fieldsLock_);
  return packagePath;
}

bool DeviceWorkflow::WaitForWorkers(DWORD milliseconds) {
  std::unique_lock<std::mutex> lock(fieldsLock_);
  return workersChanged_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                  [this] { return !deviceWorker && !installWorker; });
}

std::size_t DeviceWorkflow::LiveWorkerThreads() {
  std::lock_guard<std::mutex> lock(fieldsLock_);
  ReapFinishedLocked();
  return threads_.size();
}

void DeviceWorkflow::ReapFinishedLocked() {
  for (auto it = threads_.begin(); it != threads_.end();) {
    if (WaitForSingleObject(it->get(), 0) == WAIT_OBJECT_0) {
      it = threads_.erase(it);
    } else {
      ++it;
    }
  }
}

bool DeviceWorkflow::StartWorkerLocked(HANDLE& marker, LPTHREAD_START_ROUTINE proc, void* arg) {
  if (stopping_) return false;
  ReapFinishedLocked();
  // The lock is held while the thread starts, and the thread clears its
  // marker under the same lock, so the marker is always set first.
  HANDLE thread = CreateThread(nullptr, 0, proc, arg, 0, nullptr);
  if (!thread) return false;
  threads_.emplace_back(thread);
  marker = thread;
  return true;
}

bool DeviceWorkflow::StartExaminationLocked(apple::AMDeviceRef device) {
  auto* record = new StartRecord{this, device};
  examinedDevice_ = device;
  examinedDeparted_ = false;
  examinedReturned_ = false;
  if (StartWorkerLocked(deviceWorker, &DeviceWorkflow::DeviceArrivalWorker, record)) return true;
  delete record;
  return false;
}

DWORD WINAPI DeviceWorkflow::DeviceArrivalWorker(void* startRecord) {
  std::unique_ptr<StartRecord> record(static_cast<StartRecord*>(startRecord));
  DeviceWorkflow* self = record->workflow;
  apple::AMDeviceRef device = record->device;
  record.reset();
  try {
    self->ExamineDevice(device);
  } catch (...) {
  }
  self->FinishExamination();
  return 0;
}

void DeviceWorkflow::ExamineDevice(apple::AMDeviceRef reference) {
  auto device = std::make_shared<apple::AppleDevice>(reference);
  Sleep(arrivalDelayMs_);
  std::wstring name;
  {
    auto use = device->LockUse();
    if (!device->OpenDevice(5)) return;  // silent; the next arrival is examined again
    if (!device->IsJailbroken()) {
      use.unlock();
      std::lock_guard<std::mutex> display(displayLock_);
      bool departed;
      {
        std::lock_guard<std::mutex> lock(fieldsLock_);
        departed = examinedDeparted_;
      }
      if (!departed) view_.SetStatusText(kNotJailbrokenText);
      return;
    }
    // Read before the device becomes current, so an install never meets a
    // half-examined device.
    name = device->GetDeviceName();
  }
  std::lock_guard<std::mutex> display(displayLock_);
  {
    std::lock_guard<std::mutex> lock(fieldsLock_);
    // A device that left while being examined does not become current.
    if (examinedDeparted_) return;
    currentDevice = device;
  }
  view_.ShowInstallImages();
  view_.SetStatusText(ReadyText(name));
}

void DeviceWorkflow::FinishExamination() {
  std::lock_guard<std::mutex> lock(fieldsLock_);
  deviceWorker = nullptr;
  bool again = examinedDeparted_ && examinedReturned_ && !currentDevice;
  apple::AMDeviceRef device = examinedDevice_;
  examinedDevice_ = nullptr;
  workersChanged_.notify_all();
  if (again) StartExaminationLocked(device);
}

DWORD WINAPI DeviceWorkflow::InstallWorker(void* workflow) {
  auto* self = static_cast<DeviceWorkflow*>(workflow);
  MarkerReset reset(self->fieldsLock_, self->installWorker, self->workersChanged_);
  try {
    self->RunInstall();
  } catch (...) {
  }
  return 0;
}

void DeviceWorkflow::RunInstall() {
  if (PackagePath().empty()) {
    RunOnlineFetch();
  } else {
    InstallPackage();
  }
}

void DeviceWorkflow::RunOnlineFetch() {
#ifdef TOVANE_HAVE_POCO_NET
  FetchAndInstall(view_, *this);
#else
  view_.SetStatusText(kFetchUnavailableText);
#endif
}

void DeviceWorkflow::InstallPackage() {
  // The device first: one that left before the install began gets no
  // "installing" text over the departure's.
  std::shared_ptr<apple::AppleDevice> device = CurrentDevice();
  if (!device) return;
  view_.SetStatusText(kInstallingText);
  std::wstring localPath = PackagePath();

  const wchar_t* message = nullptr;
  {
    // The install is the only user of the device while it runs.
    auto use = device->LockUse();
    if (!device->StartAfcService(5)) return;
    if (!device->PathExists(apple::kAutoInstallFolder) && !device->MakeDirectory(apple::kAutoInstallFolder)) {
      message = kNoFolderMessage;
    } else {
      CopyPackage(*device, localPath, &message);
    }
    device->CloseAfc();
  }
  if (message) {
    view_.ShowMessage(message);
    view_.SetStatusText(kInstallFailedText);
    return;
  }
  view_.SetStatusText(kInstallDoneText);
  view_.ShowDoneImages();
}

bool DeviceWorkflow::CopyPackage(apple::AppleDevice& device, const std::wstring& localPath,
                                 const wchar_t** message) {
  const std::string partial = DevicePath(kPartialPackageName);
  const std::string final = DevicePath(apple::kPackageFileName);
  // Truncating mode: a longer leftover of an interrupted copy must not
  // survive behind the new bytes.
  std::unique_ptr<apple::AfcFile> file = device.OpenDeviceFile(partial, true, apple::kAfcModeWriteTruncate);
  if (!file) {
    *message = kNoDeviceFileMessage;
    return false;
  }
  win::ScopedFile local(CreateFileW(localPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  bool ok = false;
  if (!local) {
    *message = kNoLocalFileMessage;
  } else {
    std::vector<char> buffer(kCopyBlockSize);
    std::uint64_t offset = 0;
    ok = true;
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(local.get(), buffer.data(), kCopyBlockSize, &got, nullptr)) {
        ok = false;
        break;
      }
      if (got == 0) break;
      if (!file->WriteAt(buffer.data(), got, offset)) {
        ok = false;
        break;
      }
      offset += got;
    }
    // Complete only once closed on the device and under its final name.
    ok = ok && file->Close();
    if (ok && !device.RenamePath(partial, final)) {
      // Where a rename cannot replace an existing file, remove the old one first.
      ok = device.RemovePath(final) && device.RenamePath(partial, final);
    }
    if (!ok) *message = kCopyFailedMessage;
  }
  if (!ok) {
    file->Close();
    device.RemovePath(partial);  // fails harmlessly when the device is gone
  }
  return ok;
}
