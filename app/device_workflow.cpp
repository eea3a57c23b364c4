#include "app/device_workflow.h"

#include <chrono>
#include <utility>

#include "app/online_fetch.h"
#include "app/package_file.h"
#include "device/afc_file.h"

namespace {

constexpr std::size_t kCopyBlockSize = 8192;

std::string DevicePath(const char* name) { return std::string(apple::kAutoInstallFolder) + "/" + name; }

// Clears a worker's marker when the worker ends, however it ends.
class MarkerReset {
public:
    MarkerReset(std::mutex& lock, const WorkerThread*& marker, std::condition_variable& changed)
        : lock_(lock), marker_(marker), changed_(changed) {}
    ~MarkerReset() {
        std::lock_guard<std::mutex> guard(lock_);
        marker_ = nullptr;
        changed_.notify_all();
    }

private:
    std::mutex& lock_;
    const WorkerThread*& marker_;
    std::condition_variable& changed_;
};

// True when the device holds exactly `expected` bytes at `path`.
bool DeviceSizeIs(apple::AppleDevice& device, const std::string& path, std::uint64_t expected) {
    std::uint64_t size = 0;
    return device.FileSize(path, &size) && size == expected;
}

}  // namespace

// The fetch's view of the status button: its texts show only while the
// device it started for is still current, so a download that outlives its
// device does not write percentages over the waiting text.
class DeviceWorkflow::FetchView : public StatusView {
public:
    FetchView(DeviceWorkflow& flow, std::shared_ptr<apple::AppleDevice> device)
        : flow_(flow), device_(std::move(device)) {}
    void SetStatusText(const std::wstring& text) override {
        flow_.ShowForDevice(device_, [&] { flow_.view_.SetStatusText(text); });
    }
    void ShowWarningImages() override {
        flow_.ShowForDevice(device_, [&] { flow_.view_.ShowWarningImages(); });
    }
    void ShowInstallImages() override {
        flow_.ShowForDevice(device_, [&] { flow_.view_.ShowInstallImages(); });
    }
    void ShowDoneImages() override {
        flow_.ShowForDevice(device_, [&] { flow_.view_.ShowDoneImages(); });
    }
    void ClearFooterText() override { flow_.view_.ClearFooterText(); }
    // A failed download is worth telling whether or not the device stayed.
    void ShowMessage(const std::wstring& text) override { flow_.view_.ShowMessage(text); }

private:
    DeviceWorkflow& flow_;
    std::shared_ptr<apple::AppleDevice> device_;
};

std::wstring ReadyText(const std::wstring& deviceName) {
    std::wstring format = kReadyTextFormat;
    return format.substr(0, format.find(L"%s")) + deviceName;
}

DeviceWorkflow::DeviceWorkflow(StatusView& view) : view_(view) {}

DeviceWorkflow::~DeviceWorkflow() { Shutdown(); }

void DeviceWorkflow::Shutdown() {
    std::vector<std::unique_ptr<WorkerThread>> threads;
    {
        std::unique_lock<std::mutex> lock(fieldsLock_);
        stopping_ = true;
        workersChanged_.notify_all();  // wakes a device worker in its arrival wait
        workersChanged_.wait(lock, [this] { return !deviceWorker && !installWorker; });
        threads.swap(threads_);
    }
    // The markers are cleared just before a thread returns: wait for the return.
    threads.clear();
}

