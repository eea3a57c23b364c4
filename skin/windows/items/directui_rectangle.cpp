#include "skin/windows/items/directui_rectangle.h"

#include "skin/draw/skin_color_shift.h"

DirectUI_Rectangle::DirectUI_Rectangle(const SkinItemDesc& desc, CSkinBase* owner) : DirectUI_Base(desc, owner) {}

void DirectUI_Rectangle::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) {
    Place(owner, parent);
    if (IsGradient()) {
        canvas.GradientFill(rect_, begin_, end_, desc_->fillMode == kSkinFillVertGradient);
        return;
    }
    if (penScale_ != Scale()) MakePen();
    if (!pen_) return;
    const SkinPair round = SkinScalePair(Scale(), desc_->round);
    canvas.RoundRect(rect_, round.x, round.y, pen_.get(), brush_ ? brush_.get() : SkinGraphics().NullBrush());
}

void DirectUI_Rectangle::AdjustColors(const SkinColorShift& shift) {
    bool shifts = desc_->adjustHsb && shift.IsFull();
    auto shifted = [&](SkinColor c) { return shifts ? SkinShiftColor(c, shift) : c; };
    if (IsGradient()) {
        begin_ = shifted(desc_->gradientBeginColor);
        end_ = shifted(desc_->gradientEndColor);
        return;
    }
    border_ = shifted(desc_->borderColor);
    MakePen();
    brush_ = desc_->fillColor == 0 ? SkinBrush() : SkinGraphics().CreateSolidBrush(shifted(desc_->fillColor));
}

void DirectUI_Rectangle::MakePen() {
    penScale_ = Scale();
    pen_ = SkinGraphics().CreatePen(0, SkinScaledPenWidth(penScale_, 1), border_);
}
