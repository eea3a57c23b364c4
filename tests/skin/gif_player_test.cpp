// The GIF player on a fake window host: timers fired by hand, repaint
// requests and properties recorded.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/draw/skin_recording_canvas.h"
#include "skin/fake_window_host.h"
#include "skin/gif_builder.h"
#include "skin/picture/skin_animation_binding.h"
#include "skin/picture/skin_gif_player.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/zip_builder.h"

namespace {

using giftest::Builder;
using giftest::Frame;

constexpr uintptr_t kGifTimer = CSkinGifPlayer::kTimerId;

// A GIF of `frames` full frames of 3 x 2 pixels, each its own colour.
std::vector<uint8_t> Frames(int frames) {
    Builder b(3, 2, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}});
    for (int i = 0; i < frames; ++i) {
        Frame f;
        f.width = 3;
        f.height = 2;
        f.indices.assign(6, uint8_t(i % 4));
        b.Add(f);
    }
    return b.Finish();
}

struct GifPlayerTest : ::testing::Test {
    FakeWindowHost host;
    HWND owner = FakeWindow(1);
    SkinRect rect{10, 20, 40, 30};

    std::unique_ptr<CSkinGifPlayer> Player(int frames) {
        std::unique_ptr<CSkinGifPlayer> p(new CSkinGifPlayer());
        std::vector<uint8_t> file = Frames(frames);
        EXPECT_TRUE(p->LoadFromMemory(file.data(), file.size()));
        p->SetOwner(owner, 50);
        p->SetTarget(owner, rect);
        return p;
    }
    void* Property(HWND w) { return host.GetProperty(w, kSkinAnimateProperty); }
};

TEST_F(GifPlayerTest, StartingTakesTheOwnerAdvancesOnceAndStartsItsTimer) {
    auto p = Player(3);
    p->Play(true);
    EXPECT_TRUE(p->IsPlaying());
    EXPECT_TRUE(p->IsRunning());
    EXPECT_EQ(Property(owner), p.get());
    ASSERT_TRUE(host.TimerRuns(owner, kGifTimer));
    EXPECT_EQ(host.timers[std::make_pair(owner, kGifTimer)].milliseconds, 50u);
    EXPECT_EQ(p->FrameCounter(), 1);
    ASSERT_EQ(host.invalidations.size(), 1u);
    EXPECT_EQ(host.invalidations[0].rect, rect);
    EXPECT_FALSE(host.invalidations[0].erase);

    // Starting again changes nothing.
    p->Play(true);
    EXPECT_EQ(host.timerStarts, 1);
    EXPECT_EQ(p->FrameCounter(), 1);

    p->Play(false);
    EXPECT_FALSE(host.TimerRuns(owner, kGifTimer));
    EXPECT_EQ(Property(owner), nullptr);
    EXPECT_EQ(SkinAnimationsBoundTo(owner), 0);
}

TEST_F(GifPlayerTest, TimerAdvancesFramesAndRewindsAtTheEnd) {
    auto p = Player(3);
    p->Play(true);
    ASSERT_TRUE(host.Fire(owner, kGifTimer));
    ASSERT_TRUE(host.Fire(owner, kGifTimer));
    EXPECT_EQ(p->FrameCounter(), 3);
    EXPECT_EQ(p->Decoder().PixelAt(0, 0), 0x000000FFu);
    ASSERT_TRUE(host.Fire(owner, kGifTimer));  // rewinds: frame 1 again
    EXPECT_EQ(p->FrameCounter(), -3);
    EXPECT_EQ(p->Decoder().PixelAt(0, 0), 0x00FF0000u);
    ASSERT_TRUE(host.Fire(owner, kGifTimer));
    EXPECT_EQ(p->FrameCounter(), -3);          // stays negative
    EXPECT_EQ(host.invalidations.size(), 5u);  // every tick repaints
}

TEST_F(GifPlayerTest, SingleFrameIsDrawnOnceAndNotRepaintedAfterItsFirstRewind) {
    auto p = Player(1);
    p->Play(true);
    EXPECT_EQ(host.invalidations.size(), 1u);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(host.Fire(owner, kGifTimer));
    EXPECT_EQ(p->FrameCounter(), -1);
    EXPECT_EQ(host.invalidations.size(), 1u);
    SkinRecordingCanvas canvas;
    EXPECT_TRUE(p->Draw(canvas, rect));  // still drawn when the owner paints
}

TEST_F(GifPlayerTest, DrawsTheCanvasAtTheTopLeftAtTheCanvasScaleOnlyWhilePlaying) {
    auto p = Player(2);
    SkinRecordingCanvas canvas;
    EXPECT_FALSE(p->Draw(canvas, rect));
    p->Play(true);
    ASSERT_TRUE(p->Draw(canvas, SkinRect{5, 6, 100, 100}));
    ASSERT_EQ(canvas.Calls().size(), 1u);
    const SkinCanvasCall& call = canvas.Calls()[0];
    EXPECT_EQ(call.kind, SkinCanvasCall::Kind::Pixels);
    EXPECT_EQ(call.rect, (SkinRect{5, 6, 8, 8}));
    EXPECT_EQ(call.handle, p->Decoder().Pixels());
    EXPECT_EQ(call.x0, 12);  // stride

    // On a canvas of 200 % the frame is drawn at twice its size.
    SkinRecordingCanvas scaled;
    scaled.SetScale(SkinScale(192));
    ASSERT_TRUE(p->Draw(scaled, SkinRect{5, 6, 100, 100}));
    ASSERT_EQ(scaled.Calls().size(), 1u);
    EXPECT_EQ(scaled.Calls()[0].rect, (SkinRect{5, 6, 11, 10}));  // 3 x 2 doubled
    EXPECT_EQ(scaled.Calls()[0].x0, 24);
}

