#include "skin/windows/items/directui_animate.h"

DirectUI_Animate::DirectUI_Animate(const SkinItemDesc& desc, CSkinBase* owner) : DirectUI_Base(desc, owner) {
    Restart();
}

DirectUI_Animate::~DirectUI_Animate() = default;

void DirectUI_Animate::Restart() {}

void DirectUI_Animate::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) { Place(owner, parent); }

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
