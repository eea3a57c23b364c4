#include "skin/windows/controls/skin_button_layout.h"

#include "skin/draw/skin_canvas.h"
#include "skin/theme/skin_descriptions.h"
#include "skin/theme/skin_resource_manager.h"

namespace {

constexpr uint32_t kHorizontalBits = 0x300;  // BS_LEFT 0x100, BS_RIGHT 0x200, BS_CENTER both
constexpr uint32_t kVerticalBits = 0xC00;    // BS_TOP 0x400, BS_BOTTOM 0x800, BS_VCENTER both
constexpr uint32_t kLeft = 0x100, kRight = 0x200, kTop = 0x400, kBottom = 0x800;

}  // namespace

SkinButtonTextPlace SkinButtonTextLayout(uint32_t style, const SkinRect& text, int measuredHeight, bool down,
                                         const SkinPair& downOffset) {
    SkinButtonTextPlace place;
    place.rect = text;
    uint32_t horizontal = style & kHorizontalBits;
    place.format = horizontal == kLeft ? kSkinDtLeft : horizontal == kRight ? kSkinDtRight : kSkinDtCenter;
    uint32_t vertical = style & kVerticalBits;
    if (SkinButtonTextIsMultiline(style)) {
        place.format |= kSkinDtWordBreak;
        if (vertical == kTop) {
            place.rect.bottom = place.rect.top + measuredHeight;
        } else if (vertical == kBottom) {
            place.rect.top = place.rect.bottom - measuredHeight;
        } else {
            place.rect.top = (text.top + text.bottom) / 2 - measuredHeight / 2;
            place.rect.bottom = place.rect.top + measuredHeight;
        }
    } else {
        place.format |= kSkinDtSingleLine;
        if (vertical == kBottom)
            place.format |= kSkinDtBottom;
        else if (vertical != kTop)
            place.format |= kSkinDtVCenter;
    }
    if (down) {
        place.rect.left += downOffset.x;
        place.rect.right += downOffset.x;
        place.rect.top += downOffset.y;
        place.rect.bottom += downOffset.y;
    }
    return place;
}

const SkinButtonDesc* SkinSpinPartDescription(const CSkinResourceManager& manager, const SkinButtonDesc& button) {
    if (button.spinbtnLabel.empty()) return nullptr;
    return manager.GetDescription<SkinButtonDesc>(button.spinbtnLabel);
}
