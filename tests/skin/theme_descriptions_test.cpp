// Control descriptions: class attributes, drawing items and their order.
#include <gtest/gtest.h>

#include "skin/theme/skin_description_reader.h"
#include "skin/theme/skin_descriptions.h"
#include "theme_test_support.h"

using theme_test::FakePlatform;
using theme_test::ThemeFixture;

namespace {

// The drawing items of a button whose item children are `children`.
const SkinItemList& ButtonItems(ThemeFixture& f, const std::wstring& children) {
    f.LoadControls(L"<item class=\"button\" id=\"b\">" + children + L"</item>");
    const SkinButtonDesc* b = f.Desc<SkinButtonDesc>(L"b");
    EXPECT_NE(b, nullptr);
    static const SkinItemList kNone;
    return b ? b->items : kNone;
}

std::vector<SkinItemKind> Kinds(const SkinItemList& items) {
    std::vector<SkinItemKind> kinds;
    for (const auto& item : items) kinds.push_back(item->kind);
    return kinds;
}

}  // namespace

TEST(ThemeDescriptions, LayoutValues) {
    ThemeFixture f;
    f.LoadControls(LR"T(<item class="button" id="b" left="center" top="-5" right="3" bottom="4" height="7"/>)T");
    const SkinButtonDesc* b = f.Desc<SkinButtonDesc>(L"b");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->layout.left, kSkinCentered);
    EXPECT_EQ(b->layout.top, -5);
    EXPECT_EQ(b->layout.right, 3);
    EXPECT_EQ(b->layout.bottom, 4);
    EXPECT_EQ(b->layout.width, 0);
    EXPECT_EQ(b->layout.height, 7);
}

TEST(ThemeDescriptions, ItemsAreGroupedByKindInTheFixedOrder) {
    ThemeFixture f;
    const SkinItemList& items = ButtonItems(f,
                                            LR"T(
        <text id="t1"/><image id="i1"/><eventitem id="e"/><image id="i2"/><drawitem id="d"/>
        <animate id="a"/><line id="l"/><rectangle id="r"/><text id="t2"/><unknown id="u"/>)T");
    using K = SkinItemKind;
    EXPECT_EQ(Kinds(items), (std::vector<K>{K::Rectangle, K::Line, K::Animate, K::DrawItem, K::Image, K::Image,
                                            K::EventItem, K::Text, K::Text}));
    EXPECT_EQ(items[4]->id, L"i1");
    EXPECT_EQ(items[5]->id, L"i2");
    EXPECT_EQ(items[7]->id, L"t1");
}

TEST(ThemeDescriptions, ItemsBeforeTheAttributeElementAreNotLost) {
    ThemeFixture f;
    const SkinItemList& items = ButtonItems(f, LR"T(<rectangle id="r"/><attribute picNormal="p"/><line id="l"/>)T");
    EXPECT_EQ(Kinds(items), (std::vector<SkinItemKind>{SkinItemKind::Rectangle, SkinItemKind::Line}));
    EXPECT_EQ(f.Desc<SkinButtonDesc>(L"b")->picNormal, L"p");
}

TEST(ThemeDescriptions, ItemCommonFieldsAndImageDefaults) {
    ThemeFixture f;
    const SkinItemList& items = ButtonItems(f,
                                            LR"T(
        <image id="plain" left="center" top="-3" width="9"/>
        <image visible="false" state="checkeddisable" drawStyle="fill9grid" border9grid="(1,2)" partOffset="(4,5)"
               vertPaint="true" xSrc="1" ySrc="2" srcWidth="3" srcHeight="4"/>)T");
    ASSERT_EQ(items.size(), 2u);
    const SkinItemDesc& plain = *items[0];
    EXPECT_EQ(plain.layout.left, kSkinCentered);
    EXPECT_EQ(plain.layout.top, -3);
    EXPECT_EQ(plain.layout.width, 9);
    EXPECT_TRUE(plain.visible);
    EXPECT_EQ(plain.stateMask, 512u);
    EXPECT_EQ(plain.drawStyle, L"bitBlt");
    EXPECT_EQ(plain.border9grid, (SkinQuad{2, 2, 2, 2}));
    EXPECT_EQ(plain.partOffset, (SkinPair{2, 2}));
    const SkinItemDesc& full = *items[1];
    EXPECT_FALSE(full.visible);
    EXPECT_EQ(full.stateMask, 24u);
    EXPECT_EQ(full.drawStyle, L"fill9grid");
    EXPECT_EQ(full.border9grid, (SkinQuad{1, 2, -1, -1}));
    EXPECT_EQ(full.partOffset, (SkinPair{4, 5}));
    EXPECT_TRUE(full.vertPaint);
    EXPECT_EQ(full.srcHeight, 4);
}

