#include "skin/windows/controls/skin_toggle_layout.h"

SkinState SkinToggleState(bool enabled, bool hover, bool pressed, bool focused, uint32_t checkState) {
    SkinState state = SkinControlState(enabled, hover, pressed, focused);
    bool checked = (checkState & kSkinBstChecked) != 0;
    if (!enabled)
        state.mask = checked ? kSkinStateCheckedDisable : kSkinStateDisable;
    else if (hover && !pressed)
        state.mask = checked ? kSkinStateCheckedOver : kSkinStateUncheckOver;
    else
        state.mask = checked ? kSkinStateCheckedNormal : kSkinStateUncheckNormal;
    return state;
}

bool SkinToggleItemMatches(uint32_t itemMask, uint32_t toggleMask) {
    if (itemMask == kSkinStateAll) return true;
    if (itemMask & kSkinStateCheckedDisable) itemMask &= ~static_cast<uint32_t>(kSkinStateDisable);
    return (itemMask & toggleMask) != 0;
}

int SkinToggleMark(const bool (&present)[kSkinToggleMarks], uint32_t checkState, int stateIndex, bool checkBox) {
    int index = stateIndex >= 0 && stateIndex < kSkinToggleChecked ? stateIndex : kSkinIndexNormal;
    bool checked = (checkState & kSkinBstChecked) != 0;
    if (checkBox && !checked && (checkState & kSkinBstIndeterminate))
        return present[kSkinToggleIndeterminate] ? kSkinToggleIndeterminate : -1;
    int group = checked ? kSkinToggleChecked : kSkinToggleUnchecked;
    if (present[group + index]) return group + index;
    return present[group + kSkinIndexNormal] ? group + kSkinIndexNormal : -1;
}

SkinToggleLayout SkinToggleLayoutOf(const SkinRect& client, int markWidth, int markHeight, bool leftText,
                                    const SkinScale& scale) {
    SkinToggleLayout layout;
    int x = leftText ? client.right - markWidth : client.left;
    int y = client.top + (client.Height() - markHeight) / 2;
    layout.mark = SkinRect{x, y, x + markWidth, y + markHeight};
    layout.text = leftText
                      ? SkinRect{client.left, client.top, client.right - markWidth, client.bottom}
                      : SkinRect{client.left + markWidth + scale.Scale(3), client.top, client.right, client.bottom};
    return layout;
}
