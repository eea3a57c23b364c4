// Drawing items against a fake owner: placement, state filtering, clicks,
// texts and pictures set at run time, and mouse tracking.
#include <gtest/gtest.h>

#include <string>

#include "skin/draw/skin_recording_canvas.h"
#include "skin/fake_window_host.h"
#include "skin/gif_builder.h"
#include "skin/picture/skin_animation_binding.h"
#include "skin/picture/skin_gif_player.h"
#include "skin/platform/skin_graphics.h"
#include "skin/theme_test_support.h"
#include "skin/windows/items/directui_draw_item.h"
#include "skin/windows/items/directui_event_item.h"
#include "skin/windows/items/directui_image.h"
#include "skin/windows/items/directui_text.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/zip_builder.h"

namespace {

// A skin object whose state the test sets directly.
class FakeOwner : public CSkinBase {
public:
    FakeOwner(HWND window, const SkinControlDesc* desc, SkinRect client, bool frame = false)
        : CSkinBase(window), frame_(frame) {
        description_ = desc;
        clientRect_ = client;
        RebuildItems(desc->items);
    }
    void SetMask(uint32_t mask) { stateMask_ = mask; }
    // A frame takes its items' clicks itself, as CSkinWndSB does.
    HWND ItemClickTarget() const override { return frame_ ? window_ : CSkinBase::ItemClickTarget(); }

private:
    bool frame_;
};

struct ItemsFixture {
    FakeWindowHost host;
    theme_test::ThemeFixture theme;
    HWND window = FakeWindow(1);
    HWND parent = FakeWindow(2);

    ItemsFixture() { host.parents[window] = parent; }

    // Items of a button item holding `xml`.
    const SkinControlDesc* Button(const std::wstring& xml) {
        EXPECT_TRUE(theme.LoadControls(L"<item class=\"button\" id=\"b\">" + xml + L"</item>"));
        return theme.Desc<SkinButtonDesc>(L"b");
    }
};

std::vector<SkinRect> TextRects(const SkinRecordingCanvas& canvas) {
    std::vector<SkinRect> rects;
    for (const SkinCanvasCall& c : canvas.Calls())
        if (c.kind == SkinCanvasCall::Kind::Text) rects.push_back(c.rect);
    return rects;
}

TEST(DirectUIItems, PlacementFollowsTheLayout) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(
        L"<text id=\"a\" string=\"A\" left=\"-10\" top=\"2\" width=\"8\" height=\"6\"/>"
        L"<text id=\"b\" string=\"B\" left=\"center\" top=\"center\" width=\"100\" height=\"20\"/>"
        L"<text id=\"c\" string=\"C\" left=\"5\" top=\"5\" right=\"-5\" bottom=\"-5\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 300, 40});
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);
    std::vector<SkinRect> rects = TextRects(canvas);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], (SkinRect{290, 2, 298, 8}));
    EXPECT_EQ(rects[1], (SkinRect{100, 10, 200, 30}));
    EXPECT_EQ(rects[2], (SkinRect{5, 5, 295, 35}));
}

TEST(DirectUIItems, AtTheOwnersScaleItemsAndTheirLinesGrow) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(
        L"<text id=\"a\" string=\"A\" left=\"-10\" top=\"2\" width=\"8\" height=\"6\"/>"
        L"<text id=\"b\" string=\"B\" left=\"center\" top=\"center\" width=\"100\" height=\"20\"/>"
        L"<line id=\"l\" left=\"0\" top=\"0\" width=\"10\" height=\"1\" penWidth=\"1\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 450, 60});
    owner.InitScale(SkinScale(144));
    owner.RebuildItems(desc->items);
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);
    std::vector<SkinRect> rects = TextRects(canvas);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], (SkinRect{435, 3, 447, 12}));   // 15 from the right, 12 x 9
    EXPECT_EQ(rects[1], (SkinRect{150, 15, 300, 45}));  // 150 x 30, centred
    bool line = false;
    for (const SkinCanvasCall& c : canvas.Calls()) {
        if (c.kind != SkinCanvasCall::Kind::Line) continue;
        line = true;
        EXPECT_EQ(c.x1, 15);  // from (0, 0) to (15, 2)
        EXPECT_EQ(c.y1, 2);
    }
    EXPECT_TRUE(line);
}

TEST(DirectUIItems, StateMasksSelectWhatIsDrawn) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(
        L"<text id=\"n\" string=\"normal\" state=\"normal\"/>"
        L"<text id=\"d\" string=\"down\" state=\"down\"/>"
        L"<text id=\"a\" string=\"always\"/>"
        L"<text id=\"h\" string=\"hidden\" visible=\"false\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    auto drawnFor = [&](uint32_t mask) {
        owner.SetMask(mask);
        SkinRecordingCanvas canvas;
        owner.DrawItems(canvas);
        return canvas.Texts();
    };
    EXPECT_EQ(drawnFor(kSkinStateNormal), (std::vector<std::wstring>{L"normal", L"always"}));
    EXPECT_EQ(drawnFor(kSkinStateDown), (std::vector<std::wstring>{L"down", L"always"}));
    EXPECT_EQ(drawnFor(kSkinStateOver), (std::vector<std::wstring>{L"always"}));
}

