// A window host for native tests: records repaint requests, posted messages
// and cursors, keeps timers and window properties in maps, and fires timers
// on request. Windows are any distinct pointers the test makes up.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "skin/platform/skin_window_host.h"

class FakeWindowHost : public ISkinWindowHost {
public:
    struct Invalidation {
        HWND window;
        bool whole;
        SkinRect rect;
        bool erase;
    };
    struct Posted {
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    struct Timer {
        unsigned milliseconds;
        TimerRoutine routine;
    };

    FakeWindowHost() { SetSkinWindowHost(this); }
    ~FakeWindowHost() override { SetSkinWindowHost(nullptr); }

    void Invalidate(HWND window, const SkinRect* rect, bool erase) override {
        invalidations.push_back(Invalidation{window, rect == nullptr, rect ? *rect : SkinRect{}, erase});
    }
    bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        posted.push_back(Posted{window, message, wParam, lParam});
        return true;
    }
    HWND Parent(HWND window) override {
        auto it = parents.find(window);
        return it == parents.end() ? nullptr : it->second;
    }
    bool IsVisible(HWND window) override { return hidden.count(window) == 0; }
    std::wstring WindowText(HWND window, size_t maxChars) override {
        auto it = texts.find(window);
        return it == texts.end() ? std::wstring() : it->second.substr(0, maxChars);
    }
    void SetCursor(HCURSOR cursor) override { cursors.push_back(cursor); }
    bool StartTimer(HWND window, uintptr_t id, unsigned milliseconds, TimerRoutine routine) override {
        timers[{window, id}] = Timer{milliseconds, routine};
        ++timerStarts;
        return true;
    }
    void StopTimer(HWND window, uintptr_t id) override { timers.erase({window, id}); }
    void* GetProperty(HWND window, const wchar_t* name) override {
        auto it = properties.find({window, name});
        return it == properties.end() ? nullptr : it->second;
    }
    bool SetProperty(HWND window, const wchar_t* name, void* value) override {
        properties[{window, name}] = value;
        return true;
    }
    void RemoveProperty(HWND window, const wchar_t* name) override { properties.erase({window, name}); }
    void PlaceWindow(void** deferral, HWND window, const SkinRect& rect) override { placed.push_back({window, rect}); }

    // Runs the routine of a running timer as the system would; false when
    // the timer does not run.
    bool Fire(HWND window, uintptr_t id) {
        auto it = timers.find({window, id});
        if (it == timers.end()) return false;
        it->second.routine(window, id);
        return true;
    }
    bool TimerRuns(HWND window, uintptr_t id) const { return timers.count({window, id}) != 0; }

    std::vector<Invalidation> invalidations;
    std::vector<Posted> posted;
    std::vector<HCURSOR> cursors;
    std::map<HWND, HWND> parents;
    std::map<HWND, std::wstring> texts;
    std::map<HWND, bool> hidden;
    std::map<std::pair<HWND, uintptr_t>, Timer> timers;
    std::map<std::pair<HWND, std::wstring>, void*> properties;
    std::vector<std::pair<HWND, SkinRect>> placed;
    int timerStarts = 0;
};

// A made-up window handle for tests.
inline HWND FakeWindow(uintptr_t n) { return reinterpret_cast<HWND>(n * 16); }
