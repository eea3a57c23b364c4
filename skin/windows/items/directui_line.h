// A line item: from the item's top-left to its bottom-right corner.
#pragma once

#include "skin/platform/skin_graphics.h"
#include "skin/windows/items/directui_base.h"

class DirectUI_Line : public DirectUI_Base {
public:
    DirectUI_Line(const SkinItemDesc& desc, CSkinBase* owner);

    void Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) override;
    // Makes the pen again with the (possibly shifted) colour.
    void AdjustColors(const SkinColorShift& shift) override;

    HPEN Pen() const { return pen_.get(); }

private:
    void MakePen();

    SkinPen pen_;
    SkinScale penScale_;
    SkinColor color_ = 0;
};
