#include "skin/windows/items/directui_animate.h"

#include "skin/picture/skin_gif_player.h"
#include "skin/picture/skin_png_player.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/manager/skin_base.h"

DirectUI_Animate::DirectUI_Animate(const SkinItemDesc& desc, CSkinBase* owner) : DirectUI_Base(desc, owner) {
    Restart();
}

DirectUI_Animate::~DirectUI_Animate() {
    // A shared GIF player stops when the item that runs it on its window goes.
    HWND window = OwnerWindow();
    if (gif_ && window && gif_->Owner() == window) gif_->Play(false);
}

HWND DirectUI_Animate::OwnerWindow() const { return owner_ ? owner_->Window() : nullptr; }

void DirectUI_Animate::Restart() {
    HWND window = OwnerWindow();
    const std::wstring& id = desc_->picFile;
    CSkinDrawImage* image = id.empty() ? nullptr : GetSkinResourceManager()->GetImage(id);
    bool play = desc_->enablePlay && window != nullptr;
    if (image) {
        if (!strip_) strip_ = std::make_unique<CSkinPngPlayer>();
        strip_->Play(false);
        strip_->Init(window, image, desc_->frameCount, static_cast<unsigned>(desc_->delayTime), desc_->cycle);
        strip_->Play(play);
        gif_ = nullptr;
        return;
    }
    strip_.reset();
    gif_ = id.empty() ? nullptr : GetSkinResourceManager()->GetGifPlayer(id);
    if (!gif_) return;
    gif_->Play(false);
    gif_->SetOwner(window, static_cast<unsigned>(desc_->delayTime));
    gif_->Play(play);
}

void DirectUI_Animate::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) {
    Place(owner, parent);
    if (strip_) {
        strip_->Draw(canvas, rect_.left, rect_.top, rect_.right, rect_.bottom);
    } else if (gif_) {
        gif_->SetTarget(OwnerWindow(), rect_);
        gif_->Draw(canvas, rect_);
    }
}

DirectUI_Base* DirectUI_Animate::OnMouseMove(unsigned, int x, int y) {
    if (rect_.Contains(x, y)) {
        hover_ = 2;
        return this;
    }
    if (hover_ == 2) {
        hover_ = 1;
        Restart();
    }
    return nullptr;
}
