// A module with cursor resource 106 whose start-up code leaves a mark in the
// environment: the cursor test loads it and checks that no code of it ran.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) ::SetEnvironmentVariableW(L"TOVANE_CURSOR_MODULE_RAN", L"1");
    return TRUE;
}
