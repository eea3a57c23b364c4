#include "devsim/device_config.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace devsim {
namespace {

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::optional<std::int64_t> ParseSigned(const std::string& text, std::int64_t lo, std::int64_t hi) {
    if (text.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return std::nullopt;
    return v;
}

std::optional<std::uint64_t> ParseUnsigned(const std::string& text) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return std::nullopt;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return std::nullopt;
    return v;
}

std::optional<bool> ParseBool(const std::string& text) {
    if (text == "true" || text == "yes" || text == "1") return true;
    if (text == "false" || text == "no" || text == "0") return false;
    return std::nullopt;
}

// A "yes/no"-style switch: true when the value is the `on` word (or not given).
bool Switch(const std::string& value, const char* offWord) { return value != offWord; }

struct TypeName {
    const char* name;
    ValueSpec::Kind kind;
    std::int64_t lo, hi;
};
const TypeName kTypes[] = {
    {"string", ValueSpec::Kind::String, 0, 0},
    {"bool", ValueSpec::Kind::Bool, 0, 0},
    {"sint8", ValueSpec::Kind::SInt8, -128, 127},
    {"sint16", ValueSpec::Kind::SInt16, -32768, 32767},
    {"sint32", ValueSpec::Kind::SInt32, std::numeric_limits<std::int32_t>::min(),
     std::numeric_limits<std::int32_t>::max()},
    {"sint64", ValueSpec::Kind::SInt64, std::numeric_limits<std::int64_t>::min(),
     std::numeric_limits<std::int64_t>::max()},
    {"uint64", ValueSpec::Kind::UInt64, 0, 0},
    {"float64", ValueSpec::Kind::Float64, 0, 0},
    {"dict", ValueSpec::Kind::Dict, 0, 0},
};

std::optional<ValueSpec> ParseTyped(const std::string& typed, bool allowDict) {
    std::size_t colon = typed.find(':');
    if (colon == std::string::npos) return std::nullopt;
    std::string type = typed.substr(0, colon);
    std::string text = typed.substr(colon + 1);
    for (const TypeName& t : kTypes) {
        if (type != t.name) continue;
        ValueSpec v;
        v.kind = t.kind;
        switch (t.kind) {
            case ValueSpec::Kind::String:
                v.text = text;
                return v;
            case ValueSpec::Kind::Bool: {
                auto b = ParseBool(text);
                if (!b) return std::nullopt;
                v.boolean = *b;
                return v;
            }
            case ValueSpec::Kind::UInt64: {
                auto u = ParseUnsigned(text);
                if (!u) return std::nullopt;
                v.unsigned64 = *u;
                return v;
            }
            case ValueSpec::Kind::Float64: {
                if (text.empty()) return std::nullopt;
                char* end = nullptr;
                v.real = std::strtod(text.c_str(), &end);
                if (*end != '\0' || !std::isfinite(v.real)) return std::nullopt;
                return v;
            }
            case ValueSpec::Kind::Dict: {
                if (!allowDict) return std::nullopt;
                std::size_t pos = 0;
                while (pos <= text.size()) {
                    std::size_t semi = text.find(';', pos);
                    if (semi == std::string::npos) semi = text.size();
                    std::string entry = text.substr(pos, semi - pos);
                    pos = semi + 1;
                    std::size_t eq = entry.find('=');
                    if (eq == std::string::npos || eq == 0) continue;
                    auto inner = ParseTyped(entry.substr(eq + 1), false);
                    if (inner) v.dict.emplace_back(entry.substr(0, eq), std::move(*inner));
                }
                return v;
            }
            default: {
                auto i = ParseSigned(text, t.lo, t.hi);
                if (!i) return std::nullopt;
                v.integer = *i;
                return v;
            }
        }
    }
    return std::nullopt;
}

ValueSpec StringValue(const std::string& text) {
    ValueSpec v;
    v.text = text;
    return v;
}

}  // namespace

std::optional<ValueSpec> ParseValueSpec(const std::string& typed) { return ParseTyped(typed, true); }

DeviceConfig ParseDeviceConfig(const std::string& input) {
    DeviceConfig c;
    c.values["DeviceName"] = StringValue("iPhone");
    c.values["ProductType"] = StringValue("iPhone10,3");
    std::string text = input;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string::npos) nl = text.size();
        std::string line = text.substr(pos, nl - pos);
        pos = nl + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = Trim(line.substr(0, eq));
        // Values keep inner and trailing blanks (a device name may end in one),
        // only the line end is dropped.
        std::string value = line.substr(eq + 1);
        if (key.empty() || key[0] == '#' || key[0] == ';') continue;
        if (key == "DeviceName" || key == "ProductType") {
            c.values[key] = StringValue(value);
        } else if (key.compare(0, 6, "value.") == 0 && key.size() > 6) {
            if (auto v = ParseValueSpec(value)) c.values[key.substr(6)] = std::move(*v);
        } else {
            std::string v = Trim(value);
            if (key == "connect")
                c.connectRefused = v == "refuse";
            else if (key == "paired")
                c.paired = Switch(v, "no");
            else if (key == "pair")
                c.pairOk = Switch(v, "fail");
            else if (key == "validate")
                c.validateOk = Switch(v, "fail");
            else if (key == "session")
                c.sessionOk = Switch(v, "fail");
            else if (key == "afc2")
                c.afc2 = Switch(v, "no");
            else if (key == "rename_replace")
                c.renameReplaces = Switch(v, "no");
            else if (key == "string_pointer")
                c.stringPointer = Switch(v, "no");
            else if (key == "calls_log")
                c.callsLog = Switch(v, "no");
            else if (key == "write_fail_after")
                c.writeFailAfter = ParseUnsigned(v);
            else if (key == "drop_writes_after")
                c.dropWritesAfter = ParseUnsigned(v);
            else if (key == "afc2_starts")
                c.afc2Starts = ParseUnsigned(v);
            else if (key == "detach_after")
                c.detachAfter = ParseUnsigned(v);
            else if (key == "latency_us") {
                if (auto us = ParseUnsigned(v)) c.latencyUs = *us > 10000000 ? 10000000 : *us;
            }
        }
    }
    return c;
}

}  // namespace devsim
