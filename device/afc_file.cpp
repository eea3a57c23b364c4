#include "device/afc_file.h"

#include <limits>
#include <mutex>

#include "device/apple_device.h"
#include "device/apple_libraries.h"

namespace apple {

AfcFile::AfcFile(AFCFileRef reference, AppleDevice* owner, AFCConnectionRef connection)
    : reference_(reference), owner_(owner), connection_(connection) {}

AfcFile::~AfcFile() {
    if (!closed_) Close();
}

AFCConnectionRef AfcFile::LiveConnection() const {
    if (closed_ || !owner_->afcOpen_ || owner_->afcConnection_ != connection_) return nullptr;
    return connection_;
}

bool AfcFile::WriteAt(const void* buffer, std::uint32_t length, std::uint64_t offset) {
    std::lock_guard<std::recursive_mutex> use(owner_->use_);
    AFCConnectionRef conn = LiveConnection();
    if (!conn || offset > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return false;
    const MobileDeviceTable& md = MobileDevice();
    // A failed seek would put the block at the wrong place: count it as a failed write.
    if (md.AFCFileRefSeek(conn, reference_, static_cast<std::int64_t>(offset), 0) != 0) return false;
    return md.AFCFileRefWrite(conn, reference_, buffer, length) == 0;
}

bool AfcFile::Close() {
    std::lock_guard<std::recursive_mutex> use(owner_->use_);
    AFCConnectionRef conn = LiveConnection();
    closed_ = true;
    return conn && MobileDevice().AFCFileRefClose(conn, reference_) == 0;
}

}  // namespace apple
