#include <windows.h>

#include "app/instl_app_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CInstlApp app(instance);
    const int code = app.Run();
    // Workers may still run: end them with the process before any static
    // object is torn down beneath them. Nothing is saved on the way out.
    ::ExitProcess(static_cast<UINT>(code));
}
