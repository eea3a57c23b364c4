#include "skin/picture/skin_gif_player.h"

#include <utility>

#include "skin/picture/skin_resample.h"
#include "skin/platform/skin_window_host.h"

CSkinGifPlayer::CSkinGifPlayer() : binding_(this, kTimerId, &CSkinGifPlayer::TimerTick, &CSkinGifPlayer::OwnerGone) {}

CSkinGifPlayer::~CSkinGifPlayer() { binding_.Release(); }

void CSkinGifPlayer::TimerTick(void* player) { static_cast<CSkinGifPlayer*>(player)->Tick(); }

void CSkinGifPlayer::OwnerGone(void* player) {
    CSkinGifPlayer* self = static_cast<CSkinGifPlayer*>(player);
    self->playing_ = false;
    self->binding_.Release();
}

bool CSkinGifPlayer::LoadFromMemory(const uint8_t* bytes, size_t size, size_t maxPixels) {
    bool loaded = decoder_.Load(bytes, size, maxPixels);
    AfterLoad(loaded);
    return loaded;
}

bool CSkinGifPlayer::LoadFromMemory(std::vector<uint8_t>&& bytes, size_t maxPixels) {
    bool loaded = decoder_.Load(std::move(bytes), maxPixels);
    AfterLoad(loaded);
    return loaded;
}

void CSkinGifPlayer::AfterLoad(bool loaded) {
    counter_ = 0;
    repaint_ = true;
    if (loaded && decoder_.HasCanvas() && target_) SkinWindowHost().Invalidate(target_, &targetRect_, false);
}

void CSkinGifPlayer::SetOwner(HWND window, unsigned interval) {
    owner_ = window;
    interval_ = interval ? interval : kDefaultInterval;
}

void CSkinGifPlayer::SetTarget(HWND window, const SkinRect& rect) {
    target_ = window;
    targetRect_ = rect;
}

void CSkinGifPlayer::Play(bool on) {
    if (on == playing_) return;
    playing_ = on;
    if (!on) {
        binding_.Release();
        return;
    }
    if (!owner_) return;
    ISkinWindowHost& host = SkinWindowHost();
    if (host.GetProperty(owner_, kSkinAnimateProperty)) {
        // Another animation runs there: show the current frame, no timer.
        binding_.Attach(owner_);
        return;
    }
    binding_.Run(owner_, interval_);
    Tick();
}

void CSkinGifPlayer::Tick() {
    SkinGifDecoder::Step step = decoder_.Advance();
    if (step.rewound) {
        if (counter_ > 0) counter_ = -counter_;
        // A single frame never changes again: no more repaints.
        if (counter_ == -1) repaint_ = false;
    } else if (step.decoded && counter_ >= 0) {
        ++counter_;
    }
    if (step.decoded && decoder_.HasCanvas() && repaint_ && target_)
        SkinWindowHost().Invalidate(target_, &targetRect_, false);
}

bool CSkinGifPlayer::Draw(ISkinCanvas& canvas, const SkinRect& rect) {
    if (!playing_ || !decoder_.HasCanvas()) return false;
    const SkinScale& scale = canvas.Scale();
    if (!scale.IsIdentity()) {
        // The frame is opaque: resized as a picture without transparency.
        tovane::Picture frame;
        frame.width = decoder_.Width(), frame.height = decoder_.Height();
        frame.pixels.assign(decoder_.Pixels(),
                            decoder_.Pixels() + static_cast<size_t>(decoder_.Stride()) * frame.height);
        for (size_t i = 3; i < frame.pixels.size(); i += 4) frame.pixels[i] = 255;
        const SkinSize size = SkinScaledPictureSize(scale, frame.width, frame.height);
        const tovane::Picture scaled = SkinResamplePicture(frame, size.width, size.height);
        if (!scaled.Empty()) {
            canvas.DrawPixels(SkinBox{rect.left, rect.top, scaled.width, scaled.height}, scaled.pixels.data(),
                              scaled.width * 4);
            return true;
        }
    }
    canvas.DrawPixels(SkinBox{rect.left, rect.top, decoder_.Width(), decoder_.Height()}, decoder_.Pixels(),
                      decoder_.Stride());
    return true;
}
