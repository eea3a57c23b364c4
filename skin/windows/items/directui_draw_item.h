// A group of child items placed inside the group's rectangle.
#pragma once

#include <string>

#include "skin/windows/items/directui_base.h"

class DirectUI_DrawItem : public DirectUI_Base {
public:
    DirectUI_DrawItem(const SkinItemDesc& desc, CSkinBase* owner, const SkinColorShift& shift);

    int SetItemCursor(int x, int y) override;
    void Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) override;
    DirectUI_Base* OnMouseMove(unsigned flags, int x, int y) override;
    void OnMouseLeave() override {}
    int OnButtonDown(unsigned flags, int x, int y) override;
    int OnButtonUp(unsigned flags, int x, int y) override;
    void AdjustColors(const SkinColorShift& shift) override;
    void Reposition(const SkinRect& parent) override;

    // The id of the child that took the last release (empty after a press).
    const std::wstring& LastClickedId() const { return lastClicked_; }
    const SkinItemPtrList& Children() const { return children_; }

private:
    SkinItemPtrList children_;
    std::wstring lastClicked_;
};
