// The settings of one simulated device, read from its device.ini: UTF-8
// "key=value" lines. Portable; malformed lines and values are skipped.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace devsim {

// A device value as "<type>:<text>" describes it.
struct ValueSpec {
    enum class Kind { String, Bool, SInt8, SInt16, SInt32, SInt64, UInt64, Float64, Dict };
    Kind kind = Kind::String;
    std::string text;                                     // String
    bool boolean = false;                                 // Bool
    std::int64_t integer = 0;                             // SInt8..SInt64
    std::uint64_t unsigned64 = 0;                         // UInt64
    double real = 0;                                      // Float64
    std::vector<std::pair<std::string, ValueSpec>> dict;  // Dict, in file order
};

struct DeviceConfig {
    // Values AMDeviceCopyValue returns, by key; DeviceName and ProductType are
    // always present.
    std::map<std::string, ValueSpec> values;

    bool connectRefused = false;                  // connect=refuse: AMDeviceConnect returns 1
    bool paired = true;                           // paired=no: AMDeviceIsPaired non-zero until paired
    bool pairOk = true;                           // pair=fail
    bool validateOk = true;                       // validate=fail
    bool sessionOk = true;                        // session=fail
    bool afc2 = true;                             // afc2=no: "com.apple.afc2" does not start
    bool renameReplaces = true;                   // rename_replace=no: AFCRenamePath refuses an existing target
    bool stringPointer = true;                    // string_pointer=no: CFStringGetCharactersPtr gives null
    bool callsLog = true;                         // calls_log=no: no calls.log (for throughput measurements)
    std::optional<std::uint64_t> afc2Starts;      // afc2_starts=<n>: "com.apple.afc2" starts n times, then no more
    std::optional<std::uint64_t> writeFailAfter;  // write_fail_after=<bytes>
    std::optional<std::uint64_t>
        dropWritesAfter;                       // drop_writes_after=<bytes>: later writes report success, store nothing
    std::optional<std::uint64_t> detachAfter;  // detach_after=<bytes>
    std::uint64_t latencyUs = 0;               // latency_us=<microseconds>, at most 10 s
};

DeviceConfig ParseDeviceConfig(const std::string& text);

// "<type>:<text>" with the types string, bool, sint8, sint16, sint32,
// sint64, uint64, float64 and dict ("Key=<type>:<text>" entries separated by
// ";"); nullopt when the type is unknown or the text does not fit it.
std::optional<ValueSpec> ParseValueSpec(const std::string& typed);

}  // namespace devsim
