// CSkinGifPlayer: an animated GIF of the skin package, played on an owner
// window's timer and drawn by the animate items that name it.
//
// The resource manager keeps one player per GIF entry; every item naming
// the entry shares it. An item binds it to its window (SetOwner), tells it
// where it is drawn at each paint (SetTarget) and starts or stops it
// (Play). Each tick decodes the next frame and asks the target window to
// repaint the target rectangle, without erasing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/win_types.h"
#include "skin/draw/skin_canvas.h"
#include "skin/draw/skin_geometry.h"
#include "skin/picture/skin_animation_binding.h"
#include "skin/picture/skin_gif_decoder.h"

class CSkinGifPlayer {
public:
    static constexpr uintptr_t kTimerId = 2132;
    static constexpr unsigned kDefaultInterval = 200;

    CSkinGifPlayer();
    virtual ~CSkinGifPlayer();
    CSkinGifPlayer(const CSkinGifPlayer&) = delete;
    CSkinGifPlayer& operator=(const CSkinGifPlayer&) = delete;

    // Drops any earlier file, keeps a copy of this one and reads its header
    // (`maxPixels` caps the canvas for a caller's memory budget). Asks the
    // target window to repaint when there is a canvas to show. False when
    // the bytes are no GIF: the player then draws nothing.
    bool LoadFromMemory(const uint8_t* bytes, size_t size, size_t maxPixels = SIZE_MAX);
    bool LoadFromMemory(std::vector<uint8_t>&& bytes, size_t maxPixels = SIZE_MAX);

    // The window whose timer drives the player, and the timer's interval in
    // milliseconds (0 gives the default, 200).
    void SetOwner(HWND window, unsigned interval);
    // Where the current frame is drawn: the window asked to repaint at each
    // tick and the rectangle in it.
    void SetTarget(HWND window, const SkinRect& rect);

    // Starts or stops; a request equal to the current state does nothing.
    // Starting on an owner that already runs an animation leaves the player
    // showing its current frame without a timer; otherwise it takes the
    // owner, advances once and starts timer 2132.
    void Play(bool on);
    // Advances one frame and asks for the repaint (see the decoder for the
    // rewind at the end of the stream).
    void Tick();
    // While playing: the canvas, opaque, at the rectangle's top-left corner,
    // resized to the canvas's scale. False when nothing was drawn.
    bool Draw(ISkinCanvas& canvas, const SkinRect& rect);

    bool IsPlaying() const { return playing_; }
    // Holds its owner's timer.
    bool IsRunning() const { return binding_.IsRunning(); }
    HWND Owner() const { return owner_; }
    unsigned Interval() const { return interval_; }
    // Frames decoded since the load; negated at the first rewind.
    int FrameCounter() const { return counter_; }
    bool WantsRepaint() const { return repaint_; }
    const SkinGifDecoder& Decoder() const { return decoder_; }
    // The most memory the canvas can come to.
    size_t MaxMemoryBytes() const { return decoder_.MaxMemoryBytes(); }

private:
    static void TimerTick(void* player);
    static void OwnerGone(void* player);
    void AfterLoad(bool loaded);

    SkinGifDecoder decoder_;
    SkinAnimationBinding binding_;
    bool repaint_ = true;
    bool playing_ = false;
    int counter_ = 0;
    HWND owner_ = nullptr;
    unsigned interval_ = kDefaultInterval;
    HWND target_ = nullptr;
    SkinRect targetRect_;
};
