/* Keeps Wine's desktop process (explorer.exe /desktop) alive for a whole
 * test session. Wine closes the desktop about a second after its last user
 * goes, and the next program that needs one starts it again with that
 * program's standard error, which the desktop then holds open: CTest, which
 * waits for the end of a test's output, waits for the desktop to end.
 * Started detached by wine-session.sh, this program uses the desktop first
 * and stays until the session stops it. Its window is never shown.
 *
 * Usage: wine-desktop-holder.exe READY-FILE (written once the desktop is in use) */
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR command_line, int show) {
    (void)previous;
    (void)show;
    WNDCLASSW cls = {0};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = instance;
    cls.lpszClassName = L"TovaneWineDesktopHolder";
    if (!RegisterClassW(&cls)) return 1;
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, instance, NULL);
    if (!window) return 1;
    GetDesktopWindow();

    int argc = 0;
    PWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    (void)command_line;
    if (argv && argc > 1) {
        HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    }
    LocalFree(argv);

    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
