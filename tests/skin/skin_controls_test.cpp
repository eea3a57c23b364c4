// Push-button and static skins under Wine: faces by state with real mouse
// input, texts as drawn, tool tips, run-time properties, re-skinning, and
// what painting costs in GDI objects; the property setter from threads.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "skin/platform/skin_graphics.h"
#include "skin/skin_test_dialog.h"
#include "skin/spy_graphics.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/manager/skin_attach_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

using namespace skin_test;

namespace {

constexpr int kWidth = 509, kHeight = 253;
// A point on the status face away from its text and rounded corners.
constexpr int kFaceX = 20, kFaceY = 21;

class SkinControls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadInstallerSkin());
        dialog_ = std::make_unique<TestDialog>(kWidth, kHeight, InstallerControls(kWidth - 6));
        ASSERT_TRUE(dialog_->hwnd());
        status_ = dialog_->Item(kStatusId);
        close_ = dialog_->Item(kCloseId);
        min_ = dialog_->Item(kMinId);
        footer_ = dialog_->Item(kFooterId);
        MoveMouseAway();
    }
    void TearDown() override {
        MoveMouseAway();
        dialog_.reset();
    }
    // The status face shows `imageId` at the sample point.
    bool FaceShows(const wchar_t* imageId) {
        return Near(ClientPixel(status_, kFaceX, kFaceY), PictureColor(imageId, kFaceX, kFaceY), 2);
    }
    bool SkinStatus() {
        return SetWindowSkin(status_, L"standard.buttton") == 1 &&
               SetSkinProperty(status_, L"text", L"请连接你的苹果设备", 1) == 1;
    }

    std::unique_ptr<TestDialog> dialog_;
    HWND status_ = nullptr, close_ = nullptr, min_ = nullptr, footer_ = nullptr;
};

TEST_F(SkinControls, StatusButtonFollowsTheMouseThroughItsFaces) {
    ASSERT_TRUE(SkinStatus());
    // One face per state, so each state can be told apart on screen.
    ASSERT_EQ(SetSkinProperty(status_, L"normal", L"btn_warning", 1), 1);
    ASSERT_EQ(SetSkinProperty(status_, L"over", L"btn_install", 1), 1);
    ASSERT_EQ(SetSkinProperty(status_, L"down", L"btn_done_s", 1), 1);
    Repaint(status_);
    EXPECT_TRUE(FaceShows(L"btn_warning"));

    MoveMouseTo(status_, 200, 20);
    EXPECT_TRUE(PumpUntil([&] { return FaceShows(L"btn_install"); }, 2000)) << "no hover face";
    MouseDown();
    EXPECT_TRUE(PumpUntil([&] { return FaceShows(L"btn_done_s"); }, 2000)) << "no pressed face";
    MouseUp();
    EXPECT_TRUE(PumpUntil([&] { return FaceShows(L"btn_install"); }, 2000)) << "release did not end the press";
    MoveMouseAway();
    // Wine polls for the mouse leaving.
    EXPECT_TRUE(PumpUntil([&] { return FaceShows(L"btn_warning"); }, 3000)) << "the hover face stuck";
}

TEST_F(SkinControls, DisabledButtonIsNeverOverOrDown) {
    ASSERT_TRUE(SkinStatus());
    SetSkinProperty(status_, L"over", L"btn_install", 0);
    SetSkinProperty(status_, L"down", L"btn_done_s", 0);
    ::EnableWindow(status_, FALSE);
    MoveMouseTo(status_, 200, 20);
    MouseDown();
    Pump(200);
    EXPECT_FALSE(FaceShows(L"btn_install"));
    EXPECT_FALSE(FaceShows(L"btn_done_s"));
    MouseUp();
    ::EnableWindow(status_, TRUE);
}