TEST_F(GifPlayerTest, NoGifDrawsNothing) {
    CSkinGifPlayer p;
    const char junk[] = "PNG not a gif file";
    EXPECT_FALSE(p.LoadFromMemory(reinterpret_cast<const uint8_t*>(junk), sizeof junk));
    p.SetOwner(owner, 0);
    EXPECT_EQ(p.Interval(), CSkinGifPlayer::kDefaultInterval);
    p.SetTarget(owner, rect);
    p.Play(true);
    host.Fire(owner, kGifTimer);
    SkinRecordingCanvas canvas;
    EXPECT_FALSE(p.Draw(canvas, rect));
    EXPECT_TRUE(host.invalidations.empty());
}

TEST_F(GifPlayerTest, LoadingAsksTheTargetToRepaint) {
    CSkinGifPlayer p;
    p.SetTarget(owner, rect);
    std::vector<uint8_t> file = Frames(2);
    EXPECT_TRUE(p.LoadFromMemory(std::vector<uint8_t>(file)));
    EXPECT_EQ(host.invalidations.size(), 1u);
}

TEST_F(GifPlayerTest, SecondAnimationOnAnOwnerShowsItsFrameWithoutATimer) {
    auto first = Player(3);
    auto second = Player(2);
    first->Play(true);
    second->Play(true);
    EXPECT_TRUE(second->IsPlaying());
    EXPECT_FALSE(second->IsRunning());
    EXPECT_EQ(second->FrameCounter(), 0);  // not advanced
    EXPECT_EQ(Property(owner), first.get());
    SkinRecordingCanvas canvas;
    EXPECT_TRUE(second->Draw(canvas, rect));

    // Its stop leaves the running one alone.
    second->Play(false);
    EXPECT_EQ(Property(owner), first.get());
    EXPECT_TRUE(host.TimerRuns(owner, kGifTimer));
    ASSERT_TRUE(host.Fire(owner, kGifTimer));
    EXPECT_EQ(first->FrameCounter(), 2);
}

TEST_F(GifPlayerTest, DestroyingAPlayerStopsItAndLeavesNothingBehind) {
    auto p = Player(2);
    p->Play(true);
    p.reset();
    EXPECT_FALSE(host.TimerRuns(owner, kGifTimer));
    EXPECT_EQ(Property(owner), nullptr);
    EXPECT_EQ(SkinAnimationsBoundTo(owner), 0);
    // A timer message still queued finds no player and is stopped.
    host.StartTimer(owner, kGifTimer, 10, &SkinAnimationTimer);
    EXPECT_TRUE(host.Fire(owner, kGifTimer));
    EXPECT_FALSE(host.TimerRuns(owner, kGifTimer));
}

TEST_F(GifPlayerTest, OwnerWindowGoingStopsEveryAnimationBoundToIt) {
    HWND other = FakeWindow(2);
    auto running = Player(3);
    auto waiting = Player(3);
    auto elsewhere = Player(3);
    elsewhere->SetOwner(other, 50);
    running->Play(true);
    waiting->Play(true);
    elsewhere->Play(true);
    EXPECT_EQ(SkinAnimationsBoundTo(owner), 2);

    SkinStopAnimations(owner);
    EXPECT_EQ(SkinAnimationsBoundTo(owner), 0);
    EXPECT_FALSE(running->IsPlaying());
    EXPECT_FALSE(waiting->IsPlaying());
    EXPECT_FALSE(host.TimerRuns(owner, kGifTimer));
    EXPECT_EQ(Property(owner), nullptr);
    EXPECT_TRUE(elsewhere->IsRunning());
    EXPECT_EQ(Property(other), elsewhere.get());

    // The shared player can start again on another window.
    running->SetOwner(FakeWindow(3), 50);
    running->Play(true);
    EXPECT_TRUE(running->IsRunning());
}

TEST(GifPlayerTable, EveryGifEntryOfThePackageBecomesAPlayerTheFirstOfANameFound) {
    std::vector<uint8_t> leave = giftest::ReadFile(std::string(TOVANE_TEST_GIF_DIR) + "/leave.gif");
    std::vector<uint8_t> single = giftest::ReadFile(std::string(TOVANE_TEST_GIF_DIR) + "/single.gif");
    ASSERT_FALSE(leave.empty());
    auto entry = [](const char* name, std::vector<uint8_t> data) {
        ziptest::Entry e;
        e.name = name;
        e.data = std::move(data);
        return e;
    };
    auto zip = ziptest::Build({entry("skin/a.gif", leave), entry("skin/b.GIF", single), entry("skin/a.gif", single)});
    CSkinResourceManager manager;
    ASSERT_EQ(manager.LoadFromMemory(zip.bytes.data(), zip.bytes.size(), nullptr), 1);
    ASSERT_EQ(manager.GifPlayers().size(), 3u);
    CSkinGifPlayer* a = manager.GetGifPlayer(L"skin/a.gif");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Decoder().Width(), 48);  // the first entry of the name
    EXPECT_EQ(a->Decoder().FileBytes(), leave);
    ASSERT_TRUE(manager.GetGifPlayer(L"skin/b.GIF"));
    EXPECT_TRUE(manager.GetGifPlayer(L"skin/b.GIF")->Decoder().HasCanvas());
    EXPECT_FALSE(manager.GetGifPlayer(L"skin/b.gif"));  // ids are case-sensitive
    EXPECT_FALSE(manager.FindImage(L"skin/a.gif"));     // GIFs are no images
}

}  // namespace
