#include "skin/windows/manager/skin_wnd_manager.h"

#include <algorithm>
#include <atomic>

#include "skin/resources/skin_graphics.h"
#include "skin/resources/skin_resource_manager.h"
#include "skin/windows/hooks/skin_unhooked.h"

namespace {

std::atomic<CSkinWndManager*> g_manager{nullptr};

HDC ManagerScreenDc() {
    CSkinWndManager* manager = g_manager.load(std::memory_order_acquire);
    return manager ? manager->ScreenDc() : nullptr;
}

void OnPackageLoaded(CSkinResourceManager& resources) {
    GetSkinWndManager()->TakeSharedSettings(resources.GetSharedWindowSettings());
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
        updateLayeredWindow_ =
            reinterpret_cast<UpdateLayeredWindowFn>(::GetProcAddress(user32, "UpdateLayeredWindow"));
        setLayeredWindowAttributes_ =
            reinterpret_cast<SetLayeredWindowAttributesFn>(::GetProcAddress(user32, "SetLayeredWindowAttributes"));
    }
    backgroundColor_ = ::GetSysColor(COLOR_BTNFACE);
}

void CSkinWndManager::TakeSharedSettings(const SkinSharedWindowSettings& settings) {
    borderColor_ = SkinShiftColor(settings.borderColor, colorShift_);
    backgroundColor_ = SkinShiftColor(settings.backgroundColor, colorShift_);
    scrollBarImage_ = settings.bmpScrollbar;
}

void CSkinWndManager::Register(HWND window, CSkinBase* object, bool frame) {
    std::lock_guard<std::mutex> lock(mutex_);
    objects_[window] = object;
    std::vector<HWND>& list = frame ? frames_ : controls_;
    if (std::find(list.begin(), list.end(), window) == list.end()) list.push_back(window);
}

void CSkinWndManager::Unregister(HWND window) {
    std::lock_guard<std::mutex> lock(mutex_);
    objects_.erase(window);
    RemoveHandle(frames_, window);
    RemoveHandle(controls_, window);
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
