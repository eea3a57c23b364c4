// CSkinWndManager: the process's registry of skinned windows and the
// services the skin classes share (screen DC, colour shift, shared window
// settings, layered-window entry points).
//
// Created on first use, never destroyed. Attach, detach and painting run on
// each window's own thread; the record of attached windows is also read by
// other threads (SetSkinProperty from workers, the API hooks), so it is
// guarded, and an object is in it only while fully attached.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "common/win_handles.h"
#include "skin/draw/skin_color_shift.h"
#include "skin/theme/skin_descriptions.h"
#include "skin/windows/hooks/skin_detours_win32.h"
#include "skin/windows/hooks/skin_hook_host_win32.h"
#include "skin/windows/manager/skin_base.h"

class CSkinResourceManager;

class CSkinWndManager : public ISkinHookHost {
public:
    using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
    using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    CSkinWndManager();
    CSkinWndManager(const CSkinWndManager&) = delete;
    CSkinWndManager& operator=(const CSkinWndManager&) = delete;

    // ----- Attached windows -----
    // Records a fully attached window (after subclassing) in its registry.
    void Register(HWND window, CSkinBase* object, bool frame);
    // Takes the window out of every registry; the object is not deleted.
    void Unregister(HWND window);
    // The skin object of an attached window, for code on the window's own
    // thread (which alone deletes it).
    CSkinBase* Find(HWND window) const;
    // Runs `f(object)` with the record held, so the object cannot be
    // deleted meanwhile: for callers on any thread. False when the window
    // is not attached; otherwise what `f` returns.
    template <class F>
    bool WithObject(HWND window, F&& f) const {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = objects_.find(window);
        return it != objects_.end() && f(*it->second);
    }
    bool IsAttached(HWND window) const { return Find(window) != nullptr; }
    std::vector<HWND> Frames() const;
    std::vector<HWND> Controls() const;

    // ----- Shared services -----
    HDC ScreenDc() const { return screenDc_; }
    HDC MemoryDc() const { return memoryDc_.get(); }
    const SkinColorShift& ColorShift() const { return colorShift_; }
    // True unless the system reports major version 5.
    bool NewerSystem() const { return newerSystem_; }
    UpdateLayeredWindowFn UpdateLayeredWindowEntry() const { return updateLayeredWindow_; }
    SetLayeredWindowAttributesFn SetLayeredWindowAttributesEntry() const { return setLayeredWindowAttributes_; }

    // The theme's shared window settings (copied after every package load).
    SkinColor DefaultBorderColor() const { return borderColor_; }
    SkinColor DefaultBackgroundColor() const { return backgroundColor_; }
    const std::wstring& DefaultScrollBarImage() const { return scrollBarImage_; }
    void TakeSharedSettings(const SkinSharedWindowSettings& settings);

    // ----- What the API hooks ask about an attached window -----
    bool GetProcedures(HWND window, void* skin, WNDPROC* underSkin, WNDPROC* classProcedure) noexcept override;
    void SetProcedureUnderSkin(HWND window, void* skin, WNDPROC procedure) noexcept override;
    bool OwnsWindowRegion(HWND window, void* skin) noexcept override;
    bool VisitScrollBars(HWND window, void* skin, ISkinScrollBarsVisit& visit) noexcept override;
    void RedrawScrollBars(HWND window, void* skin) noexcept override;
    ISkinRichEditScrollBars* RichEditScrollBars(HWND window, void* skin) noexcept override;
    HBRUSH FrameBackgroundBrush(HWND window) noexcept override;
    const CSkinDetours& Detours() const { return *detours_; }

private:
    mutable std::mutex mutex_;
    std::unordered_map<HWND, CSkinBase*> objects_;
    std::vector<HWND> frames_;
    std::vector<HWND> controls_;

    HDC screenDc_ = nullptr;
    win::ScopedMemoryDc memoryDc_;
    SkinColorShift colorShift_;
    bool newerSystem_ = true;
    UpdateLayeredWindowFn updateLayeredWindow_ = nullptr;
    SetLayeredWindowAttributesFn setLayeredWindowAttributes_ = nullptr;
    SkinColor borderColor_ = 0;
    SkinColor backgroundColor_ = 0;
    std::wstring scrollBarImage_;
    // Last: the hooks act on the registry above once they are in.
    std::unique_ptr<CSkinDetours> detours_;
};

// The manager, created on the first call.
CSkinWndManager* GetSkinWndManager();
// The manager if some call has created it, else nullptr (for callers on
// other threads that must not create it).
CSkinWndManager* SkinWndManagerIfCreated();

// Lays the composed background of `frame` (a skinned frame) over `rect` of
// `canvas` on the frame's colour, the rectangle's top-left showing the
// frame's client point `from`: copied at alpha 255 or more, blended with
// that constant alpha below, only the colour below 0. False when the frame
// has no composed background.
bool SkinPaintFrameBackground(ISkinCanvas& canvas, CSkinBase& frame, const SkinRect& rect, SkinPair from, int alpha);
