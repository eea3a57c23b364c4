// The main window on its own: its template and sizes, start-up with and
// without the device libraries, the caption buttons, the key filter, the drag
// area and status texts set from another thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/form_main_win32.h"
#include "common/win_bitmap_info.h"
#include "common/win_handles.h"
#include "net/remote_file.h"
#include "support/win_test_support.h"

namespace {

struct Recorder {
    int loads = 0;
    void* context = nullptr;
    apple::DeviceEventHandler handler = nullptr;
    bool librariesLoad = true;
    std::vector<UINT> terminations;
    std::vector<std::wstring> boxes, titles;
    std::vector<HWND> owners;
};

class FormMainTest : public ::testing::Test {
protected:
    FormMain::Services Services() {
        FormMain::Services s;
        s.loadDeviceLibraries = [this](apple::DeviceEventHandler handler, void* context) {
            ++rec.loads;
            rec.handler = handler;
            rec.context = context;
            return rec.librariesLoad;
        };
        s.terminateProcess = [this](UINT code) { rec.terminations.push_back(code); };
        s.messageBox = [this](HWND owner, const wchar_t* text, const wchar_t* title) {
            rec.owners.push_back(owner);
            rec.boxes.push_back(text);
            rec.titles.push_back(title);
        };
        return s;
    }
    FormMain& Open() {
        form = std::make_unique<FormMain>(::GetModuleHandleW(nullptr), Services());
        EXPECT_TRUE(form->Create());
        ::ShowWindow(form->hwnd(), SW_SHOWNORMAL);
        ::SetForegroundWindow(form->hwnd());
        form->PumpPending();
        return *form;
    }
    static std::wstring Text(HWND w) {
        wchar_t buffer[512] = {};
        ::GetWindowTextW(w, buffer, 512);
        return buffer;
    }
    static SIZE SizeOf(HWND w) {
        RECT r{};
        ::GetWindowRect(w, &r);
        return {r.right - r.left, r.bottom - r.top};
    }

    Recorder rec;
    std::unique_ptr<FormMain> form;
};

TEST_F(FormMainTest, StartsWithItsTemplateSizesAndWaitingText) {
    FormMain& f = Open();
    EXPECT_EQ(Text(f.hwnd()), L"Tovane在线安装程序");
    EXPECT_EQ(SizeOf(f.hwnd()).cx, 509);
    EXPECT_EQ(SizeOf(f.hwnd()).cy, 253);
    EXPECT_EQ(SizeOf(f.Item(kStatusButtonId)).cx, 399);
    EXPECT_EQ(SizeOf(f.Item(kStatusButtonId)).cy, 42);
    EXPECT_EQ(Text(f.Item(kStatusButtonId)), L"请连接你的苹果设备");
    EXPECT_EQ(Text(f.Item(kForumLinkId)), L"Norrim论坛");
    EXPECT_EQ(Text(f.Item(kHomeLinkId)), L"Norrim网");
    for (int id : {kCloseButtonId, kFooterTextId, kMinimiseButtonId}) EXPECT_NE(f.Item(id), nullptr);

    // The device libraries are loaded once, with the workflow as the context.
    EXPECT_EQ(rec.loads, 1);
    EXPECT_EQ(rec.context, &f.Workflow());
    EXPECT_EQ(rec.handler, &DeviceWorkflow::OnDeviceNotification);
    EXPECT_TRUE(rec.boxes.empty());
    EXPECT_TRUE(rec.terminations.empty());
}

// Ink of one character drawn in black with `font` on white: the bitmap's
// pixels, so two characters can be compared.
std::vector<std::uint32_t> GlyphInk(HFONT font, wchar_t ch) {
    constexpr int kSize = 32;
    BITMAPINFO info = win::Bgra32Info(kSize, -kSize);
    void* bits = nullptr;
    win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    win::ScopedGdiObject bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap || !bits) return {};
    HGDIOBJ oldBitmap = ::SelectObject(dc.get(), bitmap.get());
    HGDIOBJ oldFont = ::SelectObject(dc.get(), font);
    RECT all{0, 0, kSize, kSize};
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc.get(), RGB(0, 0, 0));
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::ExtTextOutW(dc.get(), 2, 2, 0, nullptr, &ch, 1, nullptr);
    ::GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> ink(p, p + kSize * kSize);
    ::SelectObject(dc.get(), oldFont);
    ::SelectObject(dc.get(), oldBitmap);
    return ink;
}

int InkedPixels(const std::vector<std::uint32_t>& ink) {
    int n = 0;
    for (std::uint32_t px : ink) n += (px & 0xFFFFFF) != 0xFFFFFF;
    return n;
}

