// A clickable area with child items drawn by its own state (normal, over,
// down). A press and release inside it posts WM_SKIN_ITEMCLICK.
#pragma once

#include "skin/windows/items/directui_base.h"

class DirectUI_EventItem : public DirectUI_Base {
public:
    DirectUI_EventItem(const SkinItemDesc& desc, CSkinBase* owner, const SkinColorShift& shift);

    int SetItemCursor(int x, int y) override;
    void Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) override;
    DirectUI_Base* OnMouseMove(unsigned flags, int x, int y) override;
    void OnMouseLeave() override {}
    int OnButtonDown(unsigned flags, int x, int y) override;
    int OnButtonUp(unsigned flags, int x, int y) override;
    void AdjustColors(const SkinColorShift& shift) override;

    // 1 normal, 2 over, 4 down.
    uint32_t State() const { return state_; }
    const SkinItemPtrList& Children() const { return children_; }

private:
    void SetState(uint32_t state);
    void RestartAnimations();

    uint32_t state_ = kSkinStateNormal;
    SkinItemPtrList children_;
};