std::unique_ptr<WorkerThread> DeviceWorkflow::StartThread(WorkerThread::Procedure procedure, void* argument) {
    return WorkerThread::Start(procedure, argument);
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

bool DeviceWorkflow::WaitForWorkers(unsigned milliseconds) {
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
    // Only threads whose procedure has returned: joining them takes no time.
    for (auto it = threads_.begin(); it != threads_.end();) {
        if ((*it)->Finished()) {
            it = threads_.erase(it);
        } else {
            ++it;
        }
    }
}

bool DeviceWorkflow::StartWorkerLocked(const WorkerThread*& marker, WorkerThread::Procedure procedure, void* argument) {
    if (stopping_) return false;
    ReapFinishedLocked();
    // Room first, so that a started thread is always kept.
    threads_.reserve(threads_.size() + 1);
    // The lock is held while the thread starts, and the thread clears its
    // marker under the same lock, so the marker is always set first.
    std::unique_ptr<WorkerThread> thread = StartThread(procedure, argument);
    if (!thread) return false;
    marker = thread.get();
    threads_.push_back(std::move(thread));
    return true;
}

bool DeviceWorkflow::StartExaminationLocked(apple::AMDeviceRef device) {
    auto record = std::make_unique<StartRecord>(StartRecord{this, device});
    examinedDevice_ = device;
    examinedDeparted_ = false;
    examinedReturned_ = false;
    if (!StartWorkerLocked(deviceWorker, &DeviceWorkflow::DeviceArrivalWorker, record.get())) {
        examinedDevice_ = nullptr;
        return false;
    }
    record.release();  // the worker frees it as its first step
    return true;
}

std::uint32_t DeviceWorkflow::DeviceArrivalWorker(void* startRecord) {
    std::unique_ptr<StartRecord> record(static_cast<StartRecord*>(startRecord));
    DeviceWorkflow* self = record->workflow;
    apple::AMDeviceRef device = record->device;
    record.reset();
    try {
        self->ExamineDevice(device);
    } catch (...) {
        // Out of memory or a failing view: the examination ends like a failed open.
    }
    self->FinishExamination();
    return 0;
}

void DeviceWorkflow::ExamineDevice(apple::AMDeviceRef reference) {
    auto device = std::make_shared<apple::AppleDevice>(reference);
    {
        // The arrival wait; a shutdown cuts it short and ends the examination.
        std::unique_lock<std::mutex> lock(fieldsLock_);
        if (workersChanged_.wait_for(lock, std::chrono::milliseconds(arrivalDelayMs_), [this] { return stopping_; }))
            return;
    }
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
    std::wstring ready = ReadyText(name);
    std::lock_guard<std::mutex> display(displayLock_);
    {
        std::lock_guard<std::mutex> lock(fieldsLock_);
        // A device that left while being examined does not become current.
        if (examinedDeparted_) return;
        currentDevice = device;
    }
    view_.ShowInstallImages();
    view_.SetStatusText(ready);
}

void DeviceWorkflow::FinishExamination() noexcept {
    try {
        std::lock_guard<std::mutex> lock(fieldsLock_);
        deviceWorker = nullptr;
        const bool again = examinedDeparted_ && examinedReturned_ && !currentDevice;
        const apple::AMDeviceRef device = examinedDevice_;
        examinedDevice_ = nullptr;
        workersChanged_.notify_all();
        // When no new examination can start, the returned device waits for its
        // next arrival like any other.
        if (again) StartExaminationLocked(device);
    } catch (...) {
    }
}

std::uint32_t DeviceWorkflow::InstallWorker(void* workflow) {
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

template <typename Show>
void DeviceWorkflow::ShowForDevice(const std::shared_ptr<apple::AppleDevice>& device, Show&& show) {
    std::lock_guard<std::mutex> display(displayLock_);
    {
        std::lock_guard<std::mutex> lock(fieldsLock_);
        if (!device || currentDevice != device) return;
    }
    show();
}

void DeviceWorkflow::RunOnlineFetch() {
    FetchView view(*this, CurrentDevice());
    FetchAndInstall(view, *this);
}

void DeviceWorkflow::InstallPackage() {
    // The device first: one that left before the install began gets no
    // "installing" text over the departure's.
    std::shared_ptr<apple::AppleDevice> device = CurrentDevice();
    if (!device) return;
    view_.SetStatusText(kInstallingText);
    std::wstring localPath = PackagePath();

    bool started = false;
    const wchar_t* message = nullptr;
    {
        // The install is the only user of the device while it runs.
        auto use = device->LockUse();
        started = device->StartAfcService(5);
        if (started) {
            if (!device->PathExists(apple::kAutoInstallFolder) && !device->MakeDirectory(apple::kAutoInstallFolder)) {
                message = kNoFolderMessage;
            } else {
                CopyPackage(*device, localPath, &message);
            }
            device->CloseAfc();
        }
    }
    if (!started) {
        // Without the file service nothing was touched: say so and let the user
        // click again, rather than leave the install looking busy.
        view_.SetStatusText(kInstallFailedText);
        return;
    }
    if (message) {
        view_.ShowMessage(message);
        view_.SetStatusText(kInstallFailedText);
        return;
    }
    view_.SetStatusText(kInstallDoneText);
    view_.ShowDoneImages();
}

bool DeviceWorkflow::CopyPackage(apple::AppleDevice& device, const std::wstring& localPath, const wchar_t** message) {
    const std::string partial = DevicePath(kPartialPackageName);
    const std::string final = DevicePath(apple::kPackageFileName);
    // Truncating mode: a longer leftover of an interrupted copy must not
    // survive behind the new bytes.
    std::unique_ptr<apple::AfcFile> file = device.OpenDeviceFile(partial, true, apple::kAfcModeWriteTruncate);
    if (!file) {
        *message = kNoDeviceFileMessage;
        return false;
    }
    PackageFile local;
    if (!local.Open(localPath)) {
        *message = kNoLocalFileMessage;
        file->Close();
        device.RemovePath(partial);
        return false;
    }
    std::vector<char> buffer(kCopyBlockSize);
    std::uint64_t offset = 0;
    bool ok = true;
    for (;;) {
        std::size_t got = 0;
        if (!local.Read(buffer.data(), buffer.size(), &got)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        if (!file->WriteAt(buffer.data(), static_cast<std::uint32_t>(got), offset)) {
            ok = false;
            break;
        }
        offset += got;
    }
    // Complete only once closed, of the right size (a device may report writes
    // it dropped) and under its final name; the old package stays until then.
    ok = ok && file->Close() && DeviceSizeIs(device, partial, offset);
    if (ok && !device.RenamePath(partial, final)) {
        // Where a rename cannot replace an existing file, remove the old one first.
        ok = device.RemovePath(final) && device.RenamePath(partial, final);
    }
    if (ok && !DeviceSizeIs(device, final, offset)) {
        // Cydia would try to install whatever lies there at the next restart.
        device.RemovePath(final);
        ok = false;
    }
    if (!ok) {
        *message = kCopyFailedMessage;
        file->Close();
        device.RemovePath(partial);  // fails harmlessly when the device is gone or it was renamed
    }
    return ok;
}
