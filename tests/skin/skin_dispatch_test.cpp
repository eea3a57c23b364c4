// What the window-kind dispatch decides: a button's kind by its type bits,
// class names matched whole and case-sensitively (rich edits by a part of
// the name), captioned windows of other classes as frames with the class
// default, and which rule wins where two could apply.
#include <gtest/gtest.h>

#include "skin/windows/manager/skin_dispatch.h"

namespace {

constexpr uint32_t kCaption = 0x00C00000;  // WS_CAPTION
constexpr uint32_t kBorder = 0x00800000;   // WS_BORDER, one of the two bits
constexpr uint32_t kChildVisible = 0x50000000;
// Button types (the style's low four bits).
constexpr uint32_t kPush = 0, kDefPush = 1, kCheck = 2, kAutoCheck = 3, kRadio = 4, kThreeState = 5,
                   kAutoThreeState = 6, kGroup = 7, kUser = 8, kAutoRadio = 9, kOwnerDraw = 11, kTypeBits = 0xF;

SkinWindowKind Kind(const std::wstring& name, uint32_t style = 0) { return SkinDispatchWindow(name, style).kind; }

TEST(SkinDispatch, AButtonsTypeBitsChooseItsSkinAndNothingElseDoes) {
    for (uint32_t other : {0u, kChildVisible, kChildVisible | kCaption | 0x2F00u}) {
        EXPECT_EQ(Kind(L"Button", other | kPush), SkinWindowKind::Button);
        EXPECT_EQ(Kind(L"Button", other | kDefPush), SkinWindowKind::Button);
        for (uint32_t type : {kCheck, kAutoCheck, kThreeState, kAutoThreeState})
            EXPECT_EQ(Kind(L"Button", other | type), SkinWindowKind::CheckButton) << type;
        EXPECT_EQ(Kind(L"Button", other | kRadio), SkinWindowKind::RadioButton);
        EXPECT_EQ(Kind(L"Button", other | kAutoRadio), SkinWindowKind::RadioButton);
        EXPECT_EQ(Kind(L"Button", other | kGroup), SkinWindowKind::GroupButton);
        // Owner-drawn buttons draw themselves; the old user button and the
        // types without a name are left alone too.
        for (uint32_t type : {kUser, kOwnerDraw, 10u, 12u, kTypeBits})
            EXPECT_EQ(Kind(L"Button", other | type), SkinWindowKind::None) << type;
    }
}

TEST(SkinDispatch, ClassNamesAreMatchedWholeAndByCase) {
    EXPECT_EQ(Kind(L"Edit"), SkinWindowKind::Edit);
    EXPECT_EQ(Kind(L"msctls_trackbar32"), SkinWindowKind::Slider);
    for (const wchar_t* near : {L"edit", L"EDIT", L"Edit2", L"MyEdit", L" Edit", L"msctls_trackbar", L"Static\t"})
        EXPECT_EQ(Kind(near), SkinWindowKind::None) << near;
    EXPECT_EQ(Kind(L""), SkinWindowKind::None);
    EXPECT_EQ(Kind(std::wstring(127, L'x')), SkinWindowKind::None);
    EXPECT_EQ(Kind(L"SomeoneElsesControl"), SkinWindowKind::None);
}

TEST(SkinDispatch, RichEditsAndFrameworkWindowsAreKnownByPartOfTheirName) {
    for (const wchar_t* rich : {L"RichEdit20W", L"RICHEDIT50W", L"RichEdit", L"MyRichEditHost"})
        EXPECT_EQ(Kind(rich), SkinWindowKind::RichEdit) << rich;
    EXPECT_EQ(Kind(L"richedit"), SkinWindowKind::None);
    EXPECT_EQ(Kind(L"AfxFrameOrView140su"), SkinWindowKind::MdiClient);
    EXPECT_EQ(Kind(L"MDIClient"), SkinWindowKind::MdiClient);
    SkinDispatch bar = SkinDispatchWindow(L"AfxControlBar140su", 0);
    EXPECT_EQ(bar.kind, SkinWindowKind::ControlBar);
    EXPECT_TRUE(bar.withoutId);  // control bars take the class default
}

TEST(SkinDispatch, CaptionedWindowsOfOtherClassesAreFramesWithTheClassDefault) {
    SkinDispatch d = SkinDispatchWindow(L"MyMainWindow", kCaption);
    EXPECT_EQ(d.kind, SkinWindowKind::Frame);
    EXPECT_TRUE(d.withoutId);
    EXPECT_EQ(Kind(L"MyMainWindow", kBorder), SkinWindowKind::None);  // one caption bit is not enough
    EXPECT_EQ(Kind(L"MyMainWindow", 0), SkinWindowKind::None);
    // Dialogs are frames with or without a caption, and keep their id.
    EXPECT_EQ(Kind(L"#32770", 0), SkinWindowKind::Frame);
    EXPECT_FALSE(SkinDispatchWindow(L"#32770", kCaption).withoutId);
}

TEST(SkinDispatch, AKnownClassWinsOverTheCaptionStyle) {
    EXPECT_EQ(Kind(L"Static", kCaption), SkinWindowKind::Static);
    EXPECT_EQ(Kind(L"Button", kCaption | kPush), SkinWindowKind::Button);
    EXPECT_EQ(Kind(L"RichEdit20W", kCaption), SkinWindowKind::RichEdit);
    EXPECT_EQ(Kind(L"AfxControlBar140su", kCaption), SkinWindowKind::ControlBar);
    // An owner-drawn button stays unskinned even with a caption: it is no
    // other class's frame.
    EXPECT_EQ(Kind(L"Button", kCaption | kOwnerDraw), SkinWindowKind::None);
}

TEST(SkinDispatch, TreeViewsAreAttachedButReportZero) {
    EXPECT_TRUE(SkinDispatchWindow(L"SysTreeView32", 0).reportsZero);
    EXPECT_EQ(Kind(L"SysTreeView32"), SkinWindowKind::TreeCtrl);
    EXPECT_FALSE(SkinDispatchWindow(L"ListBox", 0).reportsZero);
}

}  // namespace
