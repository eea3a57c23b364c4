// The installer's device-side workflow: reacts to device notifications,
// examines an arrived device on a worker thread, and on a click installs the
// package onto it on a second worker thread (after the online fetch when no
// package is known yet). Free of Win32 calls: threads start through
// WorkerThread, message boxes go through the StatusView.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/installer_texts.h"
#include "app/status_view.h"
#include "app/worker_thread.h"
#include "device/apple_device.h"
#include "device/apple_libraries.h"

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

    // Starts no more workers and waits until the running ones have ended.
    // The destructor calls it; an owner whose view the workers use keeps the
    // workflow as its last member, so the workflow goes while the view works.
    void Shutdown();

    // Wait of the device worker before it opens the device (1000 ms).
    void SetArrivalDelay(unsigned milliseconds) { arrivalDelayMs_ = milliseconds; }

    // Snapshots of the fields, for tests and diagnostics.
    std::shared_ptr<apple::AppleDevice> CurrentDevice();
    bool DeviceWorkerRunning();
    bool InstallWorkerRunning();
    std::wstring PackagePath();
    // Waits until no worker runs; false when time ran out.
    bool WaitForWorkers(unsigned milliseconds);
    // Worker threads started and not yet fully ended.
    std::size_t LiveWorkerThreads();

protected:
    // Starts a worker thread; null when none could be started (tests wrap it).
    virtual std::unique_ptr<WorkerThread> StartThread(WorkerThread::Procedure procedure, void* argument);

private:
    // Thread procedures; each clears its own marker as its last step.
    static std::uint32_t DeviceArrivalWorker(void* startRecord);
    static std::uint32_t InstallWorker(void* workflow);

    struct StartRecord {
        DeviceWorkflow* workflow;
        apple::AMDeviceRef device;
    };
    class FetchView;

    void OnAttached(apple::AMDeviceRef device);
    void OnDetached(apple::AMDeviceRef device);
    // Starts a thread and sets `marker` before the thread can clear it; false
    // when no thread was started.
    bool StartWorkerLocked(const WorkerThread*& marker, WorkerThread::Procedure procedure, void* argument);
    bool StartExaminationLocked(apple::AMDeviceRef device);
    void ReapFinishedLocked();
    void ExamineDevice(apple::AMDeviceRef device);
    void FinishExamination() noexcept;
    void RunInstall();
    // The single place where the online fetch is started.
    void RunOnlineFetch();
    // Runs `show` under the display lock while `device` is still the current
    // device, so nothing is shown for a device that has left.
    template <typename Show>
    void ShowForDevice(const std::shared_ptr<apple::AppleDevice>& device, Show&& show);
    // The copy itself, on the device's AFC connection; false on any failure,
    // with the failure's message in `message`.
    bool CopyPackage(apple::AppleDevice& device, const std::wstring& localPath, const wchar_t** message);

    StatusView& view_;
    unsigned arrivalDelayMs_ = 1000;

    // The fields below are read and written only under fieldsLock_.
    std::shared_ptr<apple::AppleDevice> currentDevice;  // the opened, jailbroken device
    const WorkerThread* deviceWorker = nullptr;         // set while the device worker runs
    const WorkerThread* installWorker = nullptr;        // set while the install worker runs
    std::wstring packagePath;                           // the downloaded package, once known

    // Order: displayLock_ before fieldsLock_. displayLock_ keeps the device
    // worker's "ready" display and a departure's "waiting" display in order.
    std::mutex displayLock_;
    std::mutex fieldsLock_;
    std::condition_variable workersChanged_;
    std::vector<std::unique_ptr<WorkerThread>> threads_;  // every worker thread not yet reaped
    apple::AMDeviceRef examinedDevice_ = nullptr;         // the device the device worker examines
    bool examinedDeparted_ = false;                       // ... left while being examined
    bool examinedReturned_ = false;                       // ... and came back meanwhile
    bool stopping_ = false;                               // Shutdown() called
};
