// Windows-only hooks of the theme loader's platform layer.
#pragma once

#include <windows.h>

// Window class of the skinned drop-down list of combo boxes (trailing space
// intended: it must not clash with the system's "ComboLBox").
constexpr const wchar_t* kSkinComboListClassName = L"ComboLBox ";

// Installs the window procedure of the skinned combo-box list; until then
// windows of the class behave like DefWindowProc.
void SetSkinComboListWindowProc(WNDPROC proc);
