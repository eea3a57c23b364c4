// The window-kind table, row by row, with the order that decides overlaps.
#include <gtest/gtest.h>

#include "skin/windows/manager/skin_dispatch.h"

namespace {

constexpr uint32_t kCaption = 0x00C00000;  // WS_CAPTION
constexpr uint32_t kBorder = 0x00800000;   // WS_BORDER, one of the two bits

SkinWindowKind Kind(const wchar_t* name, uint32_t style = 0) { return SkinDispatchWindow(name, style).kind; }

TEST(SkinDispatch, ButtonSubKindsByStyle) {
    const SkinWindowKind expected[16] = {
        SkinWindowKind::Button,      SkinWindowKind::Button,      SkinWindowKind::CheckButton,
        SkinWindowKind::CheckButton, SkinWindowKind::RadioButton, SkinWindowKind::CheckButton,
        SkinWindowKind::CheckButton, SkinWindowKind::GroupButton, SkinWindowKind::None,
        SkinWindowKind::RadioButton, SkinWindowKind::None,        SkinWindowKind::None,
        SkinWindowKind::None,        SkinWindowKind::None,        SkinWindowKind::None,
        SkinWindowKind::None};
    for (uint32_t sub = 0; sub < 16; ++sub) {
        // Other style bits do not matter, not even the caption bits.
        EXPECT_EQ(Kind(L"Button", sub | 0x50010000 | kCaption), expected[sub]) << "sub-kind " << sub;
    }
    EXPECT_EQ(Kind(L"Button", 11), SkinWindowKind::None);  // BS_OWNERDRAW
}

TEST(SkinDispatch, ExactClassNames) {
    struct Case {
        const wchar_t* name;
        SkinWindowKind kind;
    } cases[] = {
        {L"#32770", SkinWindowKind::Frame},
        {L"Static", SkinWindowKind::Static},
        {L"Edit", SkinWindowKind::Edit},
        {L"ComboBox", SkinWindowKind::ComboBox},
        {L"msctls_trackbar32", SkinWindowKind::Slider},
        {L"msctls_progress32", SkinWindowKind::Progress},
        {L"ListBox", SkinWindowKind::ListBox},
        {L"SysTreeView32", SkinWindowKind::TreeCtrl},
        {L"msctls_updown32", SkinWindowKind::SpinButton},
        {L"SysHeader32", SkinWindowKind::Header},
        {L"SysListView32", SkinWindowKind::ListCtrl},
        {L"SysTabControl32", SkinWindowKind::TabCtrl},
        {L"SysIPAddress32", SkinWindowKind::IpAddress},
        {L"msctls_hotkey32", SkinWindowKind::HotKey},
        {L"SysDateTimePick32", SkinWindowKind::DateTime},
        {L"ToolbarWindow32", SkinWindowKind::ToolBar},
        {L"ReBarWindow32", SkinWindowKind::ReBar},
        {L"ScrollBar", SkinWindowKind::ScrollBar},
        {L"msctls_statusbar32", SkinWindowKind::StatusBar},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Kind(c.name), c.kind) << static_cast<int>(c.kind);
        // Exact and case-sensitive: another case or a suffix is not the class.
        std::wstring lower(c.name);
        for (wchar_t& ch : lower) ch = static_cast<wchar_t>(towlower(ch));
        if (lower != c.name) EXPECT_EQ(SkinDispatchWindow(lower, 0).kind, SkinWindowKind::None) << c.name;
        EXPECT_EQ(SkinDispatchWindow(std::wstring(c.name) + L"X", 0).kind, SkinWindowKind::None) << c.name;
    }
}

TEST(SkinDispatch, ContainedNames) {
    EXPECT_EQ(Kind(L"RichEdit20W"), SkinWindowKind::RichEdit);
    EXPECT_EQ(Kind(L"RICHEDIT50W"), SkinWindowKind::RichEdit);
    EXPECT_EQ(Kind(L"richedit"), SkinWindowKind::None);
    EXPECT_EQ(Kind(L"AfxControlBar140su"), SkinWindowKind::ControlBar);
    EXPECT_TRUE(SkinDispatchWindow(L"AfxControlBar140su", 0).withoutId);
    EXPECT_EQ(Kind(L"AfxFrameOrView140su"), SkinWindowKind::MdiClient);
    EXPECT_EQ(Kind(L"MDIClient"), SkinWindowKind::MdiClient);
}

TEST(SkinDispatch, CaptionedWindowsOfOtherClassesAreFramesWithoutId) {
    SkinDispatch d = SkinDispatchWindow(L"MyMainWindow", kCaption);
    EXPECT_EQ(d.kind, SkinWindowKind::Frame);
    EXPECT_TRUE(d.withoutId);
    EXPECT_EQ(Kind(L"MyMainWindow", kBorder), SkinWindowKind::None);  // one caption bit is not enough
    EXPECT_EQ(Kind(L"MyMainWindow", 0), SkinWindowKind::None);
    EXPECT_FALSE(SkinDispatchWindow(L"#32770", kCaption).withoutId);  // dialogs keep their id
    // A known control class wins over the caption style.
    EXPECT_EQ(Kind(L"Static", kCaption), SkinWindowKind::Static);
}

TEST(SkinDispatch, TreeViewsAreAttachedButReportZero) {
    EXPECT_TRUE(SkinDispatchWindow(L"SysTreeView32", 0).reportsZero);
    EXPECT_FALSE(SkinDispatchWindow(L"ListBox", 0).reportsZero);
}

}  // namespace
