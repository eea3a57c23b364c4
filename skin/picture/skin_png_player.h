// CSkinPngPlayer: a picture strip (all frames side by side in one image)
// played cell by cell on an owner window's timer.
//
// Each animate item that shows a strip owns one. The item sets it up with
// Init, starts or stops it with Play and lets it draw the current cell
// when the owner paints; each tick moves to the next cell and asks the
// owner to repaint the rectangle of the last draw, without erasing.
#pragma once

#include <cstdint>

#include "common/win_types.h"
#include "skin/draw/skin_canvas.h"
#include "skin/draw/skin_geometry.h"
#include "skin/picture/skin_animation_binding.h"

class CSkinDrawImage;

// The cell of frame `frame` (1-based) of a strip `imageW` x `imageH` of
// `frameCount` cells: a count below 1 counts as 1 and the frame is kept
// within the count.
SkinBox SkinStripFrameCell(int imageW, int imageH, int frameCount, int frame);

class CSkinPngPlayer {
public:
    static constexpr uintptr_t kTimerId = 11202;
    static constexpr unsigned kDefaultDelay = 200;

    CSkinPngPlayer();
    virtual ~CSkinPngPlayer();
    CSkinPngPlayer(const CSkinPngPlayer&) = delete;
    CSkinPngPlayer& operator=(const CSkinPngPlayer&) = delete;

    // Records the owner, the strip (not owned; the theme keeps it), the
    // number of cells, the delay in milliseconds (0 gives 200) and whether
    // the animation starts over after the last cell; back to frame 1.
    void Init(HWND owner, CSkinDrawImage* image, int frameCount, unsigned delay, bool cycle);

    // Starts or stops; a request equal to the current state does nothing.
    // Starting takes the owner over from any animation running there.
    void Play(bool on);
    // Next cell: without cycling the last cell stays; with it, the last is
    // followed by the first.
    void Tick();
    // The current cell at (x, y), 1:1, its transparent parts left out;
    // (x, y, right, bottom) is remembered for the tick's repaint. Returns
    // what the image's drawing returned.
    int Draw(ISkinCanvas& canvas, int x, int y, int right, int bottom);

    int CurrentFrame() const { return current_; }
    // The number of cells, at least 1.
    int FrameCount() const { return frameCount_ < 1 ? 1 : frameCount_; }
    unsigned Delay() const { return delay_; }
    bool IsPlaying() const { return playing_; }
    bool IsRunning() const { return binding_.IsRunning(); }
    const SkinRect& LastDraw() const { return lastDraw_; }

private:
    static void TimerTick(void* player);
    static void OwnerGone(void* player);

    SkinAnimationBinding binding_;
    CSkinDrawImage* image_ = nullptr;
    int frameCount_ = 0;
    int current_ = 1;
    unsigned delay_ = kDefaultDelay;
    bool cycle_ = true;
    bool playing_ = false;
    HWND owner_ = nullptr;
    SkinRect lastDraw_;
};
