// The theme walk: sections, fonts, colours, cursors, images, commands, the
// control tables and their getters.
#include <gtest/gtest.h>

#include <string>

#include "skin/theme/skin_descriptions.h"
#include "theme_test_support.h"

using theme_test::FakePlatform;
using theme_test::ThemeFixture;

namespace {

const unsigned char kInstallerTheme[] = {
#include "installer_theme.inc"
};

const wchar_t* const kInstallerImageEntries[] = {
    L"skin/PromptBk.bmp",     L"skin/btn_close_nor.png", L"skin/btn_close_hit.png", L"skin/btn_close_down.png",
    L"skin/btn_min_down.png", L"skin/btn_min_nor.png",   L"skin/btn_min_hit.png",   L"skin/done.png",
    L"skin/done_s.png",       L"skin/install.png",       L"skin/install_s.png",     L"skin/warning.png",
    L"skin/warning_s.png",
};

const wchar_t kSongTi[] = L"\u5B8B\u4F53";
const wchar_t kYaHei[] = L"\u5FAE\u8F6F\u96C5\u9ED1";

}  // namespace

TEST(ThemeLoader, InstallerThemeDefinesItsFontColourImagesAndControls) {
    ThemeFixture f;
    for (const wchar_t* entry : kInstallerImageEntries) {
        if (std::wstring(entry).find(L".bmp") != std::wstring::npos) {
            f.AddBmp(entry);
        } else {
            f.AddPng(entry);
        }
    }
    ASSERT_TRUE(f.LoadUtf8(std::string(reinterpret_cast<const char*>(kInstallerTheme), sizeof kInstallerTheme)));

    ASSERT_NE(f.manager.GetFont(L"default_title_bold"), nullptr);
    ASSERT_EQ(f.platform.fontsCreated.size(), 1u);
    EXPECT_EQ(f.platform.fontsCreated[0].face, kSongTi);
    EXPECT_EQ(f.platform.fontsCreated[0].height, 16);
    EXPECT_TRUE(f.platform.fontsCreated[0].bold);
    EXPECT_FALSE(f.platform.fontsCreated[0].underline);
    EXPECT_NE(f.manager.GetFontHandle(L"default_title_bold"), nullptr);
    EXPECT_EQ(f.manager.GetColor(L"standard.color"), 0xFFFFFFu);

    // Thirteen pictures, each under its image id, no entry-name key left.
    EXPECT_EQ(f.manager.Images().Size(), 13u);
    for (const wchar_t* entry : kInstallerImageEntries) EXPECT_FALSE(f.manager.Images().Contains(entry)) << entry;
    for (const wchar_t* id : {L"standard.Prompt.Background", L"btn_close_nor", L"btn_min_hit", L"btn_done_s",
                              L"btn_install", L"btn_warning", L"btn_warning_s"}) {
        EXPECT_NE(f.manager.FindImage(id), nullptr) << id;
    }

    const SkinButtonDesc* close = f.Desc<SkinButtonDesc>(L"sysbtn.close");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->id, L"sysbtn.close");
    EXPECT_EQ(close->layout.left, -40);
    EXPECT_EQ(close->layout.top, 0);
    EXPECT_EQ(close->layout.width, 40);
    EXPECT_EQ(close->layout.height, 23);
    EXPECT_EQ(close->toolTip, L"\u9000\u51FA");
    ASSERT_EQ(close->items.size(), 3u);
    EXPECT_EQ(close->items[0]->id, L"close.normal");
    EXPECT_EQ(close->items[0]->picFile, L"btn_close_nor");
    EXPECT_EQ(close->items[0]->stateMask, 1u);
    EXPECT_EQ(close->items[1]->stateMask, 2u);
    EXPECT_EQ(close->items[2]->stateMask, 4u);

    const SkinButtonDesc* min = f.Desc<SkinButtonDesc>(L"sysbtn.min");
    ASSERT_NE(min, nullptr);
    EXPECT_EQ(min->layout.left, -77);
    EXPECT_EQ(min->items.at(2)->picFile, L"btn_min_down");
    EXPECT_EQ(min->items.at(2)->id, L"close.down");

    // The status button: no attribute element, so every button default.
    const SkinButtonDesc* status = f.Desc<SkinButtonDesc>(L"standard.buttton");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->layout.left, 0);
    EXPECT_EQ(status->layout.width, 300);
    EXPECT_EQ(status->layout.height, 38);
    EXPECT_EQ(status->textOffset, (SkinPair{1, 1}));
    EXPECT_EQ(status->border9grid, (SkinQuad{5, 5, 5, 5}));
    EXPECT_EQ(status->textDisableColor, SkinRgb(255, 0, 255));
    EXPECT_FALSE(status->drawFocusRect);
    ASSERT_EQ(status->items.size(), 4u);
    const char* names[] = {"normal", "over", "down"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(status->items[i]->kind, SkinItemKind::Image) << names[i];
        EXPECT_EQ(status->items[i]->drawStyle, L"draw9grid");
        EXPECT_EQ(status->items[i]->stateMask, 1u << i);
    }
    const SkinItemDesc& text = *status->items[3];
    EXPECT_EQ(text.kind, SkinItemKind::Text);
    EXPECT_EQ(text.id, L"text");
    EXPECT_EQ(text.text, L"\u8BF7\u8FDE\u63A5\u4F60\u7684\u82F9\u679C\u8BBE\u5907");
    EXPECT_EQ(text.color, 0xFFFFFFu);
    EXPECT_EQ(text.font, L"default_title_bold");
    EXPECT_EQ(text.textFormat,
              kSkinDtCenter | kSkinDtVCenter | kSkinDtSingleLine | kSkinDtEndEllipsis | kSkinDtNoPrefix);

    const SkinWindowDesc* dialog = f.Desc<SkinWindowDesc>(L"PromptDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->layout.width, 563);
    EXPECT_EQ(dialog->layout.height, 281);
    EXPECT_EQ(dialog->background.picFile, L"standard.Prompt.Background");
    EXPECT_EQ(dialog->background.drawStyle, L"draw9grid");
    EXPECT_EQ(dialog->background.backgroundColor, SkinRgb(255, 0, 255));
    EXPECT_EQ(dialog->background.frameStyle, L"framebitmapround");
    EXPECT_EQ(dialog->background.captionHeight, 0);
    EXPECT_EQ(dialog->background.borderWidth, (SkinQuad{2, 2, 2, 2}));
    EXPECT_EQ(dialog->background.borderOffset, (SkinQuad{15, 15, 15, 15}));
    EXPECT_EQ(dialog->background.border9grid, (SkinQuad{15, 15, 15, 15}));
    EXPECT_TRUE(dialog->items.empty());

    const SkinStaticDesc* label = f.Desc<SkinStaticDesc>(L"standard.static.normal");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textDisableColor, FakePlatform::SysColor(kSkinSysColorGrayText));
    EXPECT_EQ(f.platform.comboClassRegistrations, 1);
}

