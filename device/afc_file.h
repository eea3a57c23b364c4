// One open file on a device's AFC connection.
#pragma once

#include <cstdint>

#include "device/apple_entry_points.h"

namespace apple {

class AppleDevice;

class AfcFile {
public:
    // `connection` is the owner's AFC connection the file was opened on.
    AfcFile(AFCFileRef reference, AppleDevice* owner, AFCConnectionRef connection);
    // Closes the file if that is still possible; the result is not looked at.
    ~AfcFile();
    AfcFile(const AfcFile&) = delete;
    AfcFile& operator=(const AfcFile&) = delete;

    // Writes `length` bytes at the 64-bit `offset`: true only when both the
    // seek and the write succeeded.
    bool WriteAt(const void* buffer, std::uint32_t length, std::uint64_t offset);
    // Closes the file on the device (AFCFileRefClose); true on success. Later
    // writes fail.
    bool Close();
    AFCFileRef Reference() const { return reference_; }

private:
    // The connection to use, or null when the owner's connection was closed or
    // replaced since the file was opened.
    AFCConnectionRef LiveConnection() const;

    const AFCFileRef reference_;
    AppleDevice* const owner_;
    const AFCConnectionRef connection_;
    bool closed_ = false;
};

}  // namespace apple