TEST(DirectUIItems, StateOfAControl) {
    // Disabled wins over hover and press; focus draws the normal items.
    EXPECT_EQ(SkinControlState(false, true, true, true), (SkinState{kSkinIndexDisabled, kSkinStateDisable}));
    EXPECT_EQ(SkinControlState(true, true, true, false), (SkinState{kSkinIndexDown, kSkinStateDown}));
    EXPECT_EQ(SkinControlState(true, true, false, true), (SkinState{kSkinIndexOver, kSkinStateOver}));
    EXPECT_EQ(SkinControlState(true, false, true, true), (SkinState{kSkinIndexFocus, kSkinStateNormal}));
    EXPECT_EQ(SkinControlState(true, false, false, false), (SkinState{kSkinIndexNormal, kSkinStateNormal}));
}

TEST(DirectUIItems, EventItemPostsAClickOnlyForAPressAndReleaseInsideWithoutLeaving) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(
        L"<eventitem id=\"go\" left=\"10\" top=\"0\" width=\"20\" height=\"20\">"
        L"<text string=\"over\" state=\"over\"/></eventitem>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);  // items learn their rectangles when drawn
    auto* event = static_cast<DirectUI_EventItem*>(owner.Items()[0].get());

    // Pressed inside, released outside: nothing is posted, nothing stays down.
    EXPECT_TRUE(owner.ItemsButtonDown(0, 15, 5));
    EXPECT_EQ(event->State(), kSkinStateDown);
    EXPECT_FALSE(owner.ItemsButtonUp(0, 50, 5));
    EXPECT_TRUE(f.host.posted.empty());
    EXPECT_EQ(event->State(), kSkinStateNormal);

    // Pressed inside, left, come back and released inside: leaving let go of
    // the press, so nothing is posted and the way back shows "over".
    EXPECT_TRUE(owner.ItemsButtonDown(0, 15, 5));
    EXPECT_EQ(owner.ItemsMouseMove(0, 50, 5), nullptr);
    EXPECT_EQ(event->State(), kSkinStateNormal);
    EXPECT_EQ(owner.ItemsMouseMove(0, 15, 5), event);
    EXPECT_EQ(event->State(), kSkinStateOver);
    EXPECT_FALSE(owner.ItemsButtonUp(0, 15, 5));
    EXPECT_TRUE(f.host.posted.empty());

    // Inside and inside: WM_SKIN_ITEMCLICK to the parent of a control.
    EXPECT_TRUE(owner.ItemsButtonDown(0, 15, 5));
    EXPECT_TRUE(owner.ItemsButtonUp(0, 16, 6));
    ASSERT_EQ(f.host.posted.size(), 1u);
    const FakeWindowHost::Posted& p = f.host.posted[0];
    EXPECT_EQ(p.window, f.parent);
    EXPECT_EQ(p.message, static_cast<UINT>(WM_SKIN_ITEMCLICK));
    EXPECT_EQ(p.wParam, reinterpret_cast<WPARAM>(f.window));
    // The id pointer stays valid after the item is gone: it is the theme's.
    owner.RebuildItems(SkinItemList());
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(p.lParam)), L"go");

    // A frame's items post to the frame itself.
    FakeOwner frame(f.window, desc, SkinRect{0, 0, 100, 20}, true);
    frame.DrawItems(canvas);
    frame.ItemsButtonDown(0, 15, 5);
    frame.ItemsButtonUp(0, 15, 5);
    ASSERT_EQ(f.host.posted.size(), 2u);
    EXPECT_EQ(f.host.posted[1].window, f.window);
}

TEST(DirectUIItems, EventItemDrawsChildrenByItsOwnState) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(
        L"<eventitem id=\"e\" left=\"0\" top=\"0\" width=\"50\" height=\"20\">"
        L"<text string=\"n\" state=\"normal\"/><image picFile=\"p\" state=\"over\"/></eventitem>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);
    EXPECT_EQ(canvas.Texts(), std::vector<std::wstring>{L"n"});
    EXPECT_EQ(owner.ItemsMouseMove(0, 10, 10), owner.Items()[0].get());
    canvas.Clear();
    owner.DrawItems(canvas);
    EXPECT_TRUE(canvas.Texts().empty());
}

