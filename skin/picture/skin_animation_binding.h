// How animation players meet their owner windows.
//
// A playing player is bound to one owner window. A running one also holds
// the window's timer (its own timer id) and is named by the window's
// "VELTAR_ANIMATE" property; one window runs at most one animation, so a
// player that takes a window over leaves the one running there on its
// current frame, without a timer.
//
// Both player kinds share the property, so nothing trusts it to say which
// player a timer belongs to: the bindings form a registry of playing
// players, and the timer routine finds its player by window and timer id
// (a timer that finds no player is stopped). The property is removed only
// while it still names the player that goes, and a window's animations are
// all stopped when the window goes (SkinStopAnimations).
#pragma once

#include <cstdint>

#include "common/win_types.h"

// The window property that names an owner window's running animation.
extern const wchar_t kSkinAnimateProperty[];

class SkinAnimationBinding {
public:
    using Callback = void (*)(void* player);

    // `tick` runs at each of the player's timers; `ownerGone` when its
    // window is destroyed (it must stop the player).
    SkinAnimationBinding(void* player, uintptr_t timerId, Callback tick, Callback ownerGone);
    ~SkinAnimationBinding();
    SkinAnimationBinding(const SkinAnimationBinding&) = delete;
    SkinAnimationBinding& operator=(const SkinAnimationBinding&) = delete;

    // Playing on `window` without a timer.
    void Attach(HWND window);
    // Runs on `window`: names the player in the window's property, takes the
    // window from the animation running there and starts the timer. False
    // when the timer could not be started (the player stays attached).
    bool Run(HWND window, unsigned milliseconds);
    // Stops the timer of a running player, removes the property while it
    // names the player, and unbinds it.
    void Release();

    bool IsBound() const { return window_ != nullptr; }
    bool IsRunning() const { return running_; }
    HWND Window() const { return window_; }

private:
    friend void SkinStopAnimations(HWND window);
    friend void SkinAnimationTimer(HWND window, uintptr_t id);

    void* player_;
    uintptr_t timerId_;
    Callback tick_;
    Callback ownerGone_;
    HWND window_ = nullptr;
    bool running_ = false;
};

// Stops every animation bound to `window`; the window manager calls it
// when a window is destroyed (WM_NCDESTROY).
void SkinStopAnimations(HWND window);

// The timer routine of every animation: ticks the player that runs on
// `window` with timer `id`, or stops a timer that no player owns.
void SkinAnimationTimer(HWND window, uintptr_t id);

// Number of players bound to `window` (tests).
int SkinAnimationsBoundTo(HWND window);
