#include "skin/windows/items/directui_event_item.h"

#include "skin/platform/skin_window_host.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/items/directui_animate.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_messages.h"

namespace {

// Children of an event item: texts, pictures, lines, rectangles, animations.
constexpr uint32_t kEventChildKinds = 0x1F;

}  // namespace

DirectUI_EventItem::DirectUI_EventItem(const SkinItemDesc& desc, CSkinBase* owner, const SkinColorShift& shift)
    : DirectUI_Base(desc, owner) {
    if (!desc.cursor.empty()) cursor_ = static_cast<HCURSOR>(GetSkinResourceManager()->GetCursor(desc.cursor));
    children_ = SkinCreateItems(desc.children, owner, kEventChildKinds, shift);
}

int DirectUI_EventItem::SetItemCursor(int x, int y) {
    for (auto& child : children_)
        if (child->SetItemCursor(x, y)) return 1;
    return DirectUI_Base::SetItemCursor(x, y);
}

void DirectUI_EventItem::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) {
    Place(owner, parent);
    for (auto& child : children_)
        if (child->IsVisible() && child->MatchesState(state_)) child->Draw(canvas, owner_, rect_);
}

void DirectUI_EventItem::SetState(uint32_t state) {
    if (state == state_) return;
    state_ = state;
    InvalidateSelf();
}

void DirectUI_EventItem::RestartAnimations() {
    for (auto& child : children_)
        if (child->Kind() == SkinItemKind::Animate) static_cast<DirectUI_Animate*>(child.get())->Restart();
}

DirectUI_Base* DirectUI_EventItem::OnMouseMove(unsigned, int x, int y) {
    if (!IsVisible()) return nullptr;
    if (rect_.Contains(x, y)) {
        SetState(pressed_ ? kSkinStateDown : kSkinStateOver);
        return this;
    }
    if (state_ != kSkinStateNormal) {
        // Leaving lets go of the press: coming back and releasing is no click.
        pressed_ = false;
        SetState(kSkinStateNormal);
        RestartAnimations();
    }
    return nullptr;
}

int DirectUI_EventItem::OnButtonDown(unsigned, int x, int y) {
    if (!IsVisible() || !rect_.Contains(x, y)) return 0;
    pressed_ = true;
    SetState(kSkinStateDown);
    return 1;
}

int DirectUI_EventItem::OnButtonUp(unsigned, int x, int y) {
    if (!pressed_) return 0;
    pressed_ = false;
    if (!IsVisible() || !rect_.Contains(x, y)) {
        // Released outside: no click, and the item does not stay pressed.
        SetState(kSkinStateNormal);
        return 0;
    }
    SetState(kSkinStateNormal);
    if (owner_ && owner_->Window()) {
        HWND owner = owner_->Window();
        HWND target = owner_->ItemClickTarget();
        // The id text lives in the theme's description record, which stays
        // valid for the process, so the posted pointer outlives the item.
        if (target)
            SkinWindowHost().Post(target, WM_SKIN_ITEMCLICK, reinterpret_cast<WPARAM>(owner),
                                  reinterpret_cast<LPARAM>(desc_->id.c_str()));
    }
    return 1;
}

void DirectUI_EventItem::AdjustColors(const SkinColorShift& shift) {
    for (auto& child : children_) child->AdjustColors(shift);
}