SIZE AlphabetExtent(HFONT font) {
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), kAlphabet, 52, &size);
    ::SelectObject(dc.get(), old);
    return size;
}

TEST_F(FormMainTest, ControlsSitWhereWindowsPutsThemAndChineseRenders) {
    FormMain& f = Open();
    RECT client{};
    ::GetClientRect(f.hwnd(), &client);
    for (int id : {kStatusButtonId, kCloseButtonId, kFooterTextId, kMinimiseButtonId, kForumLinkId, kHomeLinkId}) {
        RECT r{};
        ::GetWindowRect(f.Item(id), &r);
        ::MapWindowPoints(nullptr, f.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_GE(r.left, 0) << id;
        EXPECT_GE(r.top, 0) << id;
        EXPECT_LE(r.right, client.right) << id;
        EXPECT_LE(r.bottom, client.bottom) << id;
    }

    // The dialog's Latin metrics are Tahoma's at 9 points, as on Windows.
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageW(f.hwnd(), WM_GETFONT, 0, 0));
    ASSERT_NE(dialogFont, nullptr);
    LOGFONTW tahoma{};
    ASSERT_EQ(::GetObjectW(dialogFont, sizeof(tahoma), &tahoma), static_cast<int>(sizeof(tahoma)));
    ::wcscpy(tahoma.lfFaceName, L"Tahoma");
    win::ScopedGdiObject tahomaFont(::CreateFontIndirectW(&tahoma));
    {
        win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
        HGDIOBJ old = ::SelectObject(dc.get(), tahomaFont.get());
        wchar_t face[LF_FACESIZE] = {};
        ::GetTextFaceW(dc.get(), LF_FACESIZE, face);
        ::SelectObject(dc.get(), old);
        EXPECT_STREQ(face, L"Tahoma") << "the prefix lacks Wine's Tahoma";
    }
    const SIZE dialogExtent = AlphabetExtent(dialogFont);
    const SIZE tahomaExtent = AlphabetExtent(static_cast<HFONT>(tahomaFont.get()));
    EXPECT_EQ(dialogExtent.cx, tahomaExtent.cx);
    EXPECT_EQ(dialogExtent.cy, tahomaExtent.cy);

    // Chinese glyphs come through font linking: two different characters
    // draw as two different inked shapes, not as one replacement box.
    const auto lun = GlyphInk(dialogFont, L'论');
    const auto tan = GlyphInk(dialogFont, L'坛');
    EXPECT_GT(InkedPixels(lun), 20);
    EXPECT_GT(InkedPixels(tan), 20);
    EXPECT_NE(lun, tan);
}

TEST_F(FormMainTest, LinksShowTheirCaptionsWholeInLinkBlue) {
    FormMain& f = Open();
    struct Link {
        const CXHyperLink& link;
        const wchar_t* caption;
        const char* target;
    };
    for (const Link& l :
         {Link{f.forumLink(), L"Norrim论坛", kForumPageAddress}, Link{f.homeLink(), L"Norrim网", kHomePageAddress}}) {
        HWND w = l.link.hwnd();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(Text(w), l.caption);
        EXPECT_EQ(l.link.GetLinkTarget(), testing_support::Widen(l.target));

        // The control is as wide as its whole caption.
        RECT r{};
        ::GetWindowRect(w, &r);
        win::WindowDc dc(w);
        SIZE text{};
        {
            win::ScopedSelection font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(w, WM_GETFONT, 0, 0)));
            ::GetTextExtentPoint32W(dc.get(), l.caption, static_cast<int>(::wcslen(l.caption)), &text);
        }
        EXPECT_EQ(r.right - r.left, text.cx) << testing_support::Narrow(l.caption);

        // On screen: link blue text on the window's own face.
        ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        int blue = 0;
        const DWORD start = ::GetTickCount();
        do {
            f.PumpPending();
            const auto seen = testing_support::CaptureScreenArea(r);
            blue = testing_support::CountDifferentPixels(seen, {0, 0, seen.width, seen.height}, 0x0000EE, 0);
            blue = seen.width * seen.height - blue;
        } while (blue < 10 && ::GetTickCount() - start < 500);
        EXPECT_GE(blue, 10) << testing_support::Narrow(l.caption);
    }
}

TEST_F(FormMainTest, MissingLibrariesShowThePromptThenEndWithCodeZero) {
    rec.librariesLoad = false;
    FormMain& f = Open();
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0], L"iTunes驱动加载失败,是否正确安装了iTunes?");
    EXPECT_EQ(rec.titles[0], L"提示");
    EXPECT_EQ(rec.owners[0], f.hwnd());
    EXPECT_EQ(rec.terminations, std::vector<UINT>{0});
}

