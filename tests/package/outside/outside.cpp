// A program that uses the installed skin engine: it loads the skin package
// from its own resources, skins a window and a push button, and checks on
// screen that the button shows the theme's picture.
//   outside.exe SKIN-ID RRGGBB
// exits 0 when the button shows colour RRGGBB at its top middle, 3 when a
// skin is refused, 4 when the colour is another.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

#include <tovane/skin_api.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv || argc != 3) return 2;
    const wchar_t* skinId = argv[1];
    unsigned long expected = std::wcstoul(argv[2], nullptr, 16);

    if (LoadSkinResource(L"DATA", 129, nullptr) != 1) return 3;
    HWND window = ::CreateWindowExW(0, L"#32770", L"Outside", WS_POPUP | WS_VISIBLE, 50, 50, 300, 120, nullptr, nullptr,
                                    instance, nullptr);
    HWND button = ::CreateWindowExW(0, L"Button", L"Skinned", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 40, 40, 120, 30,
                                    window, nullptr, instance, nullptr);
    if (!window || !button || SetWindowSkin(button, skinId) != 1) return 3;
    ::SetForegroundWindow(window);
    // Paints now, the button's skinned paint among them.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    POINT p{60, 2};
    ::ClientToScreen(button, &p);
    HDC screen = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    unsigned long shown = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
    std::printf("outside: the button shows %06lX, the theme's picture is %06lX\n", shown, expected);
    ::DestroyWindow(window);
    ::LocalFree(argv);
    return shown == expected ? 0 : 4;
}