TEST_F(SkinControls, StatusTextIsWhiteBoldCentredOnceAndReadableByOthers) {
    SpyGraphics spy;
    ASSERT_TRUE(SkinStatus());
    spy.Clear();
    Repaint(status_);
    std::vector<SpyGraphics::Text> texts = spy.Texts();
    ASSERT_EQ(texts.size(), 1u) << "the text is drawn once, not doubled by the window text";
    EXPECT_EQ(texts[0].text, L"请连接你的苹果设备");
    EXPECT_EQ(texts[0].color, 0xFFFFFFu);
    EXPECT_EQ(texts[0].format,
              kSkinDtCenter | kSkinDtVCenter | kSkinDtSingleLine | kSkinDtEndEllipsis | kSkinDtNoPrefix);
    EXPECT_EQ(texts[0].font, GetSkinResourceManager()->GetFontHandle(L"default_title_bold"));
    EXPECT_NE(texts[0].font, nullptr);

    // What a screen reader (or another program) reads is the shown text.
    SetSkinProperty(status_, L"text", L"点击安装到:Demo iPhone", 1);
    wchar_t buffer[64] = {};
    ::SendMessageW(status_, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buffer));
    EXPECT_STREQ(buffer, L"点击安装到:Demo iPhone");
    EXPECT_EQ(::SendMessageW(status_, WM_GETTEXTLENGTH, 0, 0), 17);
}

TEST_F(SkinControls, EmptyTextShowsTheCaptionAndRedrawZeroWaitsForThePaint) {
    SpyGraphics spy;
    ASSERT_TRUE(SkinStatus());
    ::SetWindowTextW(status_, L"caption");
    ASSERT_EQ(SetSkinProperty(status_, L"text", L"", 1), 1);
    spy.Clear();
    Repaint(status_);
    std::vector<SpyGraphics::Text> texts = spy.Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].text, L"caption");  // the text item falls back to the caption

    ::SetWindowTextW(status_, L"");
    SetSkinProperty(status_, L"text", L"first", 1);
    Repaint(status_);
    spy.Clear();
    ASSERT_EQ(SetSkinProperty(status_, L"text", L"second", 0), 1);
    Pump(100);
    EXPECT_TRUE(spy.Texts().empty()) << "redraw 0 must not repaint";
    Repaint(status_);
    ASSERT_FALSE(spy.Texts().empty());
    EXPECT_EQ(spy.Texts().back().text, L"second");
}

TEST_F(SkinControls, PropertyNamesAreTheItemIdsOfEachButton) {
    ASSERT_TRUE(SkinStatus());
    ASSERT_EQ(SetWindowSkin(close_, L"sysbtn.close"), 1);
    // The status button has no "close.over"; the close button has it.
    EXPECT_EQ(SetSkinProperty(status_, L"close.over", L"btn_install", 1), 0);
    EXPECT_EQ(SetSkinProperty(status_, L"missing", L"x", 1), 0);
    EXPECT_EQ(SetSkinProperty(nullptr, L"text", L"x", 1), 0);
    EXPECT_EQ(SetSkinProperty(status_, nullptr, L"x", 1), 0);
    EXPECT_EQ(SetSkinProperty(footer_, L"text", L"x", 1), 0);  // not skinned
    // "over" alone: only the hover face changes.
    ASSERT_EQ(SetSkinProperty(status_, L"over", L"btn_install", 1), 1);
    Repaint(status_);
    EXPECT_TRUE(FaceShows(L"btn_warning"));
    MoveMouseTo(status_, 200, 20);
    EXPECT_TRUE(PumpUntil([&] { return FaceShows(L"btn_install"); }, 2000));
    MoveMouseAway();

    // The close button shows the minimise button's pressed face when told.
    ASSERT_EQ(SetSkinProperty(close_, L"close.down", L"btn_min_down", 1), 1);
    HBITMAP minDown = GetSkinResourceManager()->GetImage(L"btn_min_down")->GetBitmapHandle();
    ASSERT_NE(minDown, nullptr);
    SpyGraphics spy;
    MoveMouseTo(close_, 20, 11);
    MouseDown();
    auto drawn = [&] {
        std::vector<HBITMAP> sources = spy.Sources();
        return std::find(sources.begin(), sources.end(), minDown) != sources.end();
    };
    EXPECT_TRUE(PumpUntil(drawn, 2000));
    MouseUp();
}

