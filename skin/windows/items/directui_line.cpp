#include "skin/windows/items/directui_line.h"

#include "skin/resources/skin_color_shift.h"

DirectUI_Line::DirectUI_Line(const SkinItemDesc& desc, CSkinBase* owner) : DirectUI_Base(desc, owner) {}

void DirectUI_Line::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) {
    Place(owner, parent);
    if (pen_) canvas.Line(rect_.left, rect_.top, rect_.right, rect_.bottom, pen_.Get());
}

void DirectUI_Line::AdjustColors(int hue, int saturation, int lightness) {
    SkinColor color = desc_->color;
    if (desc_->adjustHsb && hue != 0 && saturation != 0 && lightness != 0)
        color = SkinShiftColor(color, SkinColorShift{hue, saturation, lightness});
    pen_ = SkinGraphics().CreatePen(desc_->penStyle, desc_->penWidth, color);
}
