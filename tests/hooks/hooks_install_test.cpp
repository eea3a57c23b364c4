// Installation of every hook under Wine: where each function is patched,
// that removal puts every byte back, and that calls from our own code, from
// comctl32 and from user32's own controls all reach the replacements.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "hooks/hook_test_host.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"

namespace {

const char* const kHooked[] = {"SetWindowLongPtrA", "SetWindowLongPtrW", "GetWindowLongPtrA", "GetWindowLongPtrW",
                               "SetWindowRgn",      "BeginPaint",        "EndPaint",          "GetDC",
                               "GetWindowDC",       "ReleaseDC",         "WindowFromDC",      "AnimateWindow",
                               "SetScrollInfo",     "GetScrollInfo",     "SetScrollPos",      "GetScrollPos",
                               "SetScrollRange",    "GetScrollRange",    "ShowScrollBar",     "EnableScrollBar"};

std::string ModuleOf(const void* address) {
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH] = L"?";
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCWSTR>(address), &module))
        GetModuleFileNameW(module, path, MAX_PATH);
    const wchar_t* name = wcsrchr(path, L'\\');
    char out[MAX_PATH];
    WideCharToMultiByte(CP_UTF8, 0, name ? name + 1 : path, -1, out, sizeof out, nullptr, nullptr);
    char offset[32];
    std::snprintf(
        offset, sizeof offset, "+0x%llx",
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(module)));
    return std::string(out) + offset;
}

struct Snapshot {
    std::vector<void*> chain;
    std::vector<std::vector<uint8_t>> bytes;
};

Snapshot Take(const char* name) {
    Snapshot s;
    s.chain =
        skin_hooks::ForwardingChain(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
    for (void* site : s.chain) {
        const auto* p = static_cast<const uint8_t*>(site);
        s.bytes.emplace_back(p, p + skin_hooks::ReadableBytes(site, 32));
    }
    return s;
}

// Every path by which a call of each function was seen at its replacement.
std::map<std::string, std::vector<std::string>> g_reached;
void Reached(const char* function, const char* path) { g_reached[function].push_back(path); }

class HookInstall : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        comctl32_ = GetModuleHandleW(L"comctl32.dll");
    }
    static void TearDownTestSuite() {
        std::printf("\nPaths that reached each replacement:\n");
        for (const char* name : kHooked) {
            std::printf("  %-18s", name);
            for (const std::string& path : g_reached[name]) std::printf(" [%s]", path.c_str());
            std::printf("\n");
        }
    }
    template <class Fn>
    static Fn Comctl32(const char* name) {
        return reinterpret_cast<Fn>(ImportedFunction(comctl32_, "user32.dll", name));
    }

    TestHookHost host_;
    static HMODULE comctl32_;
};
HMODULE HookInstall::comctl32_ = nullptr;

