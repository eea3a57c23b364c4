#include "skin/windows/manager/skin_class_proc_win32.h"

#include "common/win_dpi_win32.h"
#include "skin/picture/skin_animation_binding.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"

LRESULT SkinCallPrevious(CSkinBase& object, const SkinMessage& message) {
    return SkinCallPrevious(object, message.message, message.wParam, message.lParam);
}

LRESULT SkinCallPrevious(CSkinBase& object, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = object.PreviousProc();
    if (!previous) return ::DefWindowProcW(object.Window(), message, wParam, lParam);
    return ::CallWindowProcW(previous, object.Window(), message, wParam, lParam);
}

CSkinBase* SkinObjectOf(HWND window) {
    if (CSkinBase* object = GetSkinWndManager()->Find(window)) return object;
    return static_cast<CSkinBase*>(::GetPropW(window, kSkinPropObject));
}

void SkinDestroyObject(HWND window, CSkinBase* object) {
    CSkinWndManager* manager = GetSkinWndManager();
    // Out of the record first: from here on no other thread reaches it.
    manager->Unregister(window);
    ::RemovePropW(window, kSkinPropObject);
    if (HWND parent = ::GetParent(window))
        if (CSkinBase* frame = manager->Find(parent)) frame->RemoveLayoutChild(window);
    try {
        delete object;
        // Whatever still animates on the window stops with it.
        SkinStopAnimations(window);
    } catch (...) {
    }
}

void SkinFollowWindowDpi(CSkinBase& object) {
    object.SetScale(SkinScale(static_cast<int>(win::WindowDpi(object.Window()))));
}

LRESULT SkinWithoutObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
}
