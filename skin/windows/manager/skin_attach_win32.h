// Attaching skin objects to windows: the attach operation of each skin
// class, chosen by the window-kind table.
#pragma once

#include <windows.h>

#include <string>

#include "skin/windows/manager/skin_dispatch.h"

// Attaches (or re-applies) the description `skinId` of the kind's theme
// class. 1 on success; 0 when the kind is not skinned (yet) or the theme
// has no such description, the window keeping what it had.
int SkinAttach(SkinWindowKind kind, HWND window, const std::wstring& skinId, void* userValue);

// Attaches by the window's control id printed as a number.
int SetWindowSkinByCtrlId(HWND window);