TEST_F(HookInstall, EveryHookIsPatchedWhereEveryCallerPassesAndRemovalRestoresTheBytes) {
    std::vector<Snapshot> before;
    for (const char* name : kHooked) before.push_back(Take(name));
    {
        CSkinDetours detours(&host_);
        ASSERT_TRUE(detours.Active());
        ASSERT_EQ(detours.Hooks().size(), std::size(kHooked));
        std::printf("Hooks:\n");
        for (size_t i = 0; i < detours.Hooks().size(); ++i) {
            const CSkinDetours::Hook& hook = detours.Hooks()[i];
            EXPECT_STREQ(hook.name, kHooked[i]);
            if (!hook.installed) {
                std::printf("  %-18s left out: %s (%s)\n", hook.name, skin_hooks::PatchStatusName(hook.status),
                            skin_hooks::PatchRefusalName(hook.refusal));
                ADD_FAILURE() << hook.name << " was left out";
                continue;
            }
            std::printf("  %-18s %s, %zu bytes moved, %d stub(s) followed\n", hook.name,
                        ModuleOf(hook.patch.entry).c_str(), hook.patch.length, hook.hops);
            // Patched at the end of the forwarding chain, which every caller passes.
            EXPECT_EQ(hook.patch.entry, before[i].chain.back()) << hook.name;
            EXPECT_EQ(hook.patch.entry[0], 0xE9) << hook.name;
            EXPECT_NE(0, std::memcmp(hook.patch.entry, before[i].bytes.back().data(), hook.patch.length));
        }
        // The stub exports of win32u functions are patched in win32u.
        for (const CSkinDetours::Hook& hook : detours.Hooks()) {
            if (!std::strcmp(hook.name, "BeginPaint") || !std::strcmp(hook.name, "SetScrollInfo")) {
                EXPECT_EQ(ModuleOf(hook.patch.entry).rfind("win32u.dll", 0), 0u) << hook.name;
            }
        }
        // A second set cannot take the hooks while the first holds them.
        CSkinDetours second(&host_);
        EXPECT_FALSE(second.Active());
        EXPECT_EQ(second.InstalledCount(), 0);
    }
    for (size_t i = 0; i < before.size(); ++i) {
        const Snapshot after = Take(kHooked[i]);
        ASSERT_EQ(after.chain, before[i].chain) << kHooked[i];
        EXPECT_EQ(after.bytes, before[i].bytes) << kHooked[i] << ": bytes not restored";
    }
    // The engine's unhooked entries are the system functions again.
    EXPECT_EQ(skin_unhooked::BeginPaint, &::BeginPaint);
    EXPECT_EQ(skin_unhooked::SetScrollInfo, &::SetScrollInfo);
}

TEST_F(HookInstall, InstallsAgainAfterRemoval) {
    for (int round = 0; round < 3; ++round) {
        CSkinDetours detours(&host_);
        EXPECT_EQ(detours.InstalledCount(), static_cast<int>(std::size(kHooked)));
        EXPECT_NE(skin_unhooked::BeginPaint, &::BeginPaint);
    }
}

LRESULT CALLBACK PlainProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

TEST_F(HookInstall, WindowProcedureCallsReachTheReplacement) {
    CSkinDetours detours(&host_);
    HWND window = CreateTestWindow(&PlainProcedure);
    TestSkin skin;
    AttachTestSkin(window, &skin);
    const auto plain = reinterpret_cast<LONG_PTR>(&PlainProcedure);
    // The procedure under the skin, never the skin's own, for every caller.
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == plain) Reached("GetWindowLongPtrW", "own");
    if (auto get = Comctl32<decltype(&GetWindowLongPtrW)>("GetWindowLongPtrW");
        get && get(window, GWLP_WNDPROC) == plain)
        Reached("GetWindowLongPtrW", "comctl32");
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&TestSkinProcedure))
        Reached("GetWindowLongPtrA", "own");
    EXPECT_EQ(skin_unhooked::GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TestSkinProcedure));

    // Setting puts the new procedure under the skin and returns the old one under it.
    if (SetWindowLongPtrW(window, GWLP_WNDPROC, plain) == plain && skin.under == &PlainProcedure)
        Reached("SetWindowLongPtrW", "own");
    if (auto set = Comctl32<decltype(&SetWindowLongPtrW)>("SetWindowLongPtrW");
        set && set(window, GWLP_WNDPROC, plain) == plain)
        Reached("SetWindowLongPtrW", "comctl32");
    if (SetWindowLongPtrA(window, GWLP_WNDPROC, plain) != 0 &&
        skin_unhooked::GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TestSkinProcedure))
        Reached("SetWindowLongPtrA", "own");
    if (auto set = Comctl32<decltype(&SetWindowLongPtrA)>("SetWindowLongPtrA");
        set && set(window, GWLP_WNDPROC, plain) != 0 && skin.under != nullptr)
        Reached("SetWindowLongPtrA", "comctl32");
    // comctl32's own subclassing goes under the skin too.
    SUBCLASSPROC subclass = [](HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) -> LRESULT {
        ++*reinterpret_cast<int*>(data);
        return DefSubclassProc(w, m, wp, lp);
    };
    int seen = 0;
    ASSERT_TRUE(SetWindowSubclass(window, subclass, 1, reinterpret_cast<DWORD_PTR>(&seen)));
    EXPECT_EQ(skin_unhooked::GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TestSkinProcedure));
    const int before = skin.messages;
    SendMessageW(window, WM_USER + 1, 0, 0);
    EXPECT_EQ(skin.messages, before + 1);
    if (seen == 1) Reached("SetWindowLongPtrW", "comctl32 SetWindowSubclass");
    RemoveWindowSubclass(window, subclass, 1);
    DetachTestSkin(window, &skin);
    DestroyWindow(window);
    EXPECT_FALSE(g_reached["GetWindowLongPtrW"].empty());
}

