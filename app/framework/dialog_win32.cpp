#include "app/framework/dialog_win32.h"

#include <algorithm>

#include "common/reflected_messages.h"

namespace win {

Dialog::Dialog(HINSTANCE instance, int templateId) : instance_(instance), templateId_(templateId) {}

Dialog::~Dialog() {
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        ::DestroyWindow(hwnd_);
    }
}

bool Dialog::Create(HWND owner) {
    hwnd_ = ::CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), owner, &Dialog::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    return hwnd_ != nullptr;
}

INT_PTR Dialog::DoModal(HWND owner) {
    if (!Create(owner)) return -1;
    if (owner) ::EnableWindow(owner, FALSE);
    ::ShowWindow(hwnd_, SW_SHOW);
    MSG msg;
    while (!ended_) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: hand it back to the caller's loop
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        ProcessMessage(msg);
    }
    if (owner) ::EnableWindow(owner, TRUE);
    ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    reflected_.clear();
    return result_;
}

void Dialog::ProcessMessage(MSG& msg) {
    if (PreTranslateMessage(msg)) return;
    if (hwnd_ && ::IsDialogMessageW(hwnd_, &msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

void Dialog::PumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(msg);
}

void Dialog::ReflectNotifications(HWND control) {
    if (control && !Reflects(control)) reflected_.push_back(control);
}

bool Dialog::Reflects(HWND control) const {
    return control && std::find(reflected_.begin(), reflected_.end(), control) != reflected_.end();
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
    ::PostMessageW(hwnd_, WM_NULL, 0, 0);  // wakes the loop
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    try {
        return self->Dispatch(msg, wParam, lParam);
    } catch (...) {
        return FALSE;  // never let an exception unwind through the system
    }
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            return OnInitDialog() ? TRUE : FALSE;
        case WM_COMMAND: {
            const auto control = reinterpret_cast<HWND>(lParam);
            if (Reflects(control) && ::SendMessageW(control, ReflectedMessage(msg), wParam, lParam)) return TRUE;
            WORD id = LOWORD(wParam);
            if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
            if (id == IDCANCEL || id == IDOK) {  // the system close command ends the dialog
                EndDialog(id);
                return TRUE;
            }
            return FALSE;
        }
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: {
            // The dialog manager takes the brush from the return value itself.
            const auto control = reinterpret_cast<HWND>(lParam);
            if (Reflects(control)) {
                if (LRESULT brush = ::SendMessageW(control, ReflectedMessage(msg), wParam, lParam)) {
                    return static_cast<INT_PTR>(brush);
                }
            }
            LRESULT result = 0;
            return OnMessage(msg, wParam, lParam, result) ? static_cast<INT_PTR>(result) : FALSE;
        }
        default: {
            LRESULT result = 0;
            if (OnMessage(msg, wParam, lParam, result)) {
                ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
                return TRUE;
            }
            return FALSE;
        }
    }
}

}  // namespace win
