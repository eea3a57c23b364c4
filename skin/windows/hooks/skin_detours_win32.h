// CSkinDetours: the engine's interception of the system's window, paint,
// region and scroll-bar functions. Constructing it patches the entry of
// each function in one table (skin_detours.cpp) so that every call in the
// process reaches the function's replacement; destroying it puts every
// original byte back. The window manager holds one as a member, built with
// its ISkinHookHost; only one can hold the hooks at a time.
//
// The replacements act only on windows registered here as fully attached
// and call the system function unchanged for all others. The engine
// reaches the system functions themselves through skin_unhooked.h, whose
// entries point at the trampolines while the hooks are installed.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/windows/hooks/skin_code_patcher_win32.h"
#include "skin/windows/hooks/skin_hook_host_win32.h"

class CSkinDetours {
public:
    // One hooked function: where it was patched, or why it was left out
    // (a left-out function keeps its system behaviour).
    struct Hook {
        const char* name = nullptr;
        bool installed = false;
        skin_hooks::PatchStatus status = skin_hooks::PatchStatus::Ok;
        skin_hooks::PatchRefusal refusal = skin_hooks::PatchRefusal::None;
        int hops = 0;  // forwarding stubs followed from the export to the patched entry
        skin_hooks::Patch patch;
    };

    explicit CSkinDetours(ISkinHookHost* host);
    ~CSkinDetours();
    CSkinDetours(const CSkinDetours&) = delete;
    CSkinDetours& operator=(const CSkinDetours&) = delete;

    // False when another CSkinDetours held the hooks already (this one
    // then installed nothing).
    bool Active() const { return active_; }
    const std::vector<Hook>& Hooks() const { return hooks_; }
    int InstalledCount() const;

private:
    bool active_ = false;
    std::vector<Hook> hooks_;
};

// The in-process record of attached windows that the replacements consult:
// the window manager registers a window (with its skin object, handed back
// to the host's methods) once it is fully attached, and unregisters it
// before the skin object goes.
void SkinHookRegisterWindow(HWND window, void* skin);
void SkinHookUnregisterWindow(HWND window);

// The host of the installed hooks, or null.
ISkinHookHost* SkinActiveHookHost();