TEST(ThemeLoader, SectionsAreReadOnlyInTheirFixedOrder) {
    ThemeFixture f;
    f.Load(
        LR"T(<theme><color><item id="c" value="RGB(1,2,3)"/></color>
                      <font><item id="f" fontface="Arial" fontsize="12"/></font></theme>)T");
    EXPECT_EQ(f.manager.GetColor(L"c"), 0x030201u);
    EXPECT_EQ(f.manager.GetFont(L"f"), nullptr);

    // A second section of a kind is not read; unknown elements are ignored.
    ThemeFixture g;
    g.Load(
        LR"T(<theme><manifest folder="skin"/><color><item id="a" value="RGB(1,0,0)"/></color>
                      <extra/><color><item id="b" value="RGB(2,0,0)"/></color>
                      <constrol><item class="button" id="x"/></constrol></theme>)T");
    EXPECT_EQ(g.manager.GetColor(L"a"), 1u);
    EXPECT_EQ(g.manager.GetColor(L"b"), FakePlatform::SysColor(1));
    EXPECT_NE(g.Desc<SkinButtonDesc>(L"x"), nullptr);
}

TEST(ThemeLoader, DocumentWithoutThemeDefinesNothing) {
    ThemeFixture f;
    EXPECT_FALSE(f.Load(L"<skin><color><item id=\"c\" value=\"RGB(1,2,3)\"/></color></skin>"));
    EXPECT_FALSE(f.Load(L""));
    EXPECT_EQ(f.manager.GetColor(L"c"), FakePlatform::SysColor(1));
    EXPECT_EQ(f.Desc<SkinButtonDesc>(L"button"), nullptr);
    EXPECT_EQ(f.manager.GetSharedWindowSettings().backgroundColor, FakePlatform::SysColor(kSkinSysColorBtnFace));
}

