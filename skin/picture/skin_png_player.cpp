#include "skin/picture/skin_png_player.h"

#include <algorithm>

#include "skin/picture/skin_draw_image.h"
#include "skin/platform/skin_window_host.h"

SkinBox SkinStripFrameCell(int imageW, int imageH, int frameCount, int frame) {
    int count = frameCount < 1 ? 1 : frameCount;
    int cellW = imageW > 0 ? imageW / count : 0;
    frame = std::min(std::max(frame, 1), count);
    return SkinBox{cellW * (frame - 1), 0, cellW, imageH > 0 ? imageH : 0};
}

CSkinPngPlayer::CSkinPngPlayer() : binding_(this, kTimerId, &CSkinPngPlayer::TimerTick, &CSkinPngPlayer::OwnerGone) {}

CSkinPngPlayer::~CSkinPngPlayer() { binding_.Release(); }

void CSkinPngPlayer::TimerTick(void* player) { static_cast<CSkinPngPlayer*>(player)->Tick(); }

void CSkinPngPlayer::OwnerGone(void* player) {
    CSkinPngPlayer* self = static_cast<CSkinPngPlayer*>(player);
    self->playing_ = false;
    self->binding_.Release();
}

void CSkinPngPlayer::Init(HWND owner, CSkinDrawImage* image, int frameCount, unsigned delay, bool cycle) {
    owner_ = owner;
    image_ = image;
    frameCount_ = frameCount;
    delay_ = delay ? delay : kDefaultDelay;
    cycle_ = cycle;
    current_ = 1;
}

void CSkinPngPlayer::Play(bool on) {
    if (on == playing_) return;
    playing_ = on;
    if (on)
        binding_.Run(owner_, delay_);
    else
        binding_.Release();
}

void CSkinPngPlayer::Tick() {
    const int count = FrameCount();
    if (!cycle_ && current_ >= count) return;  // stays on its last cell
    current_ = (current_ + 1) % (count + 1);
    if (current_ == 0) current_ = 1;
    if (owner_) SkinWindowHost().Invalidate(owner_, &lastDraw_, false);
}

int CSkinPngPlayer::Draw(ISkinCanvas& canvas, int x, int y, int right, int bottom) {
    lastDraw_ = SkinRect{x, y, right, bottom};
    if (!image_) return 0;
    SkinBox cell = SkinStripFrameCell(image_->GetWidth(), image_->GetHeight(), frameCount_, current_);
    return image_->DrawPartTransparent(canvas, x, y, cell.x, cell.y, cell.w, cell.h);
}
