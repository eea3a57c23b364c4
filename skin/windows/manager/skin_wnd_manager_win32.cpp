#include "skin/windows/manager/skin_wnd_manager_win32.h"

#include <algorithm>
#include <atomic>
#include <cwchar>

#include "skin/platform/skin_graphics.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_richedit_scroll_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"

namespace {

std::atomic<CSkinWndManager*> g_manager{nullptr};

HDC ManagerScreenDc() {
    CSkinWndManager* manager = g_manager.load(std::memory_order_acquire);
    return manager ? manager->ScreenDc() : nullptr;
}

void OnPackageLoaded(CSkinResourceManager& resources) {
    GetSkinWndManager()->TakeSharedSettings(resources.GetSharedWindowSettings());
}

bool OnWindowThread(HWND window) { return ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId(); }

// Marks the parts of a window that hold its bars for repainting: the
// client area of a scroll-bar control, the non-client area of the others.
void InvalidateScrollBars(HWND window) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (std::wcscmp(name, L"ScrollBar") == 0) {
        ::InvalidateRect(window, nullptr, FALSE);
        return;
    }
    SkinInvalidateNonClient(window);
}

void RemoveHandle(std::vector<HWND>& list, HWND window) {
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

}  // namespace

CSkinWndManager::CSkinWndManager() {
    screenDc_ = skin_unhooked::GetDC(nullptr);  // kept for the process's life
    memoryDc_.reset(::CreateCompatibleDC(screenDc_));
    DWORD version = ::GetVersion();
    newerSystem_ = LOBYTE(LOWORD(version)) != 5;
    HMODULE user32 = ::GetModuleHandleW(L"User32");
    if (user32) {
        updateLayeredWindow_ = reinterpret_cast<UpdateLayeredWindowFn>(::GetProcAddress(user32, "UpdateLayeredWindow"));
        setLayeredWindowAttributes_ =
            reinterpret_cast<SetLayeredWindowAttributesFn>(::GetProcAddress(user32, "SetLayeredWindowAttributes"));
    }
    backgroundColor_ = ::GetSysColor(COLOR_BTNFACE);
    // Creating the manager puts the engine in charge of the system's
    // window, paint, region and scroll-bar functions.
    detours_ = std::make_unique<CSkinDetours>(this);
}

void CSkinWndManager::TakeSharedSettings(const SkinSharedWindowSettings& settings) {
    borderColor_ = SkinShiftColor(settings.borderColor, colorShift_);
    backgroundColor_ = SkinShiftColor(settings.backgroundColor, colorShift_);
    scrollBarImage_ = settings.bmpScrollbar;
}

void CSkinWndManager::Register(HWND window, CSkinBase* object, bool frame) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        objects_[window] = object;
        std::vector<HWND>& list = frame ? frames_ : controls_;
        if (std::find(list.begin(), list.end(), window) == list.end()) list.push_back(window);
    }
    SkinHookRegisterWindow(window, object);
}

void CSkinWndManager::Unregister(HWND window) {
    SkinHookUnregisterWindow(window);
    std::lock_guard<std::mutex> lock(mutex_);
    objects_.erase(window);
    RemoveHandle(frames_, window);
    RemoveHandle(controls_, window);
}

// The hooks hand back the object registered with the window; they call on
// any thread, but only while the window is registered.

bool CSkinWndManager::GetProcedures(HWND, void* skin, WNDPROC* underSkin, WNDPROC* classProcedure) noexcept {
    auto* object = static_cast<CSkinBase*>(skin);
    if (!object || !object->ClassProc()) return false;
    *underSkin = object->PreviousProc();
    *classProcedure = object->ClassProc();
    return true;
}

void CSkinWndManager::SetProcedureUnderSkin(HWND, void* skin, WNDPROC procedure) noexcept {
    if (auto* object = static_cast<CSkinBase*>(skin)) object->SetPreviousProc(procedure);
}

bool CSkinWndManager::OwnsWindowRegion(HWND, void* skin) noexcept {
    auto* object = static_cast<CSkinBase*>(skin);
    return object && object->OwnsWindowRegion();
}

bool CSkinWndManager::VisitScrollBars(HWND window, void* skin, ISkinScrollBarsVisit& visit) noexcept {
    try {
        if (OnWindowThread(window)) return skin && static_cast<CSkinBase*>(skin)->VisitScrollBars(visit);
        // Elsewhere the object may be going on its own thread: it is used
        // only while the record holds it.
        return WithObject(window, [&](CSkinBase& object) { return object.VisitScrollBars(visit); });
    } catch (...) {
        return false;
    }
}

void CSkinWndManager::RedrawScrollBars(HWND window, void* skin) noexcept {
    try {
        if (!OnWindowThread(window)) {
            // The window's thread paints; only what holds the bars is marked.
            InvalidateScrollBars(window);
            return;
        }
        if (skin) static_cast<CSkinBase*>(skin)->RedrawScrollBars();
    } catch (...) {
    }
}

ISkinRichEditScrollBars* CSkinWndManager::RichEditScrollBars(HWND window, void*) noexcept {
    return SkinRichEditScrollLayer(window);
}

HBRUSH CSkinWndManager::FrameBackgroundBrush(HWND window) noexcept {
    CSkinBase* object = Find(window);
    return object ? object->FrameBackgroundBrush() : nullptr;
}

CSkinBase* CSkinWndManager::Find(HWND window) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = objects_.find(window);
    return it == objects_.end() ? nullptr : it->second;
}

std::vector<HWND> CSkinWndManager::Frames() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_;
}

std::vector<HWND> CSkinWndManager::Controls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return controls_;
}

CSkinWndManager* GetSkinWndManager() {
    static CSkinWndManager* manager = [] {
        auto* created = new CSkinWndManager();  // never destroyed
        g_manager.store(created, std::memory_order_release);
        SetSkinScreenDcProvider(&ManagerScreenDc);
        CSkinResourceManager::SetPackageLoadedHook(&OnPackageLoaded);
        // A package loaded before the manager existed hands over now.
        created->TakeSharedSettings(GetSkinResourceManager()->GetSharedWindowSettings());
        return created;
    }();
    return manager;
}

CSkinWndManager* SkinWndManagerIfCreated() { return g_manager.load(std::memory_order_acquire); }
