#include "skin/windows/items/directui_rectangle.h"

#include "skin/resources/skin_color_shift.h"

DirectUI_Rectangle::DirectUI_Rectangle(const SkinItemDesc& desc, CSkinBase* owner) : DirectUI_Base(desc, owner) {}

void DirectUI_Rectangle::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) {
    Place(owner, parent);
    if (IsGradient()) {
        canvas.GradientFill(rect_, begin_, end_, desc_->fillMode == kSkinFillVertGradient);
        return;
    }
    if (!pen_) return;
    canvas.RoundRect(rect_, desc_->round.x, desc_->round.y, pen_.Get(),
                     brush_ ? brush_.Get() : SkinGraphics().NullBrush());
}

void DirectUI_Rectangle::AdjustColors(int hue, int saturation, int lightness) {
    bool shift = desc_->adjustHsb && hue != 0 && saturation != 0 && lightness != 0;
    auto shifted = [&](SkinColor c) {
        return shift ? SkinShiftColor(c, SkinColorShift{hue, saturation, lightness}) : c;
    };
    if (IsGradient()) {
        begin_ = shifted(desc_->gradientBeginColor);
        end_ = shifted(desc_->gradientEndColor);
        return;
    }
    pen_ = SkinGraphics().CreatePen(0, 1, shifted(desc_->borderColor));
    brush_ = desc_->fillColor == 0 ? SkinBrush() : SkinGraphics().CreateSolidBrush(shifted(desc_->fillColor));
}
