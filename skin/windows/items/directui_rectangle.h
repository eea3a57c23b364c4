// A rectangle item: a rounded rectangle outlined and filled, or a
// two-colour gradient across or down the item.
#pragma once

#include "skin/platform/skin_graphics.h"
#include "skin/windows/items/directui_base.h"

class DirectUI_Rectangle : public DirectUI_Base {
public:
    DirectUI_Rectangle(const SkinItemDesc& desc, CSkinBase* owner);

    void Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) override;
    // Gradients take their (shifted) colours; outlines get a 1-pixel pen of
    // the border colour and a brush of the fill colour (hollow for 0).
    void AdjustColors(const SkinColorShift& shift) override;

private:
    bool IsGradient() const { return desc_->fillMode != kSkinFillSolid; }

    void MakePen();

    SkinColor begin_ = 0, end_ = 0, border_ = 0;
    SkinPen pen_;
    SkinScale penScale_;
    SkinBrush brush_;
};