TEST_F(SkinControls, SkinningTwiceKeepsOneObjectWithTheSecondDescription) {
    ASSERT_EQ(SetWindowSkin(close_, L"sysbtn.close"), 1);
    void* first = ::GetPropW(close_, kSkinPropObject);
    ASSERT_NE(first, nullptr);
    auto proc = ::GetWindowLongPtrW(close_, GWLP_WNDPROC);
    ASSERT_EQ(SetWindowSkin(close_, L"sysbtn.min"), 1);
    EXPECT_EQ(::GetPropW(close_, kSkinPropObject), first);
    EXPECT_EQ(::GetWindowLongPtrW(close_, GWLP_WNDPROC), proc);
    EXPECT_EQ(static_cast<CSkinBase*>(first)->SkinId(), L"sysbtn.min");
    // An id the theme lacks leaves the second skin in place.
    EXPECT_EQ(SetWindowSkin(close_, L"no.such.id"), 0);
    EXPECT_EQ(static_cast<CSkinBase*>(first)->SkinId(), L"sysbtn.min");
}

TEST_F(SkinControls, OnlySkinnableWindowKindsAreSkinned) {
    HWND owner = ::CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 100, 40, 20,
                                   dialog_->hwnd(), nullptr, nullptr, nullptr);
    EXPECT_EQ(SetWindowSkin(owner, L"standard.buttton"), 0);
    EXPECT_EQ(::GetPropW(owner, kSkinPropObject), nullptr);
    EXPECT_EQ(SetWindowSkin(status_, nullptr), 0);
    EXPECT_EQ(SetWindowSkin(nullptr, L"standard.buttton"), 0);
    ::DestroyWindow(owner);
}

TEST_F(SkinControls, ToolTipsShowTheThemeTexts) {
    ASSERT_EQ(SetWindowSkin(close_, L"sysbtn.close"), 1);
    ASSERT_EQ(SetWindowSkin(min_, L"sysbtn.min"), 1);
    auto tipText = [](HWND owner) -> std::wstring {
        // The tool tip whose one tool is the button.
        for (HWND w = ::FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
             w = ::FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
            wchar_t text[80] = {};
            TOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.lpszText = text;
            if (!::SendMessageW(w, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)) || tool.hwnd != owner) continue;
            return text;
        }
        return L"";
    };
    MoveMouseTo(close_, 20, 11);
    MoveMouseTo(close_, 21, 12);
    EXPECT_EQ(tipText(close_), L"退出");
    MoveMouseTo(min_, 18, 11);
    MoveMouseTo(min_, 19, 12);
    EXPECT_EQ(tipText(min_), L"最小化");
    // A press closes the tip; the next move with the button up brings it back.
    MouseDown();
    EXPECT_EQ(tipText(min_), L"");
    MouseUp();
    MoveMouseTo(min_, 20, 12);
    EXPECT_EQ(tipText(min_), L"最小化");
}

TEST_F(SkinControls, FocusedButtonStillShowsTheNormalFace) {
    ASSERT_TRUE(SkinStatus());
    ::SetFocus(status_);
    Repaint(status_);
    EXPECT_TRUE(FaceShows(L"btn_warning"));
    // Focus moving on restyles the button; the system face never shows.
    ::SetFocus(close_);
    Pump(50);
    ::SetFocus(status_);
    Pump(50);
    EXPECT_TRUE(FaceShows(L"btn_warning"));
}

TEST_F(SkinControls, PlainStaticDrawsBlackTextOnItsParentsBackground) {
    SpyGraphics spy;
    ASSERT_EQ(SetWindowSkin(footer_, L"standard.static.normal"), 1);
    ::SetWindowTextW(footer_, L"footer");
    Repaint(footer_);
    bool found = false;
    for (const SpyGraphics::Text& t : spy.Texts())
        if (t.text == L"footer") {
            found = true;
            EXPECT_EQ(t.color, 0u);
            EXPECT_EQ(t.format & 3u, static_cast<uint32_t>(kSkinDtCenter));
        }
    EXPECT_TRUE(found);
    // The unskinned dialog's face stands behind it.
    EXPECT_TRUE(Near(ClientPixel(footer_, 2, 2), Rgb(::GetSysColor(COLOR_BTNFACE)), 2));
}

