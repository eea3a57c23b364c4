#include "hooks/hook_test_host.h"

#include <cstring>

#include "skin/windows/hooks/skin_unhooked_win32.h"

namespace {

const wchar_t kSkinProperty[] = L"TovaneTestSkin";

}  // namespace

int RecordingScrollLayer::Note(const char* name, int result) noexcept {
    try {
        calls.insert(name);
    } catch (...) {
    }
    return result;
}

BOOL RecordingScrollLayer::GetScrollInfo(HWND, int, SCROLLINFO* info) noexcept {
    Note("GetScrollInfo", 0);
    if (!info) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = 0;
        info->nMax = 100;
    }
    if (info->fMask & SIF_PAGE) info->nPage = 10;
    if (info->fMask & SIF_POS) info->nPos = kPosition;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = kTrackPosition;
    return TRUE;
}

BOOL RecordingScrollLayer::GetScrollRange(HWND, int, int* minimum, int* maximum) noexcept {
    Note("GetScrollRange", 0);
    if (minimum) *minimum = 0;
    if (maximum) *maximum = kPosition;
    return TRUE;
}

bool TestHookHost::GetProcedures(HWND, void* skin, WNDPROC* under, WNDPROC* classProcedure) noexcept {
    if (!Of(skin).under) return false;
    *under = Of(skin).under;
    *classProcedure = &TestSkinProcedure;
    return true;
}

void TestHookHost::SetProcedureUnderSkin(HWND, void* skin, WNDPROC procedure) noexcept { Of(skin).under = procedure; }

LRESULT CALLBACK TestSkinProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* skin = static_cast<TestSkin*>(GetPropW(window, kSkinProperty));
    if (!skin || !skin->under) return DefWindowProcW(window, message, wParam, lParam);
    ++skin->messages;
    return CallWindowProcW(skin->under, window, message, wParam, lParam);
}

void AttachTestSkin(HWND window, TestSkin* skin, bool subclass) {
    skin->window = window;
    SetPropW(window, kSkinProperty, skin);
    if (subclass) {
        skin->under = reinterpret_cast<WNDPROC>(
            skin_unhooked::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestSkinProcedure)));
    }
    SkinHookRegisterWindow(window, skin);
}

void DetachTestSkin(HWND window, TestSkin* skin) {
    SkinHookUnregisterWindow(window);
    if (skin->under) {
        skin_unhooked::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(skin->under));
        skin->under = nullptr;
    }
    RemovePropW(window, kSkinProperty);
}

void* ImportedFunction(HMODULE module, const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(module);
    if (!base) return nullptr;
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
        if (_stricmp(reinterpret_cast<char*>(base + d->Name), dll) != 0) continue;
        auto* names =
            reinterpret_cast<IMAGE_THUNK_DATA*>(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) == 0)
                return reinterpret_cast<void*>(slots->u1.Function);
        }
    }
    return nullptr;
}

HWND CreateTestWindow(WNDPROC procedure, HWND parent, DWORD style, int width, int height) {
    // One class per procedure, named after its address.
    wchar_t name[40];
    wsprintfW(name, L"TovaneHookTest%p", reinterpret_cast<void*>(procedure));
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
    return CreateWindowExW(0, name, L"hook test", style, 10, 10, width, height, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
