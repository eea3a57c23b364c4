// A push button in a process of its own, for tests that skin a window
// they cannot subclass. Ends when the button is closed, or after 60 s.
#include <windows.h>

int wmain() {
    HWND button = ::CreateWindowExW(0, L"Button", L"foreign button", WS_POPUP | WS_VISIBLE | BS_PUSHBUTTON, 600, 600,
                                    120, 40, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!button) return 1;
    ::SetTimer(nullptr, 1, 60000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (!::IsWindow(button)) break;
    }
    return 0;
}
