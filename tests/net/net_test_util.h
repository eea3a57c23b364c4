// Helpers for the network tests: environment variables set for one scope,
// and reading back downloaded files.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/utf.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace testnet {

inline std::string NarrowPath(const std::wstring& path) { return text::WideToUtf8(path); }

inline std::FILE* OpenForRead(const std::wstring& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(NarrowPath(path).c_str(), "rb");
#endif
}

inline bool FileExists(const std::wstring& path) {
    std::FILE* f = OpenForRead(path);
    if (f) std::fclose(f);
    return f != nullptr;
}

inline std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    std::FILE* f = OpenForRead(path);
    if (!f) return std::nullopt;
    std::string data;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) data.append(buffer, n);
    std::fclose(f);
    return data;
}

inline void SetEnv(const char* name, const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s(name, value ? value->c_str() : "");
    // GetTempPathW reads the process environment block, not the C runtime's.
    const std::wstring wvalue = value ? text::Utf8ToWide(*value) : std::wstring();
    SetEnvironmentVariableW(text::Utf8ToWide(name).c_str(), value ? wvalue.c_str() : nullptr);
#else
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
#endif
}

// Sets an environment variable and restores its old value on destruction.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        SetEnv(name, value);
    }
    ~ScopedEnv() { SetEnv(name_.c_str(), old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace testnet