TEST(ThemeLoader, FontItems) {
    ThemeFixture f;
    f.platform.osMajorVersion = 5;
    f.Load(std::wstring(L"<theme><font>") + L"<item id=\"yahei\" fontface=\"" + kYaHei +
           L"\" fontsize=\"12\" underline=\"true\"/>" + L"<item id=\"\" fontface=\"Arial\" fontsize=\"12\"/>" +
           L"<item id=\"noface\" fontsize=\"12\"/>" + L"<item id=\"zero\" fontface=\"Arial\" fontsize=\"0\"/>" +
           L"<item id=\"negative\" fontface=\"Arial\" fontsize=\"-3\"/>" + L"</font></theme>");
    ASSERT_EQ(f.platform.fontsCreated.size(), 1u);
    EXPECT_EQ(f.platform.fontsCreated[0].face, kSongTi);
    EXPECT_TRUE(f.platform.fontsCreated[0].underline);
    EXPECT_FALSE(f.platform.fontsCreated[0].bold);
    EXPECT_EQ(f.manager.GetFont(L"noface"), nullptr);
    EXPECT_EQ(f.manager.GetFont(L"zero"), nullptr);
    // A negative size defines the font but makes no handle.
    ASSERT_NE(f.manager.GetFont(L"negative"), nullptr);
    EXPECT_EQ(f.manager.GetFontHandle(L"negative"), nullptr);

    ThemeFixture g;  // other versions keep the face
    g.Load(std::wstring(L"<theme><font><item id=\"y\" fontface=\"") + kYaHei + L"\" fontsize=\"9\"/></font></theme>");
    ASSERT_EQ(g.platform.fontsCreated.size(), 1u);
    EXPECT_EQ(g.platform.fontsCreated[0].face, kYaHei);
}

TEST(ThemeLoader, FontRedefinitionKeepsTheObjectAndReplacesTheHandle) {
    ThemeFixture f;
    f.Load(L"<theme><font><item id=\"f\" fontface=\"A\" fontsize=\"10\"/></font></theme>");
    const CSkinFont* first = f.manager.GetFont(L"f");
    void* firstHandle = f.manager.GetFontHandle(L"f");
    f.Load(L"<theme><font><item id=\"f\" fontface=\"B\" fontsize=\"20\" bold=\"true\"/></font></theme>");
    EXPECT_EQ(f.manager.GetFont(L"f"), first);
    EXPECT_NE(f.manager.GetFontHandle(L"f"), firstHandle);
    EXPECT_EQ(f.platform.live.size(), 1u);  // the old handle was deleted
    EXPECT_EQ(f.platform.fontsCreated.back().face, L"B");
}

TEST(ThemeLoader, FontsAreMadeOncePerDisplayScale) {
    ThemeFixture f;
    f.Load(L"<theme><font><item id=\"t\" fontface=\"A\" fontsize=\"16\" bold=\"true\"/></font></theme>");
    ASSERT_EQ(f.platform.fontsCreated.size(), 1u);
    void* at96 = f.manager.GetFontHandle(L"t");
    EXPECT_EQ(f.manager.GetFontHandle(L"t", SkinScale(96)), at96);
    void* at150 = f.manager.GetFontHandle(L"t", SkinScale(144));
    ASSERT_NE(at150, nullptr);
    EXPECT_NE(at150, at96);
    ASSERT_EQ(f.platform.fontsCreated.size(), 2u);
    EXPECT_EQ(f.platform.fontsCreated[1].height, 24);  // 16 at 150 %
    EXPECT_TRUE(f.platform.fontsCreated[1].bold);
    EXPECT_EQ(f.platform.fontsCreated[1].face, L"A");
    EXPECT_EQ(f.manager.GetFontHandle(L"t", SkinScale(144)), at150) << "made again";
    EXPECT_EQ(f.manager.GetFontHandle(L"t", SkinScale(120)) != at150, true);
    EXPECT_EQ(f.platform.fontsCreated.back().height, 20);  // 125 %
    // A redefinition forgets the fonts made for other scales.
    f.Load(L"<theme><font><item id=\"t\" fontface=\"B\" fontsize=\"10\"/></font></theme>");
    EXPECT_EQ(f.platform.live.size(), 1u);
    f.manager.GetFontHandle(L"t", SkinScale(192));
    EXPECT_EQ(f.platform.fontsCreated.back().height, 20);
    EXPECT_EQ(f.platform.fontsCreated.back().face, L"B");
}

