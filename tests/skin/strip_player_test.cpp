// The strip player, and both player kinds on one owner window, on a fake
// window host.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "image/picture.h"
#include "skin/draw/skin_recording_canvas.h"
#include "skin/fake_window_host.h"
#include "skin/gif_builder.h"
#include "skin/picture/skin_animation_binding.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/picture/skin_gif_player.h"
#include "skin/picture/skin_png_player.h"

namespace {

constexpr uintptr_t kStripTimer = CSkinPngPlayer::kTimerId;
constexpr uintptr_t kGifTimer = CSkinGifPlayer::kTimerId;

std::unique_ptr<CSkinDrawImage> Strip(int w, int h) {
    tovane::Picture p;
    p.width = w;
    p.height = h;
    p.pixels.assign(size_t(w) * h * 4, 0xFF);
    return CSkinDrawImage::FromPicture(std::move(p), CSkinDrawImage::kTypePng);
}

std::vector<int> Frames(CSkinPngPlayer& p, FakeWindowHost& host, HWND owner, int ticks) {
    std::vector<int> seen{p.CurrentFrame()};
    for (int i = 0; i < ticks; ++i) {
        host.Fire(owner, kStripTimer);
        seen.push_back(p.CurrentFrame());
    }
    return seen;
}

struct StripPlayerTest : ::testing::Test {
    FakeWindowHost host;
    HWND owner = FakeWindow(1);
    std::unique_ptr<CSkinDrawImage> image = Strip(40, 9);
};

TEST_F(StripPlayerTest, CyclesThroughItsCellsOrStopsOnTheLast) {
    CSkinPngPlayer cycling;
    cycling.Init(owner, image.get(), 4, 30, true);
    cycling.Play(true);
    ASSERT_TRUE(host.TimerRuns(owner, kStripTimer));
    EXPECT_EQ(host.timers[std::make_pair(owner, kStripTimer)].milliseconds, 30u);
    EXPECT_EQ(Frames(cycling, host, owner, 5), (std::vector<int>{1, 2, 3, 4, 1, 2}));
    cycling.Play(false);

    CSkinPngPlayer once;
    once.Init(owner, image.get(), 4, 30, false);
    once.Play(true);
    EXPECT_EQ(Frames(once, host, owner, 5), (std::vector<int>{1, 2, 3, 4, 4, 4}));
}

TEST_F(StripPlayerTest, FrameCountBelowOneCountsAsOne) {
    for (int count : {0, -3}) {
        CSkinPngPlayer p;
        p.Init(owner, image.get(), count, 0, true);
        EXPECT_EQ(p.FrameCount(), 1);
        EXPECT_EQ(p.Delay(), CSkinPngPlayer::kDefaultDelay);
        p.Play(true);
        EXPECT_EQ(Frames(p, host, owner, 2), (std::vector<int>{1, 1, 1}));
        SkinRecordingCanvas canvas;
        p.Draw(canvas, 0, 0, 40, 9);
        for (const SkinPiece& piece : canvas.AllPieces()) EXPECT_EQ(piece.src, (SkinBox{0, 0, 40, 9}));
    }
    EXPECT_EQ(SkinStripFrameCell(40, 9, 0, 1), (SkinBox{0, 0, 40, 9}));
    EXPECT_EQ(SkinStripFrameCell(40, 9, 3, 3), (SkinBox{26, 0, 13, 9}));
    EXPECT_EQ(SkinStripFrameCell(40, 9, 3, 9), (SkinBox{26, 0, 13, 9}));
}

TEST_F(StripPlayerTest, DrawsTheCurrentCellAndRepaintsWhereItLastDrew) {
    CSkinPngPlayer p;
    p.Init(owner, image.get(), 4, 30, true);
    p.Play(true);
    host.Fire(owner, kStripTimer);  // cell 2
    SkinRecordingCanvas canvas;
    p.Draw(canvas, 5, 7, 15, 16);
    std::vector<SkinPiece> pieces = canvas.AllPieces();
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].src, (SkinBox{10, 0, 10, 9}));
    EXPECT_EQ(pieces[0].dst, (SkinBox{5, 7, 10, 9}));
    host.invalidations.clear();
    host.Fire(owner, kStripTimer);
    ASSERT_EQ(host.invalidations.size(), 1u);
    EXPECT_EQ(host.invalidations[0].window, owner);
    EXPECT_EQ(host.invalidations[0].rect, (SkinRect{5, 7, 15, 16}));
    EXPECT_FALSE(host.invalidations[0].erase);
}

