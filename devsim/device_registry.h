// The simulated devices: one per folder <DEVSIM_ROOT>/devices/<udid>/, found
// by a polling notification thread, each with its settings, its connection
// state, its AFC volumes and its call log. Portable C++.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "device/apple_entry_points.h"
#include "devsim/afc_volume.h"
#include "devsim/device_config.h"
#include "devsim/host_fs.h"

namespace devsim {

struct SimDevice {
    enum class State { Absent, Attached, Departed };

    std::string udid;
    std::string dir;  // host folder of the device
    // Everything below is guarded by Registry::mu.
    State state = State::Absent;
    int sightings = 0;             // polls that saw the folder while absent
    std::uint64_t generation = 0;  // bumped at every attachment
    DeviceConfig config;
    bool connected = false;
    bool paired = false;
    bool session = false;
    std::uint64_t bytesWritten = 0;          // bytes AFC writes stored on the device
    std::uint64_t afc2Started = 0;           // successful starts of "com.apple.afc2"
    std::string pendingLog;                  // calls.log lines not yet in the file
    std::shared_ptr<AfcVolume> rootVolume;   // "com.apple.afc2": the whole fs/
    std::shared_ptr<AfcVolume> mediaVolume;  // "com.apple.afc": fs/var/mobile/Media
};

class Registry {
public:
    static Registry& Get();

    // Subscriptions: the callback receives every attach and departure from the
    // notification thread; devices attached already are reported first.
    void* Subscribe(apple::AMDeviceNotificationCallback callback, void* cookie);
    bool Unsubscribe(void* subscription);

    // The device behind a reference, or null for one never handed out.
    SimDevice* Find(const void* ref);
    // Sends the departure of an attached device (its folder stays); the caller
    // holds mu.
    void DepartLocked(SimDevice* device);
    // Appends "<entry> <result>[ <details>]" to the device's calls.log; the
    // caller holds mu. Lines of the bulk transfers (file reads, writes and
    // seeks) are written in batches: at the latest with the next other call's
    // line, when a batch is full, or by the next poll (100 ms).
    void LogLocked(SimDevice* device, const char* entry, const std::string& result, const std::string& details = {});

    std::mutex mu;

    // The folder holding devices/: DEVSIM_ROOT, a leading "/" read as a path
    // on the Unix side of a Windows compatibility layer.
    static std::string Root();

private:
    struct Subscription {
        apple::AMDeviceNotificationCallback callback;
        void* cookie;
    };
    struct Event {
        SimDevice* device;
        std::uint32_t message;
        Subscription* only;  // null: every subscriber
    };

    Registry() = default;
    void Run();
    void PollLocked();
    void AttachLocked(SimDevice* device);
    void ReleaseLocked(SimDevice* device);
    void FlushLogLocked(SimDevice* device);

    std::condition_variable wake_;
    std::map<std::string, std::unique_ptr<SimDevice>> devices_;  // by folder
    std::set<const void*> refs_;
    std::vector<std::unique_ptr<Subscription>> subscriptions_;
    std::deque<Event> events_;
    std::unique_ptr<std::thread> thread_;
};

}  // namespace devsim