TEST_F(FormMainTest, CaptionButtons) {
    FormMain& f = Open();
    ::SendMessageW(f.Item(kCloseButtonId), BM_CLICK, 0, 0);
    f.PumpPending();
    EXPECT_EQ(rec.terminations, std::vector<UINT>{0});

    ::SendMessageW(f.Item(kMinimiseButtonId), BM_CLICK, 0, 0);
    f.PumpPending();
    EXPECT_TRUE(::IsIconic(f.hwnd()));
}

TEST_F(FormMainTest, EnterAndEscapeNeverReachTheDialog) {
    FormMain& f = Open();
    // Focus on the close button: an Enter that got through would press it, an
    // Escape would end the dialog.
    for (int focus : {kCloseButtonId, kStatusButtonId}) {
        ::SetFocus(f.Item(focus));
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            ::PostMessageW(f.Item(focus), WM_KEYDOWN, key, 0x00010001);
            ::PostMessageW(f.Item(focus), WM_KEYUP, key, 0xC0010001);
            f.PumpPending();
        }
    }
    EXPECT_FALSE(f.Ended());
    EXPECT_TRUE(rec.terminations.empty());
    EXPECT_TRUE(::IsWindowVisible(f.hwnd()));
}

TEST_F(FormMainTest, SystemCloseEndsTheDialog) {
    FormMain& f = Open();
    ::SendMessageW(f.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    f.PumpPending();
    EXPECT_TRUE(f.Ended());
    EXPECT_TRUE(rec.terminations.empty());
}

// Presses the left button at client (x, y) with the cursor there; true when
// the window then asked the system to drag it by its caption, from the
// press point in screen coordinates (as every non-client message has it).
bool PressStartsDrag(HWND dialog, int x, int y, bool& cursorPlaced) {
    POINT screen{x, y};
    ::ClientToScreen(dialog, &screen);
    ::SetCursorPos(screen.x, screen.y);
    POINT now{};
    ::GetCursorPos(&now);
    cursorPlaced = now.x == screen.x && now.y == screen.y;
    ::SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    MSG msg;
    bool drag = false;
    while (::PeekMessageW(&msg, dialog, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) {
        drag = drag || (msg.wParam == HTCAPTION && msg.lParam == MAKELPARAM(screen.x, screen.y));
    }
    return drag;
}

TEST_F(FormMainTest, PressInTheTopFiftyPixelsDragsTheWindow) {
    FormMain& f = Open();
    bool placed = false;
    const bool at50 = PressStartsDrag(f.hwnd(), 60, 50, placed);
    if (!placed) GTEST_SKIP() << "the display does not let tests move the cursor";
    EXPECT_TRUE(at50);
    EXPECT_TRUE(PressStartsDrag(f.hwnd(), 60, 0, placed));
    EXPECT_FALSE(PressStartsDrag(f.hwnd(), 60, 51, placed));
    EXPECT_FALSE(PressStartsDrag(f.hwnd(), 60, 200, placed));
}

TEST_F(FormMainTest, StatusTextFromAnotherThreadBecomesTheButtonText) {
    FormMain& f = Open();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        f.SetStatusText(L"正在下载:25.00%");
        f.ClearFooterText();
        done = true;
    });
    while (!done) {
        f.PumpPending();
        ::Sleep(5);
    }
    worker.join();
    EXPECT_EQ(Text(f.Item(kStatusButtonId)), L"正在下载:25.00%");
    EXPECT_EQ(Text(f.Item(kFooterTextId)), L"");
}

}  // namespace

// The taskbar and Alt+Tab show the window's big icon, the system menu its
// small one; a dialog has no class icon to fall back on. (Wine does not
// pass WM_GETICON between processes, so this is asked from inside.)
TEST_F(FormMainTest, WindowCarriesTheProgramIconAtTheSystemSizes) {
    FormMain& f = Open();
    struct Case {
        WPARAM kind;
        int metric;
    };
    for (const Case& c : {Case{ICON_BIG, SM_CXICON}, Case{ICON_SMALL, SM_CXSMICON}}) {
        SCOPED_TRACE(c.kind);
        auto icon = reinterpret_cast<HICON>(::SendMessageW(f.hwnd(), WM_GETICON, c.kind, 0));
        ASSERT_NE(icon, nullptr) << "the window has no icon of this kind";
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        win::ScopedGdiObject colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bitmap{};
        ASSERT_TRUE(::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap)) << "not a colour icon";
        EXPECT_EQ(bitmap.bmWidth, ::GetSystemMetrics(c.metric)) << "not the size the system shows";
        EXPECT_EQ(bitmap.bmHeight, ::GetSystemMetrics(c.metric));
        EXPECT_EQ(bitmap.bmBitsPixel, 32);
    }
}