TEST(ThemeDescriptions, TextItemFormatCodes) {
    ThemeFixture f;
    f.Load(
        LR"T(<theme><color><item id="c" value="RGB(0,0,1)"/></color><constrol><item class="button" id="b">
        <text id="default"/>
        <text id="wrap" singleLine="false" vertAlign="top" horizAlign="right"/>
        <text id="ellipsis" ellipsis="true" vertAlign="bottom" singleLine="no" adjusthsb="true"/>
        <text id="colours" color="#c"/><text id="unknowncolour" color="#none"/>
        </item></constrol></theme>)T");
    const SkinItemList& items = f.Desc<SkinButtonDesc>(L"b")->items;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0]->textFormat, 0x24u);
    EXPECT_FALSE(items[0]->adjustHsb);
    EXPECT_EQ(items[1]->textFormat, 0x2012u);
    EXPECT_EQ(items[2]->textFormat, 0x8828u);
    EXPECT_TRUE(items[2]->adjustHsb);
    EXPECT_EQ(items[3]->color, 0x010000u);
    EXPECT_EQ(items[4]->color, FakePlatform::SysColor(1));
}

TEST(ThemeDescriptions, LineItemsPenStyleAndBothPenWidthSpellings) {
    ThemeFixture f;
    const SkinItemList& items = ButtonItems(f,
                                            LR"T(
        <line id="plain"/><line id="dashdot" penStyle="dashdot" penWidth="3"/>
        <line id="lower" penStyle="DashDot" penwidth="4"/><line id="both" penStyle="dot" penWidth="5" penwidth="6"/>
        <line id="hsb" adjusthsb="false" penStyle="dashdotdot" penWidth="zero"/>)T");
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0]->penStyle, 0u);
    EXPECT_EQ(items[0]->penWidth, 1);
    EXPECT_TRUE(items[0]->adjustHsb);
    EXPECT_EQ(items[1]->penStyle, 3u);
    EXPECT_EQ(items[1]->penWidth, 3);
    EXPECT_EQ(items[2]->penStyle, 0u);
    EXPECT_EQ(items[2]->penWidth, 4);
    EXPECT_EQ(items[3]->penStyle, 2u);
    EXPECT_EQ(items[3]->penWidth, 5);
    EXPECT_EQ(items[4]->penStyle, 4u);
    EXPECT_EQ(items[4]->penWidth, 0);
    EXPECT_FALSE(items[4]->adjustHsb);
}

TEST(ThemeDescriptions, RectangleAndAnimateItems) {
    ThemeFixture f;
    const SkinItemList& items = ButtonItems(f,
                                            LR"T(
        <rectangle drawStyle="horiz" fillColor="RGB(1,0,0)" gradientEndColor="RGB(0,1,0)" round="(3,4)"/>
        <rectangle drawStyle="radial"/><rectangle drawStyle="vert" adjusthsb="false"/>
        <animate id="zero" delayTime="0" beginFrame="0" frameCount="0"/>
        <animate id="set" delayTime="50" beginFrame="3" frameCount="8" cycle="false" enablePlay="no"/>
        <animate id="negative" delayTime="-1" beginFrame="-2" frameCount="-3"/>)T");
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0]->fillMode, 1u);
    EXPECT_EQ(items[0]->fillColor, 1u);
    EXPECT_EQ(items[0]->gradientEndColor, 0x100u);
    EXPECT_EQ(items[0]->round, (SkinPair{3, 4}));
    EXPECT_TRUE(items[0]->adjustHsb);
    EXPECT_EQ(items[1]->fillMode, 0u);
    EXPECT_EQ(items[2]->fillMode, 2u);
    EXPECT_FALSE(items[2]->adjustHsb);
    for (int i : {3, 5}) {
        EXPECT_EQ(items[i]->delayTime, 200);
        EXPECT_EQ(items[i]->beginFrame, 1);
        EXPECT_EQ(items[i]->frameCount, 0);
        EXPECT_TRUE(items[i]->cycle);
    }
    EXPECT_EQ(items[4]->delayTime, 50);
    EXPECT_EQ(items[4]->beginFrame, 3);
    EXPECT_EQ(items[4]->frameCount, 8);
    EXPECT_FALSE(items[4]->cycle);
    EXPECT_TRUE(items[4]->enablePlay);
}

