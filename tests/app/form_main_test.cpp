// The main window on its own: its template and sizes, start-up with and
// without the device libraries, the caption buttons, the key filter, the drag
// area and status texts set from another thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/form_main.h"
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
  EXPECT_EQ(rec.context, static_cast<DeviceWorkflow*>(&f));
  EXPECT_EQ(rec.handler, &DeviceWorkflow::OnDeviceNotification);
  EXPECT_TRUE(rec.boxes.empty());
  EXPECT_TRUE(rec.terminations.empty());
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
// the window then asked the system to drag it by its caption.
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
    drag = drag || (msg.wParam == HTCAPTION && msg.lParam == MAKELPARAM(x, y));
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
