// The process's window host: the one a test installed, else this build's
// default (Win32 on Windows, a host that does nothing elsewhere).
#include "skin/platform/skin_window_host.h"

#include <atomic>

ISkinWindowHost& DefaultSkinWindowHost();

namespace {

std::atomic<ISkinWindowHost*> g_host{nullptr};

}  // namespace

ISkinWindowHost& SkinWindowHost() {
    ISkinWindowHost* host = g_host.load(std::memory_order_acquire);
    return host ? *host : DefaultSkinWindowHost();
}

void SetSkinWindowHost(ISkinWindowHost* host) { g_host.store(host, std::memory_order_release); }

#if !defined(_WIN32)
namespace {

class NullWindowHost final : public ISkinWindowHost {
public:
    void Invalidate(HWND, const SkinRect*, bool) override {}
    bool Post(HWND, UINT, WPARAM, LPARAM) override { return false; }
    HWND Parent(HWND) override { return nullptr; }
    bool IsVisible(HWND) override { return false; }
    std::wstring WindowText(HWND, size_t) override { return std::wstring(); }
    void SetCursor(HCURSOR) override {}
    bool StartTimer(HWND, uintptr_t, unsigned, TimerRoutine) override { return false; }
    void StopTimer(HWND, uintptr_t) override {}
    void* GetProperty(HWND, const wchar_t*) override { return nullptr; }
    bool SetProperty(HWND, const wchar_t*, void*) override { return false; }
    void RemoveProperty(HWND, const wchar_t*) override {}
};

}  // namespace

ISkinWindowHost& DefaultSkinWindowHost() {
    static NullWindowHost host;
    return host;
}
#endif
