// Themes made up by the test, attached to real buttons under Wine: no
// theme can make attaching loop, whatever its spin labels name. An attach
// that never returns ends the process from a watchdog, so a regression
// fails at once instead of eating memory until the run's time-out.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "skin/skin_test_dialog.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_button_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/skin_api_win32.h"

using namespace skin_test;

namespace {

// Ends the process unless disarmed within `seconds`.
class Watchdog {
public:
    Watchdog(const char* what, int seconds) : what_(what) {
        thread_ = std::thread([this, seconds] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return disarmed_; })) return;
            std::fprintf(stderr, "FAILED: %s did not return within %d s\n", what_, seconds);
            std::fflush(stderr);
            ::TerminateProcess(::GetCurrentProcess(), 3);
        });
    }
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            disarmed_ = true;
        }
        done_.notify_all();
        thread_.join();
    }

private:
    const char* what_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool disarmed_ = false;
    std::thread thread_;
};

// One button item of a made-up theme.
struct ButtonItem {
    std::wstring id;
    std::wstring spinLabel;  // empty: no spin part
};

bool LoadButtons(const std::vector<ButtonItem>& items) {
    std::wstring xml = L"<theme><constrol>";
    for (const ButtonItem& item : items) {
        xml += L"<item class=\"button\" id=\"" + item.id + L"\"><attribute spinbtnWidth=\"12\"";
        if (!item.spinLabel.empty()) xml += L" spinbtnLabel=\"" + item.spinLabel + L"\"";
        xml += L"/><text id=\"t\" string=\"" + item.id + L"\"/></item>";
    }
    xml += L"</constrol></theme>";
    return LoadThemeText(xml);
}

class SkinThemeAttach : public ::testing::Test {
protected:
    void SetUp() override {
        dialog_ = std::make_unique<TestDialog>(300, 200, std::vector<ControlSpec>{});
        ASSERT_TRUE(dialog_->hwnd());
    }

    // Attaches `id` to a new push button, paints it, and returns its skin.
    CSkinButtonSB* Attach(const std::wstring& id) {
        HWND button = ::CreateWindowExW(0, L"Button", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 120, 30,
                                        dialog_->hwnd(), nullptr, nullptr, nullptr);
        if (!button) return nullptr;
        buttons_.push_back(button);
        int attached = 0;
        {
            Watchdog watchdog("attaching a button", 20);
            attached = SetWindowSkin(button, id.c_str());
        }
        if (attached != 1) return nullptr;
        ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return static_cast<CSkinButtonSB*>(::GetPropW(button, kSkinPropObject));
    }

    void TearDown() override {
        for (HWND b : buttons_) ::DestroyWindow(b);
        dialog_.reset();
    }

    std::unique_ptr<TestDialog> dialog_;
    std::vector<HWND> buttons_;
};

TEST_F(SkinThemeAttach, SpinLabelsThatNameTheirOwnItemOrACycleAttachOnce) {
    ASSERT_TRUE(LoadButtons({{L"spin.self", L"spin.self"},
                             {L"spin.a", L"spin.b"},
                             {L"spin.b", L"spin.a"},
                             {L"spin.x", L"spin.y"},
                             {L"spin.y", L"spin.z"},
                             {L"spin.z", L"spin.x"}}));
    for (const wchar_t* id : {L"spin.self", L"spin.a", L"spin.b", L"spin.x"}) {
        CSkinButtonSB* skin = Attach(id);
        ASSERT_NE(skin, nullptr) << id;
        // The button has its spin part; the part has none of its own.
        ASSERT_NE(skin->SpinPart(), nullptr) << id;
        EXPECT_EQ(skin->SpinPart()->SpinPart(), nullptr) << id;
    }
    // The part of "spin.a" is drawn from "spin.b"'s description.
    CSkinButtonSB* a = Attach(L"spin.a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->SpinPart()->SkinId(), L"spin.b");
    // Re-skinning keeps one part, not a growing chain.
    ASSERT_EQ(SetWindowSkin(buttons_.back(), L"spin.self"), 1);
    EXPECT_EQ(a->SpinPart()->SpinPart(), nullptr);
}

TEST_F(SkinThemeAttach, ADefaultItemWhoseMissingLabelFallsBackToItselfAttachesOnce) {
    // The class default ("button") answers for every id the theme lacks,
    // its own missing spin label included.
    ASSERT_TRUE(LoadButtons({{L"button", L"no.such.item"}, {L"points.at.default", L"another.missing.item"}}));
    for (const wchar_t* id : {L"button", L"points.at.default", L"not.in.the.theme"}) {
        CSkinButtonSB* skin = Attach(id);
        ASSERT_NE(skin, nullptr) << id;
        ASSERT_NE(skin->SpinPart(), nullptr) << id;
        EXPECT_EQ(skin->SpinPart()->SpinPart(), nullptr) << id;
    }
}

TEST_F(SkinThemeAttach, GeneratedThemesOfSpinLabelsAllAttach) {
    // Rounds of a few button items whose labels name each other, themselves,
    // nothing, missing items or the class default, at random.
    std::mt19937 random(17);
    for (int round = 0; round < 40; ++round) {
        std::wstring prefix = L"gen" + std::to_wstring(round) + L".";
        int count = 1 + static_cast<int>(random() % 6);
        std::vector<ButtonItem> items;
        for (int i = 0; i < count; ++i) {
            ButtonItem item{prefix + std::to_wstring(i), L""};
            switch (random() % 5) {
                case 0:
                    break;
                case 1:
                    item.spinLabel = item.id;
                    break;
                case 2:
                    item.spinLabel = prefix + std::to_wstring(random() % count);
                    break;
                case 3:
                    item.spinLabel = prefix + L"missing";
                    break;
                default:
                    item.spinLabel = L"button";
                    break;
            }
            items.push_back(item);
        }
        ASSERT_TRUE(LoadButtons(items)) << round;
        for (const ButtonItem& item : items) {
            CSkinButtonSB* skin = Attach(item.id);
            ASSERT_NE(skin, nullptr) << item.id;
            if (skin->SpinPart()) {
                EXPECT_EQ(skin->SpinPart()->SpinPart(), nullptr);
            }
        }
        for (HWND b : buttons_) ::DestroyWindow(b);
        buttons_.clear();
    }
}

}  // namespace
