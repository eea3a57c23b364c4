// The test object the hook tests attach to windows in place of the window
// manager's skins, and the host that answers the hooks about it.
#pragma once

#include <windows.h>

#include <atomic>
#include <set>
#include <string>

#include "skin/windows/hooks/skin_detours_win32.h"
#include "skin/windows/hooks/skin_paint_redirect_win32.h"

// Records which scroll-bar function reached it and answers with values the
// system would never give: position 42, track position 5.
class RecordingScrollLayer : public ISkinRichEditScrollBars {
public:
    static constexpr int kPosition = 42;
    static constexpr int kTrackPosition = 5;
    std::set<std::string> calls;

    int SetScrollInfo(HWND, int, const SCROLLINFO*, BOOL) noexcept override { return Note("SetScrollInfo", 7); }
    BOOL GetScrollInfo(HWND, int, SCROLLINFO* info) noexcept override;
    int SetScrollPos(HWND, int, int, BOOL) noexcept override { return Note("SetScrollPos", 7); }
    int GetScrollPos(HWND, int) noexcept override { return Note("GetScrollPos", kPosition); }
    BOOL SetScrollRange(HWND, int, int, int, BOOL) noexcept override { return Note("SetScrollRange", TRUE); }
    BOOL GetScrollRange(HWND, int, int* minimum, int* maximum) noexcept override;
    BOOL ShowScrollBar(HWND, int, BOOL) noexcept override { return Note("ShowScrollBar", TRUE); }
    BOOL EnableScrollBar(HWND, UINT, UINT) noexcept override { return Note("EnableScrollBar", TRUE); }

private:
    int Note(const char* name, int result) noexcept;
};

// What the tests attach to a window: the parts of a skin the hooks ask for.
struct TestSkin {
    HWND window = nullptr;
    WNDPROC under = nullptr;  // the procedure under the skin
    bool ownsRegion = false;
    SkinScrollBars* bars = nullptr;
    ISkinRichEditScrollBars* richEdit = nullptr;
    SkinPaintRedirect* paint = nullptr;
    SkinDcRedirect* dc = nullptr;
    std::atomic<int> messages{0};  // messages the skin's procedure saw
    std::atomic<int> redraws{0};
};

class TestHookHost : public ISkinHookHost {
public:
    bool GetProcedures(HWND window, void* skin, WNDPROC* under, WNDPROC* classProcedure) noexcept override;
    void SetProcedureUnderSkin(HWND window, void* skin, WNDPROC procedure) noexcept override;
    bool OwnsWindowRegion(HWND, void* skin) noexcept override { return Of(skin).ownsRegion; }
    bool VisitScrollBars(HWND, void* skin, ISkinScrollBarsVisit& visit) noexcept override {
        if (!Of(skin).bars) return false;
        visit.Visit(*Of(skin).bars);
        return true;
    }
    void RedrawScrollBars(HWND, void* skin) noexcept override { ++Of(skin).redraws; }
    ISkinRichEditScrollBars* RichEditScrollBars(HWND, void* skin) noexcept override { return Of(skin).richEdit; }
    SkinPaintRedirect* PaintRedirect(HWND, void* skin) noexcept override { return Of(skin).paint; }
    SkinDcRedirect* DcRedirect(HWND, void* skin) noexcept override { return Of(skin).dc; }
    HBRUSH FrameBackgroundBrush(HWND window) noexcept override { return window == frame ? frameBrush : nullptr; }

    HWND frame = nullptr;  // the window the host calls a skinned frame
    HBRUSH frameBrush = nullptr;

private:
    static TestSkin& Of(void* skin) { return *static_cast<TestSkin*>(skin); }
};

// The skin's class procedure: counts the message and passes it on to the
// procedure under the skin.
LRESULT CALLBACK TestSkinProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Attaches `skin` to `window` as the window manager does: subclasses it
// with TestSkinProcedure (through the unhooked entry) when `subclass`, and
// registers it with the hooks. Detach undoes both.
void AttachTestSkin(HWND window, TestSkin* skin, bool subclass = true);
void DetachTestSkin(HWND window, TestSkin* skin);

// The address a module's import table holds for `function` of `dll`: a
// call through it is a call as that module makes it.
void* ImportedFunction(HMODULE module, const char* dll, const char* function);

// A top-level or child window of a plain test class with `procedure`.
HWND CreateTestWindow(WNDPROC procedure, HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW, int width = 200,
                      int height = 150);
void PumpMessages();
