#include "skin/windows/items/directui_draw_item.h"

namespace {

// Children of a group: every kind but another group.
constexpr uint32_t kGroupChildKinds = 0x3F;

}  // namespace

DirectUI_DrawItem::DirectUI_DrawItem(const SkinItemDesc& desc, CSkinBase* owner, const SkinColorShift& shift)
    : DirectUI_Base(desc, owner) {
    children_ = SkinCreateItems(desc.children, owner, kGroupChildKinds, shift);
}

int DirectUI_DrawItem::SetItemCursor(int x, int y) {
    for (auto& child : children_)
        if (child->IsVisible() && child->SetItemCursor(x, y)) return 1;
    return 0;
}

void DirectUI_DrawItem::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) {
    Place(owner, parent);
    for (auto& child : children_)
        if (child->IsVisible()) child->Draw(canvas, owner_, rect_);
}

DirectUI_Base* DirectUI_DrawItem::OnMouseMove(unsigned flags, int x, int y) {
    DirectUI_Base* taken = nullptr;
    for (auto& child : children_)
        if (child->IsVisible())
            if (DirectUI_Base* hit = child->OnMouseMove(flags, x, y)) taken = hit;
    return taken;
}

int DirectUI_DrawItem::OnButtonDown(unsigned flags, int x, int y) {
    lastClicked_.clear();
    for (auto& child : children_)
        if (child->IsVisible() && child->OnButtonDown(flags, x, y)) return 1;
    return 0;
}

int DirectUI_DrawItem::OnButtonUp(unsigned flags, int x, int y) {
    lastClicked_.clear();
    for (auto& child : children_) {
        if (child->IsVisible() && child->OnButtonUp(flags, x, y)) {
            lastClicked_ = child->Id();
            return 1;
        }
    }
    return 0;
}

void DirectUI_DrawItem::AdjustColors(const SkinColorShift& shift) {
    for (auto& child : children_) child->AdjustColors(shift);
}

void DirectUI_DrawItem::Reposition(const SkinRect& parent) {
    Place(nullptr, parent);
    for (auto& child : children_) {
        if (!child->IsVisible()) continue;
        child->PlaceIn(rect_);
        child->Reposition(rect_);
    }
}
