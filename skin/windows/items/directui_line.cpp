#include "skin/windows/items/directui_line.h"

#include "skin/draw/skin_color_shift.h"

DirectUI_Line::DirectUI_Line(const SkinItemDesc& desc, CSkinBase* owner) : DirectUI_Base(desc, owner) {}

void DirectUI_Line::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) {
    Place(owner, parent);
    if (penScale_ != Scale()) MakePen();
    if (pen_) canvas.Line(rect_.left, rect_.top, rect_.right, rect_.bottom, pen_.get());
}

void DirectUI_Line::AdjustColors(const SkinColorShift& shift) {
    color_ = desc_->color;
    if (desc_->adjustHsb && shift.IsFull()) color_ = SkinShiftColor(color_, shift);
    MakePen();
}

void DirectUI_Line::MakePen() {
    penScale_ = Scale();
    pen_ = SkinGraphics().CreatePen(desc_->penStyle, SkinScaledPenWidth(penScale_, desc_->penWidth), color_);
}
