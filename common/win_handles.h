// Scoped owners of Win32 handles and objects: each closes or deletes what it
// owns exactly once, and each selection or lock is given back on scope exit.
// The one home of these holders for every subsystem, with one spelling
// (get, reset, release), and of the small readers that return a window's
// rectangles and styles as values.
//
// The owner template itself is portable: the skin engine's graphics objects
// use it natively too, over the stand-in handle types of common/win_types.h.
#pragma once

#include <utility>

namespace win {

// Owner of a handle type with its closing function and empty value:
// Traits::Empty() and Traits::Close(handle).
template <typename Handle, typename Traits>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(Handle h) : handle_(h) {}
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : handle_(other.release()) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~Scoped() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Empty(); }
    // For a call that writes a new handle: the old one is closed first.
    Handle* receive() {
        reset();
        return &handle_;
    }
    // Gives the handle up (to a call that takes ownership).
    Handle release() { return std::exchange(handle_, Traits::Empty()); }
    void reset(Handle h = Traits::Empty()) {
        if (handle_ != Traits::Empty()) Traits::Close(handle_);
        handle_ = h;
    }

private:
    Handle handle_ = Traits::Empty();
};

}  // namespace win

#if defined(_WIN32)
#include <windows.h>

#include <cstdint>

#include "common/value_types.h"

namespace win {

struct KernelHandleTraits {
    static HANDLE Empty() { return nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FileHandleTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct RegKeyTraits {
    static HKEY Empty() { return nullptr; }
    static void Close(HKEY h) { ::RegCloseKey(h); }
};
struct ModuleTraits {
    static HMODULE Empty() { return nullptr; }
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};
struct FindTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ Empty() { return nullptr; }
    static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};
struct MemoryDcTraits {
    static HDC Empty() { return nullptr; }
    static void Close(HDC h) { ::DeleteDC(h); }
};
struct WindowTraits {
    static HWND Empty() { return nullptr; }
    static void Close(HWND h) { ::DestroyWindow(h); }
};
// Only for cursors this program made (CopyIcon, CreateCursor): shared system
// cursors from LoadCursor must never be destroyed.
struct OwnCursorTraits {
    static HCURSOR Empty() { return nullptr; }
    static void Close(HCURSOR h) { ::DestroyCursor(h); }
};
// A loaded resource (LoadResource); a no-op on current systems, kept for
// the old ones that need it.
struct ResourceTraits {
    static HGLOBAL Empty() { return nullptr; }
    static void Close(HGLOBAL h) { ::FreeResource(h); }
};

// Only for icons this program loaded without LR_SHARED.
struct OwnIconTraits {
    static HICON Empty() { return nullptr; }
    static void Close(HICON h) { ::DestroyIcon(h); }
};

using ScopedHandle = Scoped<HANDLE, KernelHandleTraits>;
using ScopedFile = Scoped<HANDLE, FileHandleTraits>;
using ScopedFind = Scoped<HANDLE, FindTraits>;
using ScopedRegKey = Scoped<HKEY, RegKeyTraits>;
using ScopedModule = Scoped<HMODULE, ModuleTraits>;
using ScopedGdiObject = Scoped<HGDIOBJ, GdiObjectTraits>;
using ScopedMemoryDc = Scoped<HDC, MemoryDcTraits>;
using ScopedWindow = Scoped<HWND, WindowTraits>;
using ScopedOwnCursor = Scoped<HCURSOR, OwnCursorTraits>;
using ScopedOwnIcon = Scoped<HICON, OwnIconTraits>;
using ScopedResource = Scoped<HGLOBAL, ResourceTraits>;

// A window DC given back with its release function on exit: GetDC's by
// default, or a DC taken elsewhere (GetWindowDC, an unhooked entry point)
// with the matching release.
class WindowDc {
public:
    using ReleaseFn = int(WINAPI*)(HWND, HDC);
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)), release_(&::ReleaseDC) {}
    WindowDc(HWND window, HDC dc, ReleaseFn release) : window_(window), dc_(dc), release_(release) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) release_(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    ReleaseFn release_;
};

// Selects an object into a DC and selects what it replaced back on exit.
// False (nothing to restore) when the object is null or GDI refused it.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {
        if (old_ == HGDI_ERROR) old_ = nullptr;
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    ~ScopedSelection() {
        if (old_) ::SelectObject(dc_, old_);
    }
    explicit operator bool() const { return old_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A critical section with a spin count, owned for its lifetime; usable with
// std::lock_guard.
class CriticalSection {
public:
    explicit CriticalSection(DWORD spinCount) { ::InitializeCriticalSectionAndSpinCount(&cs_, spinCount); }
    ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    void lock() { ::EnterCriticalSection(&cs_); }
    void unlock() { ::LeaveCriticalSection(&cs_); }

private:
    CRITICAL_SECTION cs_;
};

// A slim reader/writer lock, usable with std::lock_guard (exclusive) and
// std::shared_lock (shared). Needs no set-up, so a global one is ready
// before any constructor runs (the API hooks may take it that early).
class SrwLock {
public:
    constexpr SrwLock() = default;
    SrwLock(const SrwLock&) = delete;
    SrwLock& operator=(const SrwLock&) = delete;
    void lock() { ::AcquireSRWLockExclusive(&lock_); }
    void unlock() { ::ReleaseSRWLockExclusive(&lock_); }
    void lock_shared() { ::AcquireSRWLockShared(&lock_); }
    void unlock_shared() { ::ReleaseSRWLockShared(&lock_); }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

// ----- Small readers of a window, as values -----

inline SkinRect ToSkinRect(const RECT& r) { return SkinRect{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const SkinRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

inline RECT ClientRect(HWND window) {
    RECT rect{};
    ::GetClientRect(window, &rect);
    return rect;
}

// In screen coordinates.
inline RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// The window's styles as the hooked entry point reports them; the skin
// engine reads its own windows' styles through skin_unhooked's Style and
// ExStyle instead.
inline uint32_t Style(HWND window) { return static_cast<uint32_t>(::GetWindowLongPtrW(window, GWL_STYLE)); }
inline uint32_t ExStyle(HWND window) { return static_cast<uint32_t>(::GetWindowLongPtrW(window, GWL_EXSTYLE)); }

}  // namespace win
#endif
