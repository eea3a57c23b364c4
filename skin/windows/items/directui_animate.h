// An animation item: a picture strip played cell by cell, or a GIF of the
// skin package, on the owner window's timer.
#pragma once

#include <memory>

#include "skin/windows/items/directui_base.h"

class CSkinGifPlayer;
class CSkinPngPlayer;

class DirectUI_Animate : public DirectUI_Base {
public:
    DirectUI_Animate(const SkinItemDesc& desc, CSkinBase* owner);
    ~DirectUI_Animate() override;

    void Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) override;
    DirectUI_Base* OnMouseMove(unsigned flags, int x, int y) override;
    void AdjustColors(const SkinColorShift&) override {}

    // Sets the player up again on the owner window and starts or stops it
    // by the item's play flag: a strip when the theme has an image of the
    // picture id, else the package's GIF of that name.
    void Restart();
    // 1 outside, 2 while the mouse is over the item.
    int HoverState() const { return hover_; }
    CSkinPngPlayer* Strip() const { return strip_.get(); }
    CSkinGifPlayer* Gif() const { return gif_; }

private:
    HWND OwnerWindow() const;

    int hover_ = 1;
    std::unique_ptr<CSkinPngPlayer> strip_;  // the item's own
    CSkinGifPlayer* gif_ = nullptr;          // shared, the theme's
};
