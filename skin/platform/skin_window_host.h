// The window system as the skin engine's portable code sees it: repaint
// requests, posted messages, timers, window properties, the cursor and a
// window's text. Drawing items and animation players reach windows only
// through ISkinWindowHost, so they build and are tested natively against a
// recording host; on Windows the host makes the Win32 calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/win_types.h"
#include "skin/draw/skin_geometry.h"

class ISkinWindowHost {
public:
    // Called on the window's thread when timer `id` of `window` fires.
    using TimerRoutine = void (*)(HWND window, uintptr_t id);

    virtual ~ISkinWindowHost() = default;

    // InvalidateRect: the whole client area when `rect` is null.
    virtual void Invalidate(HWND window, const SkinRect* rect, bool erase) = 0;
    virtual bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual HWND Parent(HWND window) = 0;
    virtual bool IsVisible(HWND window) = 0;
    // The window's text, at most `maxChars` characters.
    virtual std::wstring WindowText(HWND window, size_t maxChars) = 0;
    virtual void SetCursor(HCURSOR cursor) = 0;

    // SetTimer with a timer routine; restarting a running timer replaces it.
    virtual bool StartTimer(HWND window, uintptr_t id, unsigned milliseconds, TimerRoutine routine) = 0;
    virtual void StopTimer(HWND window, uintptr_t id) = 0;

    virtual void* GetProperty(HWND window, const wchar_t* name) = 0;
    virtual bool SetProperty(HWND window, const wchar_t* name, void* value) = 0;
    virtual void RemoveProperty(HWND window, const wchar_t* name) = 0;

    // Moves and sizes a child window: into the deferral when `deferral`
    // points at one (an HDWP from BeginDeferWindowPos, updated in place),
    // else at once, repainting it.
    virtual void PlaceWindow(void** deferral, HWND window, const SkinRect& rect) {}

    // The DPI of the display the window is on (96 natively).
    virtual int WindowDpi(HWND window) { return 96; }
};

// The host of this build: Win32 on Windows; natively one that does nothing
// and reports no parent, no text and no properties.
ISkinWindowHost& SkinWindowHost();
// Replaces the host (tests); nullptr restores the default.
void SetSkinWindowHost(ISkinWindowHost* host);