TEST_F(HookInstall, RegionAndAnimationCallsReachTheReplacement) {
    CSkinDetours detours(&host_);
    HWND window = CreateTestWindow(&PlainProcedure);
    TestSkin skin;
    skin.ownsRegion = true;
    AttachTestSkin(window, &skin, false);
    auto tryRegion = [&](decltype(&SetWindowRgn) set, const char* path) {
        HRGN region = CreateRectRgn(0, 0, 5, 5);
        // Answered 1, the window keeps no region, the caller's region is gone.
        if (set && set(window, region, FALSE) == 1 && GetWindowRgn(window, CreateRectRgn(0, 0, 0, 0)) == ERROR &&
            GetObjectType(region) == 0)
            Reached("SetWindowRgn", path);
    };
    tryRegion(&SetWindowRgn, "own");
    tryRegion(Comctl32<decltype(&SetWindowRgn)>("SetWindowRgn"), "comctl32");
    DetachTestSkin(window, &skin);
    DestroyWindow(window);

    HWND combo = CreateWindowExW(0, L"ComboBox", L"", WS_OVERLAPPEDWINDOW | CBS_DROPDOWNLIST, 10, 10, 100, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    TestSkin list;
    AttachTestSkin(info.hwndList, &list, false);
    ShowWindow(info.hwndList, SW_SHOWNA);
    // The system refuses to show a window that is shown; the replacement just shows it.
    if (AnimateWindow(info.hwndList, 200, AW_SLIDE | AW_VER_POSITIVE)) Reached("AnimateWindow", "own");
    DetachTestSkin(info.hwndList, &list);
    DestroyWindow(combo);
}

// Paint and device-context records whose functions count their calls.
int g_begin = 0, g_end = 0, g_getDc = 0, g_getWindowDc = 0, g_releaseDc = 0;
HDC CountingBegin(HWND w, PAINTSTRUCT* ps, SkinPaintRedirect*) {
    ++g_begin;
    return skin_unhooked::BeginPaint(w, ps);
}
BOOL CountingEnd(HWND w, const PAINTSTRUCT* ps, SkinPaintRedirect*) {
    ++g_end;
    return skin_unhooked::EndPaint(w, ps);
}
HDC CountingGetDc(HWND w, SkinDcRedirect* record, bool wholeWindow) {
    ++(wholeWindow ? g_getWindowDc : g_getDc);
    HDC dc = wholeWindow ? skin_unhooked::GetWindowDC(w) : skin_unhooked::GetDC(w);
    SkinRedirectedDc entry;
    entry.memory = dc;
    record->handedOut.push_back(std::move(entry));
    return dc;
}
int CountingReleaseDc(HWND w, HDC dc, SkinDcRedirect* record) {
    ++g_releaseDc;
    record->handedOut.clear();
    return skin_unhooked::ReleaseDC(w, dc);
}

struct CountingRecords {
    SkinPaintRedirect paint;
    SkinDcRedirect dc;
    CountingRecords() {
        paint.beginPaint = &CountingBegin;
        paint.endPaint = &CountingEnd;
        dc.getDc = &CountingGetDc;
        dc.releaseDc = &CountingReleaseDc;
        dc.active = true;
    }
};

void ExpectCounts(const char* path, int begin, int end, int getDc, int getWindowDc, int releaseDc) {
    if (g_begin > begin) Reached("BeginPaint", path);
    if (g_end > end) Reached("EndPaint", path);
    if (g_getDc > getDc) Reached("GetDC", path);
    if (g_getWindowDc > getWindowDc) Reached("GetWindowDC", path);
    if (g_releaseDc > releaseDc) Reached("ReleaseDC", path);
}

template <typename Calls>
void Counted(const char* path, Calls&& calls) {
    const int b = g_begin, e = g_end, d = g_getDc, wd = g_getWindowDc, r = g_releaseDc;
    calls();
    ExpectCounts(path, b, e, d, wd, r);
}

LRESULT CALLBACK PaintingProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

TEST_F(HookInstall, PaintAndDeviceContextCallsReachTheReplacement) {
    CSkinDetours detours(&host_);
    CountingRecords records;
    HWND window = CreateTestWindow(&PaintingProcedure, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TestSkin skin;
    skin.paint = &records.paint;
    skin.dc = &records.dc;
    AttachTestSkin(window, &skin, false);
    Counted("own", [&] {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        ReleaseDC(window, GetDC(window));
        ReleaseDC(window, GetWindowDC(window));
    });
    Counted("comctl32", [&] {
        PAINTSTRUCT ps;
        Comctl32<decltype(&BeginPaint)>("BeginPaint")(window, &ps);
        Comctl32<decltype(&EndPaint)>("EndPaint")(window, &ps);
        auto release = Comctl32<decltype(&ReleaseDC)>("ReleaseDC");
        release(window, Comctl32<decltype(&GetDC)>("GetDC")(window));
        release(window, Comctl32<decltype(&GetWindowDC)>("GetWindowDC")(window));
    });
    // WindowFromDC knows the engine's memory contexts, from every caller.
    HDC memory = CreateCompatibleDC(nullptr);
    SkinRegisterMemoryDc(memory, window);
    if (WindowFromDC(memory) == window) Reached("WindowFromDC", "own");
    SkinUnregisterMemoryDc(memory);
    EXPECT_EQ(WindowFromDC(memory), nullptr);
    DeleteDC(memory);
    DetachTestSkin(window, &skin);
    DestroyWindow(window);

    // user32's and comctl32's own controls paint through the hooks too.
    struct Control {
        const wchar_t* className;
        const char* path;
    };
    for (const Control& c : {Control{L"Edit", "user32 Edit"}, Control{L"ListBox", "user32 ListBox"},
                             Control{L"SysListView32", "comctl32 ListView"}}) {
        HWND control = CreateWindowExW(0, c.className, L"text", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 150, 100,
                                       nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(control) << c.path;
        TestSkin controlSkin;
        controlSkin.paint = &records.paint;
        controlSkin.dc = &records.dc;
        AttachTestSkin(control, &controlSkin, false);
        Counted(c.path, [&] {
            InvalidateRect(control, nullptr, TRUE);
            UpdateWindow(control);
            SetFocus(control);  // the edit box makes its caret with a device context
            PumpMessages();
        });
        DetachTestSkin(control, &controlSkin);
        DestroyWindow(control);
    }
    EXPECT_FALSE(g_reached["BeginPaint"].empty());
}

TEST_F(HookInstall, ScrollBarCallsReachTheReplacement) {
    CSkinDetours detours(&host_);
    HWND window = CreateTestWindow(&PlainProcedure, nullptr, WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    RecordingScrollLayer layer;
    TestSkin skin;
    skin.richEdit = &layer;
    AttachTestSkin(window, &skin, false);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 100, 10, 3, 0};
    int low = 0, high = 0;
    auto callAll = [&](auto setInfo, auto getInfo, auto setPos, auto getPos, auto setRange, auto getRange, auto show,
                       auto enable) {
        layer.calls.clear();
        setInfo(window, SB_VERT, &info, TRUE);
        getInfo(window, SB_VERT, &info);
        setPos(window, SB_VERT, 5, TRUE);
        getPos(window, SB_VERT);
        setRange(window, SB_VERT, 0, 50, TRUE);
        getRange(window, SB_VERT, &low, &high);
        show(window, SB_VERT, TRUE);
        enable(window, SB_VERT, ESB_ENABLE_BOTH);
    };
    auto note = [&](const char* path) {
        for (const std::string& call : layer.calls) Reached(call.c_str(), path);
    };
    callAll(&SetScrollInfo, &GetScrollInfo, &SetScrollPos, &GetScrollPos, &SetScrollRange, &GetScrollRange,
            &ShowScrollBar, &EnableScrollBar);
    note("own");
    EXPECT_EQ(layer.calls.size(), 8u);
    callAll(Comctl32<decltype(&SetScrollInfo)>("SetScrollInfo"), Comctl32<decltype(&GetScrollInfo)>("GetScrollInfo"),
            Comctl32<decltype(&SetScrollPos)>("SetScrollPos"), Comctl32<decltype(&GetScrollPos)>("GetScrollPos"),
            Comctl32<decltype(&SetScrollRange)>("SetScrollRange"),
            Comctl32<decltype(&GetScrollRange)>("GetScrollRange"), Comctl32<decltype(&ShowScrollBar)>("ShowScrollBar"),
            Comctl32<decltype(&EnableScrollBar)>("EnableScrollBar"));
    note("comctl32");
    EXPECT_EQ(layer.calls.size(), 8u);
    DetachTestSkin(window, &skin);
    DestroyWindow(window);

    // user32's edit box sets its bar through an internal stub of
    // NtUserSetScrollInfo and reads it with GetScrollPos.
    HWND edit = CreateWindowExW(0, L"Edit", L"", WS_OVERLAPPEDWINDOW | WS_VSCROLL | ES_MULTILINE, 10, 10, 150, 100,
                                nullptr, nullptr, nullptr, nullptr);
    TestSkin editSkin;
    editSkin.richEdit = &layer;
    AttachTestSkin(edit, &editSkin, false);
    layer.calls.clear();
    std::wstring text;
    for (int i = 0; i < 50; ++i) text += L"line\r\n";
    SetWindowTextW(edit, text.c_str());
    // EM_GETTHUMB answers from GetScrollPos: the replacement's value.
    EXPECT_EQ(LOWORD(SendMessageW(edit, EM_GETTHUMB, 0, 0)), RecordingScrollLayer::kPosition);
    note("user32 Edit");
    EXPECT_TRUE(layer.calls.count("SetScrollInfo"));
    EXPECT_TRUE(layer.calls.count("GetScrollPos"));
    DetachTestSkin(edit, &editSkin);
    DestroyWindow(edit);

    // user32's list box sets its bar the same way and reads the track
    // position with GetScrollInfo when the thumb is dragged.
    HWND list = CreateWindowExW(0, L"ListBox", L"", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 10, 10, 150, 100, nullptr,
                                nullptr, nullptr, nullptr);
    TestSkin listSkin;
    listSkin.richEdit = &layer;
    AttachTestSkin(list, &listSkin, false);
    layer.calls.clear();
    for (int i = 0; i < 50; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), RecordingScrollLayer::kTrackPosition);
    note("user32 ListBox");
    EXPECT_TRUE(layer.calls.count("SetScrollInfo"));
    EXPECT_TRUE(layer.calls.count("GetScrollInfo"));
    DetachTestSkin(list, &listSkin);
    DestroyWindow(list);
}

}  // namespace
