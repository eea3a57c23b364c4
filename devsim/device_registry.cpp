#include "devsim/device_registry.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace devsim {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);
// A new folder is attached on its second sighting, so that whoever creates it
// has one poll interval to write its device.ini first.
constexpr int kSightingsToAttach = 2;
constexpr std::size_t kConfigLimit = 1 << 20;
// Pending log lines of bulk transfers are written once they reach this size.
constexpr std::size_t kLogBatchBytes = 64 * 1024;

// The calls of a copy or a read, logged in batches: one file append per
// line would cost more than the transfer itself.
bool IsBulkTransfer(const char* entry) {
    return std::strcmp(entry, "AFCFileRefWrite") == 0 || std::strcmp(entry, "AFCFileRefRead") == 0 ||
           std::strcmp(entry, "AFCFileRefSeek") == 0;
}

}  // namespace

Registry& Registry::Get() {
    static Registry* r = new Registry;  // lives until the process ends, thread included
    return *r;
}

std::string Registry::Root() {
    std::string root = host::GetEnv("DEVSIM_ROOT");
#ifdef _WIN32
    if (!root.empty() && root[0] == '/') root = "Z:" + root;
#endif
    while (root.size() > 1 && (root.back() == '/' || root.back() == '\\')) root.pop_back();
    return root;
}

void* Registry::Subscribe(apple::AMDeviceNotificationCallback callback, void* cookie) {
    std::lock_guard<std::mutex> lock(mu);
    subscriptions_.push_back(std::make_unique<Subscription>(Subscription{callback, cookie}));
    Subscription* s = subscriptions_.back().get();
    for (auto& [dir, device] : devices_) {
        if (device->state == SimDevice::State::Attached) events_.push_back({device.get(), 1, s});
    }
    if (!thread_) thread_ = std::make_unique<std::thread>([this] { Run(); });
    wake_.notify_all();
    return s;
}

bool Registry::Unsubscribe(void* subscription) {
    std::lock_guard<std::mutex> lock(mu);
    auto it = std::find_if(subscriptions_.begin(), subscriptions_.end(),
                           [&](const auto& s) { return s.get() == subscription; });
    if (it == subscriptions_.end()) return false;
    // Keep the record: an event for it may be in flight on the notification thread.
    (*it)->callback = nullptr;
    return true;
}

SimDevice* Registry::Find(const void* ref) {
    std::lock_guard<std::mutex> lock(mu);
    return refs_.count(ref) ? static_cast<SimDevice*>(const_cast<void*>(ref)) : nullptr;
}

void Registry::LogLocked(SimDevice* device, const char* entry, const std::string& result, const std::string& details) {
    if (device->state == SimDevice::State::Absent || !device->config.callsLog) return;
    std::string& pending = device->pendingLog;
    pending += entry;
    pending += ' ';
    pending += result;
    if (!details.empty()) {
        pending += ' ';
        pending += details;
    }
    pending += '\n';
    if (!IsBulkTransfer(entry) || pending.size() >= kLogBatchBytes) FlushLogLocked(device);
}

void Registry::FlushLogLocked(SimDevice* device) {
    if (device->pendingLog.empty()) return;
    // Opened per batch: a log held open would keep the folder from being
    // removed on Windows.
    host::File log;
    if (log.Open(device->dir + "/calls.log", host::File::kWrite | host::File::kCreate)) {
        std::uint64_t end = 0;
        if (log.Size(&end)) log.WriteAt(end, device->pendingLog.data(), device->pendingLog.size());
    }
    device->pendingLog.clear();
}

void Registry::AttachLocked(SimDevice* device) {
    std::string ini;
    host::ReadWholeFile(device->dir + "/device.ini", &ini, kConfigLimit);
    device->config = ParseDeviceConfig(ini);
    device->state = SimDevice::State::Attached;
    ++device->generation;
    device->connected = false;
    device->paired = device->config.paired;
    device->session = false;
    device->bytesWritten = 0;
    device->afc2Started = 0;
    std::string fs = device->dir + "/fs";
    host::MakeDir(fs);
    device->rootVolume = std::make_shared<AfcVolume>(fs);
    // The sandboxed service sees only the media folder; make it like a device has it.
    std::string media = fs;
    for (const char* part : {"/var", "/mobile", "/Media"}) {
        media += part;
        if (host::Stat(media).kind == host::Kind::None) host::MakeDir(media);
    }
    device->mediaVolume = std::make_shared<AfcVolume>(media);
}

void Registry::ReleaseLocked(SimDevice* device) {
    device->connected = false;
    device->session = false;
    if (device->rootVolume) device->rootVolume->CloseAll();
    if (device->mediaVolume) device->mediaVolume->CloseAll();
}

void Registry::DepartLocked(SimDevice* device) {
    if (device->state != SimDevice::State::Attached) return;
    FlushLogLocked(device);  // the folder stays: its log is complete
    device->state = SimDevice::State::Departed;
    ReleaseLocked(device);
    events_.push_back({device, 2, nullptr});
    wake_.notify_all();
}

void Registry::PollLocked() {
    std::string root = Root();
    std::vector<std::string> names;
    if (!root.empty()) host::ListDir(root + "/devices", &names);
    std::set<std::string> present;
    for (const std::string& name : names) {
        std::string dir = root + "/devices/" + name;
        if (host::Stat(dir).kind != host::Kind::Directory) continue;
        present.insert(dir);
        auto& slot = devices_[dir];
        if (!slot) {
            slot = std::make_unique<SimDevice>();
            slot->udid = name;
            slot->dir = dir;
            refs_.insert(slot.get());
        }
        SimDevice* d = slot.get();
        if (d->state == SimDevice::State::Absent && ++d->sightings >= kSightingsToAttach) {
            AttachLocked(d);
            events_.push_back({d, 1, nullptr});
        }
    }
    for (auto& [dir, device] : devices_) {
        if (present.count(dir)) {
            FlushLogLocked(device.get());
            continue;
        }
        device->pendingLog.clear();  // its folder is gone
        device->sightings = 0;
        if (device->state == SimDevice::State::Absent) continue;
        if (device->state == SimDevice::State::Attached) events_.push_back({device.get(), 2, nullptr});
        device->state = SimDevice::State::Absent;
        ReleaseLocked(device.get());
    }
}

void Registry::Run() {
    std::unique_lock<std::mutex> lock(mu);
    auto nextPoll = std::chrono::steady_clock::now();
    for (;;) {
        // Nothing may end this thread: a failed poll is tried again next time.
        try {
            if (std::chrono::steady_clock::now() >= nextPoll) {
                nextPoll = std::chrono::steady_clock::now() + kPollInterval;
                PollLocked();
            }
            while (!events_.empty()) {
                Event e = events_.front();
                events_.pop_front();
                std::vector<Subscription> targets;
                for (auto& s : subscriptions_) {
                    if (s->callback && (!e.only || e.only == s.get())) targets.push_back(*s);
                }
                // Handlers run without the lock: they call back into the library.
                lock.unlock();
                apple::AMDeviceNotificationInfo info{e.device, e.message};
                for (const Subscription& s : targets) {
                    try {
                        s.callback(&info, s.cookie);
                    } catch (...) {
                    }
                }
                lock.lock();
            }
        } catch (...) {
            if (!lock.owns_lock()) lock.lock();
        }
        wake_.wait_until(lock, nextPoll, [this] { return !events_.empty(); });
    }
}

}  // namespace devsim