TEST(DirectUIItems, LeavingClearsTheHotItemEvenInWideWindows) {
    ItemsFixture f;
    // An item far right, where an old "nowhere" point of (1000, 1000) lies.
    const SkinControlDesc* desc =
        f.Button(L"<eventitem id=\"e\" left=\"900\" top=\"900\" width=\"400\" height=\"400\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 1600, 1600});
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);
    EXPECT_NE(owner.ItemsMouseMove(0, 1000, 1000), nullptr);
    owner.ItemsMouseLeave();
    EXPECT_EQ(owner.HotItem(), nullptr);
    EXPECT_EQ(static_cast<DirectUI_EventItem*>(owner.Items()[0].get())->State(), kSkinStateNormal);
}

TEST(DirectUIItems, PropertiesChangeTheFirstImageOrTextOfThatId) {
    ItemsFixture f;
    const SkinControlDesc* desc =
        f.Button(L"<text id=\"x\" string=\"old\"/><image id=\"x\" picFile=\"a\"/><line id=\"l\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    // Images come before texts in the item list: the image takes the name.
    EXPECT_TRUE(owner.SetItemProperty(L"x", L"b"));
    auto* image = static_cast<DirectUI_Image*>(owner.Items()[1].get());
    auto* text = static_cast<DirectUI_Text*>(owner.Items()[2].get());
    EXPECT_EQ(image->PictureId(), L"b");
    EXPECT_EQ(text->DisplayedText(), L"old");
    EXPECT_FALSE(owner.SetItemProperty(L"l", L"b"));  // lines are never matched
    EXPECT_FALSE(owner.SetItemProperty(L"missing", L"b"));
    EXPECT_FALSE(owner.SetItemProperty(L"X", L"b"));  // ids are case-sensitive
}

TEST(DirectUIItems, TextSetAtRunTimeSurvivesColourAdjustment) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(L"<text id=\"text\" string=\"first\" color=\"RGB(1,2,3)\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    ASSERT_TRUE(owner.SetItemProperty(L"text", L"second"));
    owner.ItemsAdjustColors(SkinColorShift{});
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);
    ASSERT_EQ(canvas.Calls().size(), 1u);
    EXPECT_EQ(canvas.Calls()[0].text, L"second");
    EXPECT_EQ(canvas.Calls()[0].color, SkinRgb(1, 2, 3));
}

TEST(DirectUIItems, EmptyTextShowsTheWindowTextCutTo511Characters) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(L"<text id=\"text\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    f.host.texts[f.window] = L"caption";
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);
    EXPECT_EQ(canvas.Texts(), std::vector<std::wstring>{L"caption"});

    owner.SetItemProperty(L"text", std::wstring(600, L'x'));
    canvas.Clear();
    owner.DrawItems(canvas);
    ASSERT_EQ(canvas.Texts().size(), 1u);
    EXPECT_EQ(canvas.Texts()[0].size(), DirectUI_Text::kMaxDrawnChars);
}

TEST(DirectUIItems, TheFormatCodeReachesTheTextCall) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(
        L"<text id=\"a\" string=\"a\" horizAlign=\"center\" ellipsis=\"true\"/>"
        L"<text id=\"b\" string=\"b\" singleLine=\"false\" vertAlign=\"bottom\" horizAlign=\"right\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);
    ASSERT_EQ(canvas.Calls().size(), 2u);
    EXPECT_EQ(canvas.Calls()[0].format,
              kSkinDtCenter | kSkinDtVCenter | kSkinDtSingleLine | kSkinDtEndEllipsis | kSkinDtNoPrefix);
    EXPECT_EQ(canvas.Calls()[1].format, kSkinDtRight | kSkinDtBottom | kSkinDtWordBreak | kSkinDtEditControl);
}

TEST(DirectUIItems, RebuildingClearsTheHotItem) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(L"<eventitem id=\"e\" left=\"0\" top=\"0\" width=\"20\" height=\"20\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);
    ASSERT_NE(owner.ItemsMouseMove(0, 5, 5), nullptr);
    owner.RebuildItems(desc->items);
    EXPECT_EQ(owner.HotItem(), nullptr);
    EXPECT_FALSE(owner.ItemsSetCursor(5, 5));
}

// A two-frame GIF in the engine's package under `name`, as a theme's GIF
// entry becomes a shared player.
CSkinGifPlayer* PackageGif(const char* name) {
    giftest::Builder gif(2, 2, {{255, 0, 0}, {0, 0, 255}});
    for (uint8_t i = 0; i < 2; ++i) {
        giftest::Frame frame;
        frame.width = frame.height = 2;
        frame.indices.assign(4, i);
        gif.Add(frame);
    }
    ziptest::Entry entry;
    entry.name = name;
    entry.data = gif.Finish();
    auto zip = ziptest::Build({entry});
    CSkinResourceManager* manager = GetSkinResourceManager();
    if (manager->LoadFromMemory(zip.bytes.data(), zip.bytes.size(), nullptr) != 1) return nullptr;
    std::wstring id(name, name + std::char_traits<char>::length(name));
    return manager->GetGifPlayer(id);
}