TEST_F(StripPlayerTest, StartingTwiceStartsOnceAndStoppingCleansUp) {
    CSkinPngPlayer p;
    p.Init(owner, image.get(), 4, 30, true);
    p.Play(true);
    p.Play(true);
    EXPECT_EQ(host.timerStarts, 1);
    EXPECT_EQ(host.GetProperty(owner, kSkinAnimateProperty), &p);
    p.Play(false);
    EXPECT_FALSE(host.TimerRuns(owner, kStripTimer));
    EXPECT_EQ(host.GetProperty(owner, kSkinAnimateProperty), nullptr);
}

TEST_F(StripPlayerTest, StripTakesTheOwnerOverFromARunningGif) {
    std::vector<uint8_t> file = giftest::Builder(2, 2, {{1, 2, 3}, {4, 5, 6}}).Finish();
    CSkinGifPlayer gif;
    gif.LoadFromMemory(file.data(), file.size());
    gif.SetOwner(owner, 40);
    gif.Play(true);
    ASSERT_TRUE(gif.IsRunning());

    auto strip = std::make_unique<CSkinPngPlayer>();
    strip->Init(owner, image.get(), 4, 30, true);
    strip->Play(true);
    EXPECT_EQ(host.GetProperty(owner, kSkinAnimateProperty), strip.get());
    EXPECT_FALSE(host.TimerRuns(owner, kGifTimer));
    EXPECT_TRUE(gif.IsPlaying());  // still shows its frame
    EXPECT_FALSE(gif.IsRunning());

    // A late GIF timer reaches no strip player, and a strip timer no GIF.
    SkinAnimationTimer(owner, kGifTimer);
    EXPECT_EQ(strip->CurrentFrame(), 1);
    int counter = gif.FrameCounter();
    host.Fire(owner, kStripTimer);
    EXPECT_EQ(strip->CurrentFrame(), 2);
    EXPECT_EQ(gif.FrameCounter(), counter);

    // Stopping the GIF leaves the strip's property and timer.
    gif.Play(false);
    EXPECT_EQ(host.GetProperty(owner, kSkinAnimateProperty), strip.get());
    EXPECT_TRUE(host.TimerRuns(owner, kStripTimer));

    // A strip freed with its item leaves nothing behind.
    strip.reset();
    EXPECT_EQ(host.GetProperty(owner, kSkinAnimateProperty), nullptr);
    EXPECT_FALSE(host.TimerRuns(owner, kStripTimer));
    EXPECT_EQ(SkinAnimationsBoundTo(owner), 0);
}

TEST_F(StripPlayerTest, SecondStripOnAnOwnerTakesItOver) {
    CSkinPngPlayer first, second;
    first.Init(owner, image.get(), 4, 30, true);
    second.Init(owner, image.get(), 4, 30, true);
    first.Play(true);
    second.Play(true);
    EXPECT_FALSE(first.IsRunning());
    EXPECT_TRUE(second.IsRunning());
    host.Fire(owner, kStripTimer);
    EXPECT_EQ(first.CurrentFrame(), 1);
    EXPECT_EQ(second.CurrentFrame(), 2);
    first.Play(false);  // must not stop the second one's timer
    EXPECT_TRUE(host.TimerRuns(owner, kStripTimer));
    EXPECT_EQ(host.GetProperty(owner, kSkinAnimateProperty), &second);
    SkinStopAnimations(owner);
    EXPECT_FALSE(second.IsPlaying());
    EXPECT_FALSE(host.TimerRuns(owner, kStripTimer));
}

}  // namespace
