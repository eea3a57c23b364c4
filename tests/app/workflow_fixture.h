// Test doubles of the device workflow: a status view that records what it is
// asked to show, a workflow wired to the simulator's notifications, local
// package files, and the loopback update service the online fetch asks.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "app/device_workflow.h"
#include "devsim/devsim_fixture.h"
#include "tests/net/loopback_server.h"

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

    std::vector<std::wstring> Log();
    // The entries from position `from` on.
    std::vector<std::wstring> LogSince(std::size_t from);
    std::wstring LastText();
    bool Saw(const std::wstring& entry);
    // Waits until `entry` has been recorded at or after position `from`.
    bool WaitFor(const std::wstring& entry, unsigned milliseconds, std::size_t from = 0);
    std::size_t Size();

protected:
    virtual void Add(std::wstring entry);

private:
    std::mutex mu_;
    std::vector<std::wstring> log_;
};

// A DeviceWorkflow subscribed to the simulator's notifications the way the
// main window is, with a short arrival delay. Thread starts can be made to
// fail, as they do when the system is out of threads.
class WiredWorkflow : public DeviceWorkflow {
public:
    explicit WiredWorkflow(StatusView& view, unsigned arrivalDelayMs = 50);
    ~WiredWorkflow() override;

    // Thread starts after the next `count` ones throw (-1: none do).
    std::atomic<int> startsBeforeFailure{-1};

protected:
    std::unique_ptr<WorkerThread> StartThread(WorkerThread::Procedure procedure, void* argument) override;

private:
    static void Forward(const apple::AMDeviceNotificationInfo* info, void* cookie);
    void* subscription_ = nullptr;
};

inline std::wstring Text(const wchar_t* text) { return std::wstring(L"text:") + text; }
inline std::wstring Text(const std::wstring& text) { return L"text:" + text; }
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

// A path in the temporary folder where no file is.
std::wstring MissingLocalPath();

// Bytes 0..n-1 of a fixed pseudo-random sequence.
std::string PackageBytes(std::size_t n, unsigned seed = 1);

// The update service of the whole test program (TOVANE_UPDATE_URL points at
// it from the start): a manifest naming "/files/tovane_tl.deb", served
// through a redirect from "/get/tovane_tl.deb".
testnet::LoopbackServer& UpdateService();