TEST(DirectUIItems, ReskinningKeepsTheGifAnimationRunning) {
    ItemsFixture f;
    CSkinGifPlayer* player = PackageGif("skin/reskin.gif");
    ASSERT_NE(player, nullptr);
    const SkinControlDesc* desc =
        f.Button(L"<animate id=\"a\" picFile=\"skin/reskin.gif\" delayTime=\"40\" width=\"2\" height=\"2\"/>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    ASSERT_TRUE(player->IsRunning());

    // The same description again, as a second attach of the same id does:
    // the new item takes the player over from the old one before it goes.
    owner.SetDescription(desc, L"b");
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_TRUE(player->IsRunning());
    EXPECT_EQ(f.host.GetProperty(f.window, kSkinAnimateProperty), player);
    EXPECT_EQ(f.host.timers.count({f.window, CSkinGifPlayer::kTimerId}), 1u);

    // A description without the animation stops it.
    const SkinControlDesc* still = f.Button(L"<text id=\"t\" string=\"still\"/>");
    owner.SetDescription(still, L"b");
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(f.host.GetProperty(f.window, kSkinAnimateProperty), nullptr);
}

TEST(DirectUIItems, GroupsRememberWhichChildTookTheClick) {
    ItemsFixture f;
    const SkinControlDesc* desc = f.Button(
        L"<drawitem id=\"g\" left=\"10\" top=\"0\" width=\"80\" height=\"20\">"
        L"<eventitem id=\"inner\" left=\"0\" top=\"0\" width=\"10\" height=\"10\"/></drawitem>");
    FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
    SkinRecordingCanvas canvas;
    owner.DrawItems(canvas);
    auto* group = static_cast<DirectUI_DrawItem*>(owner.Items()[0].get());
    // The child sits inside the group: (10..20, 0..10) in owner coordinates.
    EXPECT_FALSE(owner.ItemsButtonDown(0, 5, 5));
    EXPECT_TRUE(owner.ItemsButtonDown(0, 15, 5));
    EXPECT_TRUE(owner.ItemsButtonUp(0, 15, 5));
    EXPECT_EQ(group->LastClickedId(), L"inner");
    owner.ItemsButtonDown(0, 50, 15);
    EXPECT_EQ(group->LastClickedId(), L"");
}

TEST(DirectUIItems, RectanglesAndLinesHoldTheirObjects) {
    ItemsFixture f;
    long before = SkinGraphics().LiveObjects();
    {
        const SkinControlDesc* desc = f.Button(
            L"<rectangle id=\"hollow\" fillColor=\"RGB(0,0,0)\" borderColor=\"RGB(9,9,9)\" round=\"(4,4)\"/>"
            L"<rectangle id=\"filled\" fillColor=\"RGB(1,0,0)\"/>"
            L"<rectangle id=\"grad\" drawStyle=\"vert\" gradientBeginColor=\"RGB(1,1,1)\" "
            L"gradientEndColor=\"RGB(2,2,2)\"/>"
            L"<line id=\"l\" left=\"1\" top=\"2\" width=\"10\" height=\"0\" bottom=\"-3\"/>");
        FakeOwner owner(f.window, desc, SkinRect{0, 0, 100, 20});
        SkinRecordingCanvas canvas;
        for (int i = 0; i < 100; ++i) {
            owner.DrawItems(canvas);
            owner.ItemsAdjustColors(SkinColorShift{});
        }
        const auto& calls = canvas.Calls();
        ASSERT_GE(calls.size(), 4u);
        EXPECT_EQ(calls[0].kind, SkinCanvasCall::Kind::RoundRect);
        EXPECT_EQ(calls[0].handle2, SkinGraphics().NullBrush());
        EXPECT_EQ(calls[0].x0, 4);
        EXPECT_EQ(calls[1].kind, SkinCanvasCall::Kind::RoundRect);
        EXPECT_NE(calls[1].handle2, SkinGraphics().NullBrush());
        EXPECT_EQ(calls[2].kind, SkinCanvasCall::Kind::Gradient);
        EXPECT_TRUE(calls[2].vertical);
        ASSERT_EQ(calls[3].kind, SkinCanvasCall::Kind::Line);
        EXPECT_EQ(calls[3].x0, 1);
        EXPECT_EQ(calls[3].x1, 11);
        EXPECT_EQ(calls[3].y1, 17);
    }
    // Re-made pens and brushes replace the old ones; nothing is left behind.
    EXPECT_EQ(SkinGraphics().LiveObjects(), before);
}

}  // namespace