TEST(ThemeDescriptions, NestedItemsOfDrawitemAndEventitem) {
    ThemeFixture f;
    const SkinItemList& items = ButtonItems(f,
                                            LR"T(
        <drawitem id="d" state="over">
          <text id="t1"/><animate/><line/><eventitem id="e" cursor="hand"/><image/><rectangle/><text id="t2"/>
        </drawitem>
        <eventitem id="e2" state="down"><drawitem><image id="deep"/></drawitem><text/></eventitem>)T");
    ASSERT_EQ(items.size(), 2u);
    const SkinItemDesc& d = *items[0];
    EXPECT_EQ(d.kind, SkinItemKind::DrawItem);
    EXPECT_EQ(d.stateMask, 512u);  // drawitem has no state
    using K = SkinItemKind;
    EXPECT_EQ(Kinds(d.children), (std::vector<K>{K::Rectangle, K::Image, K::EventItem, K::Line, K::Text, K::Animate}));
    EXPECT_EQ(d.children[2]->cursor, L"hand");
    EXPECT_EQ(d.children[4]->id, L"t1");  // at most one per kind
    const SkinItemDesc& e = *items[1];
    EXPECT_EQ(e.stateMask, 4u);
    EXPECT_EQ(Kinds(e.children), (std::vector<K>{K::Text, K::DrawItem}));
    ASSERT_EQ(e.children[1]->children.size(), 1u);
    EXPECT_EQ(e.children[1]->children[0]->id, L"deep");
}

TEST(ThemeDescriptions, NestingDepthIsBounded) {
    std::wstring deep;
    for (int i = 0; i < 200; ++i) deep += L"<drawitem><eventitem>";
    for (int i = 0; i < 200; ++i) deep += L"</eventitem></drawitem>";
    ThemeFixture f;
    const SkinItemList& items = ButtonItems(f, deep);
    ASSERT_EQ(items.size(), 1u);
    int depth = 0;
    for (const SkinItemDesc* item = items[0].get(); item;
         item = item->children.empty() ? nullptr : item->children[0].get())
        ++depth;
    EXPECT_EQ(depth, kSkinMaxItemNesting);
}

TEST(ThemeDescriptions, ClassDefaultsWithoutAttributeElement) {
    ThemeFixture f;
    f.LoadControls(
        LR"T(<item class="edit" id="e"/><item class="listview" id="lv"/><item class="menubar" id="mb"/>
                       <item class="progress" id="p"/><item class="tree" id="t"/><item class="menu" id="m"/>
                       <item class="listbox" id="lb"/><item class="window" id="w"/>)T");
    const SkinEditDesc* e = f.Desc<SkinEditDesc>(L"e");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->nmarginleft, 2);
    EXPECT_EQ(e->backgroundNormalColor, 0xFFFFFFu);
    EXPECT_EQ(e->backgroundDisableColor, FakePlatform::SysColor(kSkinSysColorBtnFace));
    EXPECT_EQ(f.Desc<SkinListViewDesc>(L"lv")->itemHeight, 20);
    EXPECT_EQ(f.Desc<SkinMenuBarDesc>(L"mb")->menubarHeight, 18);
    EXPECT_EQ(f.Desc<SkinProgressDesc>(L"p")->drawStyle, L"bitBltBlt");
    EXPECT_EQ(f.Desc<SkinProgressDesc>(L"p")->borderOffset, (SkinQuad{5, 5, 5, 5}));
    EXPECT_TRUE(f.Desc<SkinTreeDesc>(L"t")->bLButtonDownExpand);
    EXPECT_EQ(f.Desc<SkinTreeDesc>(L"t")->alpha, -1);
    EXPECT_EQ(f.Desc<SkinMenuDesc>(L"m")->backgroundAlpha, 255);
    EXPECT_EQ(f.Desc<SkinMenuDesc>(L"m")->border9grid, (SkinQuad{6, 6, 6, 6}));
    EXPECT_EQ(f.Desc<SkinListBoxDesc>(L"lb")->itemHeight, 25);
    const SkinWindowDesc* w = f.Desc<SkinWindowDesc>(L"w");
    EXPECT_EQ(w->background.drawStyle, L"nodraw");
    EXPECT_EQ(w->background.frameStyle, L"framenormal");
    EXPECT_EQ(w->background.backgroundColor, FakePlatform::SysColor(kSkinSysColorBtnFace));
    EXPECT_TRUE(w->btnMax.hideDisable);
}

