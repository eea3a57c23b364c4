#include "skin/picture/skin_animation_binding.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "skin/platform/skin_window_host.h"

const wchar_t kSkinAnimateProperty[] = L"VELTAR_ANIMATE";

namespace {

// The playing players. Timers, ticks and drawing run on the owner's
// thread; the lock only keeps the list whole if another thread ever asks.
struct Registry {
    std::mutex mutex;
    std::vector<SkinAnimationBinding*> bound;
};

Registry& Bindings() {
    static Registry* registry = new Registry();  // outlives every player
    return *registry;
}

void Remove(SkinAnimationBinding* binding) {
    Registry& r = Bindings();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.bound.erase(std::remove(r.bound.begin(), r.bound.end(), binding), r.bound.end());
}

void Add(SkinAnimationBinding* binding) {
    Registry& r = Bindings();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.bound.push_back(binding);
}

void TimerRoutine(HWND window, uintptr_t id) { SkinAnimationTimer(window, id); }

}  // namespace

SkinAnimationBinding::SkinAnimationBinding(void* player, uintptr_t timerId, Callback tick, Callback ownerGone)
    : player_(player), timerId_(timerId), tick_(tick), ownerGone_(ownerGone) {}

SkinAnimationBinding::~SkinAnimationBinding() { Release(); }

void SkinAnimationBinding::Attach(HWND window) {
    Release();
    if (!window) return;
    window_ = window;
    running_ = false;
    Add(this);
}

bool SkinAnimationBinding::Run(HWND window, unsigned milliseconds) {
    Release();
    if (!window) return false;
    ISkinWindowHost& host = SkinWindowHost();
    // The animation running there keeps its frame but gives up its timer.
    std::vector<SkinAnimationBinding*> displaced;
    {
        Registry& r = Bindings();
        std::lock_guard<std::mutex> lock(r.mutex);
        for (SkinAnimationBinding* b : r.bound)
            if (b->window_ == window && b->running_) displaced.push_back(b);
    }
    for (SkinAnimationBinding* b : displaced) {
        b->running_ = false;
        host.StopTimer(window, b->timerId_);
    }
    host.SetProperty(window, kSkinAnimateProperty, player_);
    window_ = window;
    running_ = true;
    Add(this);
    if (host.StartTimer(window, timerId_, milliseconds, &TimerRoutine)) return true;
    running_ = false;
    if (host.GetProperty(window, kSkinAnimateProperty) == player_) host.RemoveProperty(window, kSkinAnimateProperty);
    return false;
}

void SkinAnimationBinding::Release() {
    if (!window_) return;
    ISkinWindowHost& host = SkinWindowHost();
    if (running_) host.StopTimer(window_, timerId_);
    // Another player may have taken the window since.
    if (host.GetProperty(window_, kSkinAnimateProperty) == player_) host.RemoveProperty(window_, kSkinAnimateProperty);
    Remove(this);
    window_ = nullptr;
    running_ = false;
}

void SkinStopAnimations(HWND window) {
    if (!window) return;
    for (;;) {
        SkinAnimationBinding* found = nullptr;
        {
            Registry& r = Bindings();
            std::lock_guard<std::mutex> lock(r.mutex);
            for (SkinAnimationBinding* b : r.bound)
                if (b->window_ == window) {
                    found = b;
                    break;
                }
        }
        if (!found) return;
        found->ownerGone_(found->player_);
        found->Release();  // in case the player kept it
    }
}

void SkinAnimationTimer(HWND window, uintptr_t id) {
    void* player = nullptr;
    SkinAnimationBinding::Callback tick = nullptr;
    {
        Registry& r = Bindings();
        std::lock_guard<std::mutex> lock(r.mutex);
        for (SkinAnimationBinding* b : r.bound)
            if (b->window_ == window && b->timerId_ == id && b->running_) {
                player = b->player_;
                tick = b->tick_;
                break;
            }
    }
    if (tick)
        tick(player);
    else
        SkinWindowHost().StopTimer(window, id);
}

int SkinAnimationsBoundTo(HWND window) {
    Registry& r = Bindings();
    std::lock_guard<std::mutex> lock(r.mutex);
    return static_cast<int>(std::count_if(r.bound.begin(), r.bound.end(),
                                          [window](const SkinAnimationBinding* b) { return b->Window() == window; }));
}