TEST_F(SkinControls, PaintingLeavesNoGdiObjectBehind) {
    ASSERT_TRUE(SkinStatus());
    ASSERT_EQ(SetWindowSkin(footer_, L"standard.static.normal"), 1);
    // Pictures keep what they compose from their second paint on: count
    // from the third.
    for (int i = 0; i < 2; ++i) {
        Repaint(status_);
        Repaint(footer_);
    }
    long before = SkinGraphics().LiveObjects();
    for (int i = 0; i < 10000; ++i) {
        ::InvalidateRect(status_, nullptr, FALSE);
        ::UpdateWindow(status_);
        ::InvalidateRect(footer_, nullptr, FALSE);
        ::UpdateWindow(footer_);
    }
    EXPECT_EQ(SkinGraphics().LiveObjects(), before);
}

TEST_F(SkinControls, PropertiesFromFourThreadsNeverTearTheText) {
    SpyGraphics spy;
    ASSERT_TRUE(SkinStatus());
    const std::vector<std::wstring> values = {L"正在下载:12.50%", L"安装完毕,请重启手机,使安装生效!",
                                              L"点击安装到:A much longer device name for this test", L"x"};
    std::atomic<bool> go{false};
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&, t] {
            while (!go) std::this_thread::yield();
            for (int i = 0; i < 10000; ++i) SetSkinProperty(status_, L"text", values[(t + i) % 4].c_str(), 1);
        });
    }
    go = true;
    for (int i = 0; i < 300; ++i) {
        ::InvalidateRect(status_, nullptr, FALSE);
        ::UpdateWindow(status_);
    }
    for (std::thread& w : workers) w.join();
    Repaint(status_);
    std::set<std::wstring> allowed(values.begin(), values.end());
    allowed.insert(L"请连接你的苹果设备");
    int painted = 0;
    for (const SpyGraphics::Text& t : spy.Texts()) {
        EXPECT_TRUE(allowed.count(t.text)) << "torn text";
        ++painted;
    }
    EXPECT_GT(painted, 100);
}

TEST_F(SkinControls, AWindowThatCannotBeSubclassedIsLeftAsItWas) {
    // Another process's window: the property can be set, subclassing fails.
    std::string exe = FOREIGN_WINDOW_EXE;
    std::wstring path(exe.begin(), exe.end());
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    path = L"Z:" + path;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + path + L"\"";
    ASSERT_TRUE(::CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process));
    HWND foreign = nullptr;
    PumpUntil([&] { return (foreign = ::FindWindowW(L"Button", L"foreign button")) != nullptr; }, 10000);
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(SetWindowSkin(foreign, L"standard.buttton"), 0);
    EXPECT_EQ(::GetPropW(foreign, kSkinPropObject), nullptr);
    EXPECT_FALSE(GetSkinWndManager()->IsAttached(foreign));
    EXPECT_EQ(SetSkinProperty(foreign, L"text", L"x", 1), 0);
    ::PostMessageW(foreign, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(process.hProcess, 5000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

TEST_F(SkinControls, DestroyingASkinnedWindowDetachesIt) {
    HWND extra = ::CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE, 0, 150, 40, 20, dialog_->hwnd(), nullptr,
                                   nullptr, nullptr);
    ASSERT_EQ(SetWindowSkin(extra, L"sysbtn.close"), 1);
    EXPECT_TRUE(GetSkinWndManager()->IsAttached(extra));
    ::DestroyWindow(extra);
    EXPECT_FALSE(GetSkinWndManager()->IsAttached(extra));
    EXPECT_EQ(SetSkinProperty(extra, L"close.over", L"x", 1), 0);
}

}  // namespace