TEST(ThemeLoader, ColourRedefinitionReplacesAndUnknownIdsGiveTheDesktopColour) {
    ThemeFixture f;
    f.Load(
        LR"T(<theme><color><item id="a" value="RGB(1,0,0)"/><item id="b"/><item value="RGB(9,9,9)"/>
                             <item id="a" value="RGB(300,0,0)"/></color></theme>)T");
    EXPECT_EQ(f.manager.GetColor(L"a"), 44u);
    EXPECT_EQ(f.manager.GetColor(L"b"), 0u);
    const auto& colors = f.manager.ThemeTables().colors;
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[0].first, L"b");
    EXPECT_EQ(colors[1].first, L"a");
    EXPECT_EQ(f.manager.GetColor(L"A"), FakePlatform::SysColor(1));
    EXPECT_EQ(f.manager.GetColor(L"a "), FakePlatform::SysColor(1));
}

TEST(ThemeLoader, CursorItems) {
    ThemeFixture f;
    f.Load(
        LR"T(<theme><cursor><item id="hand" value="#32649"/><item id="help" value="HELPCUR"/>
                              <item id="none"/><item id="hand" value="#32512"/></cursor></theme>)T");
    EXPECT_EQ(f.platform.systemCursorsLoaded, (std::vector<int>{32649, 32512}));
    EXPECT_EQ(f.platform.helpCursorsLoaded, (std::vector<std::wstring>{L"HELPCUR"}));
    EXPECT_NE(f.manager.GetCursor(L"hand"), nullptr);
    EXPECT_EQ(f.manager.GetCursor(L"none"), nullptr);
    EXPECT_EQ(f.manager.ThemeTables().cursors.size(), 2u);
    EXPECT_EQ(f.platform.live.size(), 2u);
}

TEST(ThemeLoader, ImageItemsBindEntriesOnce) {
    ThemeFixture f;
    f.AddPng(L"skin/a.png");
    f.AddPng(L"skin/b.png");
    f.AddPng(L"taken");
    CSkinDrawImage* a = f.manager.FindImage(L"skin/a.png");
    CSkinDrawImage* taken = f.manager.FindImage(L"taken");
    f.Load(
        LR"T(<theme><image><item id="first" value="skin\a.png"/><item id="second" value="skin\a.png"/>
                             <item id="taken" value="skin/b.png"/><item id="missing" value="skin\x.png"/>
                             <item id="" value="skin\b.png"/></image>
                      <command><item id="cmd" image="first"/><item id="cmd2" image="missing"/></command></theme>)T");
    EXPECT_EQ(f.manager.FindImage(L"first"), a);
    EXPECT_EQ(f.manager.FindImage(L"second"), nullptr);
    EXPECT_EQ(f.manager.FindImage(L"skin/a.png"), nullptr);
    // The id was taken: the first definition stays, the entry is unbound.
    EXPECT_EQ(f.manager.FindImage(L"taken"), taken);
    EXPECT_EQ(f.manager.FindImage(L"skin/b.png"), nullptr);
    EXPECT_EQ(f.manager.ThemeTables().unboundImages.size(), 1u);
    EXPECT_EQ(f.manager.FindImage(L"missing"), nullptr);
    EXPECT_EQ(f.manager.GetCommandImage(L"cmd"), a);
    EXPECT_EQ(f.manager.GetCommandImage(L"cmd2"), nullptr);
}

