// The Win32 side of the theme loader: real fonts, cursors, system colours
// and the combo-box list class.
#include <gtest/gtest.h>

#include <windows.h>

#include "skin/platform/skin_platform.h"
#include "skin/platform/skin_platform_win32.h"
#include "skin/theme/skin_resource_manager.h"
#include "theme_test_support.h"

TEST(ThemePlatformWin32, FontsAreCreatedWithTheItemsAttributes) {
    ISkinPlatform& platform = DefaultSkinPlatform();
    SkinFontSpec fontSpec;
    fontSpec.face = L"Arial";
    fontSpec.height = 16;
    fontSpec.bold = true;
    fontSpec.underline = true;
    SkinPlatformHandle font(&platform, ISkinPlatform::HandleKind::Font, platform.CreateFontHandle(fontSpec));
    ASSERT_NE(font.get(), nullptr);
    LOGFONTW info = {};
    ASSERT_EQ(GetObjectW(static_cast<HFONT>(font.get()), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lfHeight, 16);
    EXPECT_EQ(info.lfWeight, FW_BOLD);
    EXPECT_TRUE(info.lfUnderline);
    EXPECT_EQ(info.lfQuality, PROOF_QUALITY);
    EXPECT_STREQ(info.lfFaceName, L"Arial");
    fontSpec.height = 0;
    EXPECT_EQ(platform.CreateFontHandle(fontSpec), nullptr);
}

TEST(ThemePlatformWin32, SystemCursorsAreOwnedCopies) {
    ISkinPlatform& platform = DefaultSkinPlatform();
    void* arrow = platform.LoadSystemCursor(32512);
    ASSERT_NE(arrow, nullptr);
    EXPECT_NE(arrow, static_cast<void*>(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512))));
    platform.ReleaseHandle(ISkinPlatform::HandleKind::Cursor, arrow);
    EXPECT_EQ(platform.LoadSystemCursor(1), nullptr);
    // No help program cursor of that name: the holder stays empty.
    EXPECT_EQ(platform.LoadHelpProgramCursor(L"NO_SUCH_CURSOR"), nullptr);
}

TEST(ThemePlatformWin32, ColoursVersionAndComboListClass) {
    ISkinPlatform& platform = DefaultSkinPlatform();
    EXPECT_EQ(platform.SystemColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
    EXPECT_GE(platform.OsMajorVersion(), 5);

    // The first theme load registers the class; the system's own list class
    // (without the trailing space) is a different one.
    CSkinResourceManager manager;
    auto reader = theme_test::EmptyPackage();
    CSkinXmlDocument doc;
    doc.LoadText(L"<theme/>");
    manager.LoadTheme(doc, *reader);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), kSkinComboListClassName, &wc));
    EXPECT_EQ(wc.style & (CS_HREDRAW | CS_VREDRAW), static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));

    // Windows of the class run the procedure installed later.
    static int calls = 0;
    SetSkinComboListWindowProc([](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER + 7) ++calls;
        return DefWindowProcW(w, m, wp, lp);
    });
    HWND window = CreateWindowExW(0, kSkinComboListClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_USER + 7, 0, 0);
    DestroyWindow(window);
    SetSkinComboListWindowProc(nullptr);
    EXPECT_EQ(calls, 1);
}
