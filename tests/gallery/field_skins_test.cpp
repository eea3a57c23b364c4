// The IP address, hot key and date-time skins in the gallery under its
// solid-colour test theme: their frames by hover and focus with the real
// mouse, the IP address's fields and dots in the skin's colour, and the
// date-time picker's drop button by state as it opens its calendar.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "gallery/gallery_fixture.h"
#include "skin/skin_test_dialog.h"
#include "skin/windows/skin_api_win32.h"
#include "support/win_test_support.h"

using namespace gallery_test;

namespace {

class FieldSkins : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gallery_.Ready());
        gallery_.MoveAway();
        // No field holds the focus at the start.
        ::SetFocus(gallery_.Control(IDC_GALLERY_PUSH));
        skin_test::Pump(50);
    }
    // What the frame ring shows: one pixel left of the client area.
    std::string FrameAt(int id) const {
        RECT r = gallery_.ClientRect(id);
        return gallery_.NameAt(id, -1, r.bottom / 2);
    }
    bool WaitForFrame(int id, const std::string& name, DWORD ms = 2000) const {
        return skin_test::PumpUntil([&] { return FrameAt(id) == name; }, ms);
    }

    GalleryUnderTest gallery_;
};

TEST_F(FieldSkins, FramesFollowTheMouseAndTheFocus) {
    struct Field {
        int id;
        const char* prefix;
    };
    const Field fields[] = {{IDC_GALLERY_IPADDRESS, "gallery.ipaddress"},
                            {IDC_GALLERY_HOTKEY, "gallery.hotkey"},
                            {IDC_GALLERY_DATETIME, "gallery.datetime"}};
    for (const Field& f : fields) {
        SCOPED_TRACE(f.prefix);
        std::string normal = std::string(f.prefix) + ".frame.normal", over = std::string(f.prefix) + ".frame.over";
        EXPECT_EQ(FrameAt(f.id), normal);
        RECT r = gallery_.ClientRect(f.id);
        gallery_.MoveTo(f.id, 3, r.bottom / 2);
        EXPECT_TRUE(WaitForFrame(f.id, over)) << FrameAt(f.id);
        gallery_.MoveAway();
        EXPECT_TRUE(WaitForFrame(f.id, normal, 3000)) << "the over frame stuck";
        // The keyboard focus shows as the over frame too.
        ::SetFocus(gallery_.Control(f.id));
        EXPECT_TRUE(WaitForFrame(f.id, over));
        ::SetFocus(gallery_.Control(IDC_GALLERY_PUSH));
        EXPECT_TRUE(WaitForFrame(f.id, normal));
    }
}

TEST_F(FieldSkins, WithoutPicturesTheFrameIsALineOfTheBorderColour) {
    const int id = IDC_GALLERY_HOTKEY;
    HWND hotkey = gallery_.Control(id);
    RECT client = gallery_.ClientRect(id);
    // Skinned again with a description without frame pictures, then back.
    ASSERT_EQ(SetWindowSkin(hotkey, L"gallery.hotkey.lines"), 1);
    skin_test::Pump(50);
    EXPECT_EQ(gallery_.NameAt(id, -2, client.bottom / 2), "gallery.hotkey.lines.border");
    EXPECT_EQ(gallery_.Pixel(id, -1, client.bottom / 2), skin_test::Rgb(::GetSysColor(COLOR_WINDOW)));
    RECT window{};
    ::GetWindowRect(hotkey, &window);
    EXPECT_EQ(client.right, window.right - window.left - 4) << "the frame keeps its width";
    ASSERT_EQ(SetWindowSkin(hotkey, L"gallery.hotkey"), 1);
    skin_test::Pump(50);
    EXPECT_EQ(FrameAt(id), "gallery.hotkey.frame.normal");
}