TEST(ThemeLoader, BitmapImagesTakeAdjustAndClipColour) {
    ThemeFixture f;
    f.AddBmp(L"a.BMP");
    f.AddBmp(L"b.bmp");
    f.AddPng(L"c.png");
    f.Load(
        LR"T(<theme><image><item id="a" value="a.BMP" adjusthsb="false" clipcolor="RGB(0,255,0)"/>
                             <item id="b" value="b.bmp" adjusthsb="no"/>
                             <item id="c" value="c.png" adjusthsb="false" clipcolor="RGB(0,255,0)"/></image></theme>)T");
    EXPECT_FALSE(f.manager.FindImage(L"a")->GetAdjustColors());
    EXPECT_EQ(f.manager.FindImage(L"a")->GetTransparentColor(), 0x00FF00u);
    EXPECT_TRUE(f.manager.FindImage(L"b")->GetAdjustColors());
    EXPECT_EQ(f.manager.FindImage(L"b")->GetTransparentColor(), 0xFF00FFu);
    EXPECT_TRUE(f.manager.FindImage(L"c")->GetAdjustColors());
    EXPECT_EQ(f.manager.FindImage(L"c")->GetTransparentColor(), 0xFF00FFu);
}

TEST(ThemeLoader, RedefinedControlReplacesTheFirstAndOldPointersStayValid) {
    ThemeFixture f;
    f.LoadControls(LR"T(<item class="button" id="b" width="10"/><item class="button" id="b" width="20"/>)T");
    const SkinButtonDesc* b = f.Desc<SkinButtonDesc>(L"b");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->layout.width, 20);
    f.LoadControls(LR"T(<item class="button" id="b" width="30"/>)T");
    EXPECT_EQ(f.Desc<SkinButtonDesc>(L"b")->layout.width, 30);
    EXPECT_EQ(b->layout.width, 20);  // a skinned window may still hold it
    EXPECT_EQ(f.manager.ThemeTables().descriptions[int(SkinDescClass::Button)].Size(), 1u);

    // List classes append the redefinition at the end.
    f.LoadControls(LR"T(<item class="listbox" id="x"/><item class="listbox" id="y"/><item class="listbox" id="x"/>)T");
    EXPECT_EQ(f.manager.ThemeTables().descriptions[int(SkinDescClass::ListBox)].ListOrder(),
              (std::vector<std::wstring>{L"y", L"x"}));
}

TEST(ThemeLoader, GettersFallBackToTheClassDefault) {
    ThemeFixture f;
    EXPECT_EQ(f.Desc<SkinButtonDesc>(L"nothing"), nullptr);
    f.LoadControls(
        LR"T(<item class="button" id="button" width="5"/><item class="slider" id="slider"/>
                       <item class="menu" id="menu"/><item class="Button" id="x"/><item class="static" id="button"/>)T");
    ASSERT_NE(f.Desc<SkinButtonDesc>(L"nothing"), nullptr);
    EXPECT_EQ(f.Desc<SkinButtonDesc>(L"nothing")->layout.width, 5);
    EXPECT_NE(f.Desc<SkinSliderDesc>(L"other"), nullptr);
    EXPECT_EQ(f.Desc<SkinMenuDesc>(L"other"), nullptr);  // menus have no class default
    EXPECT_NE(f.Desc<SkinMenuDesc>(L"menu"), nullptr);
    EXPECT_EQ(f.Desc<SkinStaticDesc>(L"nothing"), nullptr);  // "button" is not the static class name
    EXPECT_EQ(f.manager.ThemeTables().descriptions[int(SkinDescClass::Button)].Size(), 1u);  // "Button" ignored
}

TEST(ThemeLoader, ComwndSetsTheSharedWindowSettings) {
    ThemeFixture f;
    EXPECT_EQ(f.manager.GetSharedWindowSettings().backgroundColor, FakePlatform::SysColor(kSkinSysColorBtnFace));
    f.Load(
        LR"T(<theme><color><item id="edge" value="RGB(0,0,9)"/></color><constrol>
                <item class="comwnd" id="ignored"><attribute bmpScrollbar="sb" borderColor="#edge"/></item>
              </constrol></theme>)T");
    SkinSharedWindowSettings s = f.manager.GetSharedWindowSettings();
    EXPECT_EQ(s.bmpScrollbar, L"sb");
    EXPECT_EQ(s.borderColor, 0x090000u);
    EXPECT_EQ(s.backgroundColor, FakePlatform::SysColor(kSkinSysColorBtnFace));
    EXPECT_EQ(f.Desc<SkinWindowDesc>(L"ignored"), nullptr);
}