TEST(ThemeDescriptions, ClassAttributesAreRead) {
    ThemeFixture f;
    f.LoadControls(
        LR"T(
        <item class="tree" id="t"><attribute bLButtonDownExpand="false" itemHeight="30" drawImageOffset="(1,1)"/></item>
        <item class="listbox" id="lb"><attribute backgroundColor="RGB(1,2,3)" drawItem="true"/></item>
        <item class="checkbutton" id="c"><attribute picUncheckDisible="u" picIndeterminate="i" textDisibleColor="RGB(0,0,2)"/></item>
        <item class="radiobutton" id="r"><attribute picCheckedDisible="cd" drawFocusRect="true"/></item>
        <item class="spinbutton" id="s"><attribute bmpLeftDisble="ld" bmpRightDisable="rd"/></item>
        <item class="datetime" id="d"><attribute spinbuttonSkinLabel="12"/></item>
        <item class="tabctrl" id="tc"><attribute spinbuttonSkinLabel="spin" draw9grid="(1,2,3,4)"/></item>
        <item class="groupbutton" id="g"><attribute borderRound="4"/><image/></item>
        <item class="button" id="b"><attribute textOffset="(3,4)" spinbtnWidth="17" textDisableColor="RGB(0,0,0)"/>
                                    <attribute toolTip="second attribute element is ignored"/></item>)T");
    const SkinTreeDesc* t = f.Desc<SkinTreeDesc>(L"t");
    EXPECT_FALSE(t->bLButtonDownExpand);
    EXPECT_EQ(t->itemHeight, 30);
    EXPECT_EQ(t->drawImageOffset, (SkinQuad{1, 1, -1, -1}));
    const SkinListBoxDesc* lb = f.Desc<SkinListBoxDesc>(L"lb");
    EXPECT_EQ(lb->backgroundImage, L"RGB(1,2,3)");
    EXPECT_EQ(lb->backgroundColor, 0x030201u);
    EXPECT_TRUE(lb->drawItem);
    const SkinCheckButtonDesc* c = f.Desc<SkinCheckButtonDesc>(L"c");
    EXPECT_EQ(c->picUncheckDisible, L"u");
    EXPECT_EQ(c->picIndeterminate, L"i");
    EXPECT_EQ(c->textDisibleColor, 0x020000u);
    EXPECT_EQ(f.Desc<SkinRadioButtonDesc>(L"r")->picCheckedDisible, L"cd");
    EXPECT_TRUE(f.Desc<SkinRadioButtonDesc>(L"r")->drawFocusRect);
    EXPECT_EQ(f.Desc<SkinSpinButtonDesc>(L"s")->bmpLeftDisble, L"ld");
    EXPECT_EQ(f.Desc<SkinSpinButtonDesc>(L"s")->bmpRightDisable, L"rd");
    EXPECT_EQ(f.Desc<SkinDateTimeDesc>(L"d")->spinbuttonSkinLabel, 12);
    EXPECT_EQ(f.Desc<SkinTabCtrlDesc>(L"tc")->spinbuttonSkinLabel, L"spin");
    EXPECT_EQ(f.Desc<SkinTabCtrlDesc>(L"tc")->draw9grid, (SkinQuad{1, 2, 3, 4}));
    EXPECT_EQ(f.Desc<SkinGroupButtonDesc>(L"g")->borderRound, 4);
    EXPECT_TRUE(f.Desc<SkinGroupButtonDesc>(L"g")->items.empty());  // no drawing items for groupbutton
    const SkinButtonDesc* b = f.Desc<SkinButtonDesc>(L"b");
    EXPECT_EQ(b->textOffset, (SkinPair{3, 4}));
    EXPECT_EQ(b->spinbtnWidth, 17);
    EXPECT_EQ(b->textDisableColor, 0u);
    EXPECT_EQ(b->toolTip, L"");
}

TEST(ThemeDescriptions, WindowChildElements) {
    ThemeFixture f;
    f.LoadControls(
        LR"T(<item class="window" id="w">
        <background picFile="bg" captionHeight = "30" captionOffset="(1,2)"/>
        <btnmax picNormal="mx" hideDisable="false" offset="(5,6)"/>
        <btnclose picOver="co" hideDisable="false"/>
        <attribute sizeMin="(100,50)" titleMenuBar="true" textColor="RGB(0,9,0)"/>
        <bmpscrollbar picFile="sb"/>
        <image id="over-all"/><text id="caption"/>
      </item>)T");
    const SkinWindowDesc* w = f.Desc<SkinWindowDesc>(L"w");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->background.picFile, L"bg");
    EXPECT_EQ(w->background.captionHeight, 30);
    EXPECT_EQ(w->background.captionOffset, (SkinPair{1, 2}));
    EXPECT_EQ(w->btnMax.picNormal, L"mx");
    EXPECT_FALSE(w->btnMax.hideDisable);
    EXPECT_EQ(w->btnMax.offset, (SkinPair{5, 6}));
    EXPECT_EQ(w->btnClose.picOver, L"co");
    EXPECT_TRUE(w->btnClose.hideDisable);  // only btnmax reads hideDisable
    EXPECT_EQ(w->sizeMin, (SkinPair{100, 50}));
    EXPECT_TRUE(w->titleMenuBar);
    EXPECT_EQ(w->textColor, 0x0900u);
    EXPECT_EQ(w->scrollbarPicFile, L"sb");
    EXPECT_EQ(Kinds(w->items), (std::vector<SkinItemKind>{SkinItemKind::Image, SkinItemKind::Text}));
}
