// Win32 window host: the calls behind ISkinWindowHost.
#include <windows.h>

#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "common/win_dpi_win32.h"
#include "skin/platform/skin_window_host.h"

ISkinWindowHost& DefaultSkinWindowHost();

namespace {

// Timers run one routine of ours; it finds the caller's routine by window
// and timer id, so two kinds of timers on one window never meet.
class TimerTable {
public:
    void Set(HWND window, uintptr_t id, ISkinWindowHost::TimerRoutine routine) {
        std::lock_guard<std::mutex> lock(mutex_);
        routines_[{window, id}] = routine;
    }
    void Erase(HWND window, uintptr_t id) {
        std::lock_guard<std::mutex> lock(mutex_);
        routines_.erase({window, id});
    }
    ISkinWindowHost::TimerRoutine Find(HWND window, uintptr_t id) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = routines_.find({window, id});
        return it == routines_.end() ? nullptr : it->second;
    }

private:
    std::mutex mutex_;
    std::map<std::pair<HWND, uintptr_t>, ISkinWindowHost::TimerRoutine> routines_;
};

TimerTable& Timers() {
    static TimerTable* table = new TimerTable();  // outlives every window
    return *table;
}

void CALLBACK RunTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    ISkinWindowHost::TimerRoutine routine = Timers().Find(window, id);
    if (!routine) {
        ::KillTimer(window, id);  // a timer nobody owns any more
        return;
    }
    try {
        routine(window, id);
    } catch (...) {
        // Nothing may unwind through the system's timer dispatch.
    }
}

class Win32WindowHost final : public ISkinWindowHost {
public:
    void Invalidate(HWND window, const SkinRect* rect, bool erase) override {
        if (!rect) {
            ::InvalidateRect(window, nullptr, erase);
            return;
        }
        RECT r{rect->left, rect->top, rect->right, rect->bottom};
        ::InvalidateRect(window, &r, erase);
    }
    bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return ::PostMessageW(window, message, wParam, lParam) != FALSE;
    }
    HWND Parent(HWND window) override { return ::GetParent(window); }
    bool IsVisible(HWND window) override { return ::IsWindowVisible(window) != FALSE; }
    std::wstring WindowText(HWND window, size_t maxChars) override {
        if (maxChars == 0) return std::wstring();
        std::vector<wchar_t> buffer(maxChars + 1, L'\0');
        int n = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
        return std::wstring(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
    }
    void SetCursor(HCURSOR cursor) override { ::SetCursor(cursor); }
    bool StartTimer(HWND window, uintptr_t id, unsigned milliseconds, TimerRoutine routine) override {
        Timers().Set(window, id, routine);
        if (::SetTimer(window, id, milliseconds, &RunTimer)) return true;
        Timers().Erase(window, id);
        return false;
    }
    void StopTimer(HWND window, uintptr_t id) override {
        ::KillTimer(window, id);
        Timers().Erase(window, id);
    }
    void* GetProperty(HWND window, const wchar_t* name) override { return ::GetPropW(window, name); }
    bool SetProperty(HWND window, const wchar_t* name, void* value) override {
        return ::SetPropW(window, name, value) != FALSE;
    }
    void RemoveProperty(HWND window, const wchar_t* name) override { ::RemovePropW(window, name); }
    int WindowDpi(HWND window) override { return static_cast<int>(win::WindowDpi(window)); }

    void PlaceWindow(void** deferral, HWND window, const SkinRect& rect) override {
        if (!deferral || !*deferral) {
            ::MoveWindow(window, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
            return;
        }
        // A failed deferral frees the whole set: the rest is placed at once.
        HDWP next = ::DeferWindowPos(static_cast<HDWP>(*deferral), window, nullptr, rect.left, rect.top, rect.Width(),
                                     rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        if (!next) ::MoveWindow(window, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
        *deferral = next;
    }
};

}  // namespace

ISkinWindowHost& DefaultSkinWindowHost() {
    static Win32WindowHost host;
    return host;
}