TEST_F(FieldSkins, IpAddressHoverLastsOverItsFieldsAndTheyTakeTheSkinsColour) {
    HWND ip = gallery_.Control(IDC_GALLERY_IPADDRESS);
    HWND first = ::GetWindow(ip, GW_CHILD);
    ASSERT_NE(first, nullptr);
    RECT field{};
    ::GetWindowRect(first, &field);
    ::MapWindowPoints(nullptr, ip, reinterpret_cast<POINT*>(&field), 2);
    // Over a field (a window of its own), the address is still hovered.
    gallery_.MoveTo(IDC_GALLERY_IPADDRESS, (field.left + field.right) / 2, (field.top + field.bottom) / 2);
    EXPECT_TRUE(WaitForFrame(IDC_GALLERY_IPADDRESS, "gallery.ipaddress.frame.over"));
    skin_test::Pump(400);
    EXPECT_EQ(FrameAt(IDC_GALLERY_IPADDRESS), "gallery.ipaddress.frame.over") << "the hover ended over a field";
    gallery_.MoveAway();
    EXPECT_TRUE(WaitForFrame(IDC_GALLERY_IPADDRESS, "gallery.ipaddress.frame.normal", 3000));

    // The numbers, and the dots between the fields, in the skin's text colour.
    const uint32_t text = ThemeColours::Get().Of("gallery.ipaddress.text");
    EXPECT_TRUE(AreaShows(first, RECT{0, 0, field.right - field.left, field.bottom - field.top}, text));
    HWND second = ::GetWindow(first, GW_HWNDNEXT);
    RECT next{};
    ::GetWindowRect(second, &next);
    ::MapWindowPoints(nullptr, ip, reinterpret_cast<POINT*>(&next), 2);
    EXPECT_TRUE(AreaShows(ip, RECT{field.right, field.top, next.left, field.bottom}, text)) << "no dot";
    // The frame leaves the fields room: all four inside the client area.
    RECT client = gallery_.ClientRect(IDC_GALLERY_IPADDRESS);
    int count = 0;
    for (HWND f = first; f; f = ::GetWindow(f, GW_HWNDNEXT), ++count) {
        RECT r{};
        ::GetWindowRect(f, &r);
        ::MapWindowPoints(nullptr, ip, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_GE(r.left, client.left);
        EXPECT_LE(r.right, client.right);
    }
    EXPECT_EQ(count, 4);
}

// The time picker's up-down part wears the spin skin its description names
// by number, halves drawn from that skin's pictures.
TEST_F(FieldSkins, TimePickersUpDownPartWearsTheSpinSkinItsDescriptionNames) {
    HWND updown = ::FindWindowExW(gallery_.Control(IDC_GALLERY_TIME), nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(updown, nullptr);
    EXPECT_NE(::GetPropW(updown, L"VELTAR_PROC"), nullptr);
    RECT r{};
    ::GetClientRect(updown, &r);
    auto nameAt = [&](int x, int y) { return ClientNameAt(updown, x, y); };
    EXPECT_TRUE(skin_test::PumpUntil(
        [&] { return nameAt(r.right / 2, r.bottom / 4) == "gallery.datetime.spin.top.normal"; }, 2000))
        << nameAt(r.right / 2, r.bottom / 4);
    EXPECT_EQ(nameAt(r.right / 2, r.bottom * 3 / 4), "gallery.datetime.spin.bottom.normal");
}

TEST_F(FieldSkins, DatePickerOpensItsCalendarWithTheButtonDown) {
    const int id = IDC_GALLERY_DATETIME;
    HWND picker = gallery_.Control(id);
    RECT client = gallery_.ClientRect(id);
    const int bx = client.right - 3, by = 2;
    auto button = [&] { return gallery_.NameAt(id, bx, by); };
    EXPECT_EQ(button(), "gallery.datetime.button.normal");
    gallery_.MoveTo(id, client.right - 8, client.bottom / 2);
    EXPECT_TRUE(skin_test::PumpUntil([&] { return button() == "gallery.datetime.button.over"; }, 2000)) << button();
    // Off the button but on the field: the frame stays over, the button not.
    gallery_.MoveTo(id, 5, client.bottom / 2);
    EXPECT_TRUE(skin_test::PumpUntil([&] { return button() == "gallery.datetime.button.normal"; }, 2000));
    EXPECT_EQ(FrameAt(id), "gallery.datetime.frame.over");

    gallery_.Click(id, client.right - 8, client.bottom / 2);
    auto calendar = [&] { return reinterpret_cast<HWND>(::SendMessageW(picker, DTM_GETMONTHCAL, 0, 0)); };
    EXPECT_TRUE(skin_test::PumpUntil([&] { return calendar() && ::IsWindowVisible(calendar()); }, 2000))
        << "the calendar did not open";
    EXPECT_TRUE(skin_test::PumpUntil([&] { return button() == "gallery.datetime.button.down"; }, 2000))
        << "an open calendar keeps the button down: " << button();
    // Escape closes it; the button comes up.
    ::SendMessageW(calendar() ? calendar() : picker, WM_KEYDOWN, VK_ESCAPE, 0);
    gallery_.MoveAway();
    skin_test::Pump(100);
    if (calendar() && ::IsWindowVisible(calendar())) gallery_.Click(IDC_GALLERY_PUSH, 3, 3);
    EXPECT_TRUE(skin_test::PumpUntil([&] { return !calendar() || !::IsWindowVisible(calendar()); }, 2000));
    EXPECT_TRUE(skin_test::PumpUntil([&] { return button() == "gallery.datetime.button.normal"; }, 3000)) << button();

    ::EnableWindow(picker, FALSE);
    EXPECT_TRUE(skin_test::PumpUntil([&] { return button() == "gallery.datetime.button.disable"; }, 2000));
    ::EnableWindow(picker, TRUE);
}

}  // namespace
