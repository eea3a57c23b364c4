#include "skin/windows/controls/skin_tab_geometry.h"

#include <algorithm>

namespace {

SkinRect Intersect(const SkinRect& a, const SkinRect& b) {
    SkinRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? SkinRect{} : r;
}

}  // namespace

SkinTabSide SkinTabSideOf(uint32_t style) {
    bool farSide = (style & kSkinTcsBottom) != 0;
    if (style & kSkinTcsVertical) return farSide ? SkinTabSide::Right : SkinTabSide::Left;
    return farSide ? SkinTabSide::Bottom : SkinTabSide::Top;
}

SkinTabFace SkinTabFaceOf(bool selected, bool hot) {
    if (selected) return SkinTabFace::Checked;
    return hot ? SkinTabFace::Over : SkinTabFace::Normal;
}

int SkinTabPictureFor(SkinTabSide side, SkinTabFace face, const std::array<bool, kSkinTabPictureCount>& present) {
    int own = SkinTabPictureIndex(side, face);
    if (present[static_cast<size_t>(own)]) return own;
    int normal = SkinTabPictureIndex(side, SkinTabFace::Normal);
    return present[static_cast<size_t>(normal)] ? normal : -1;
}

SkinRect SkinTabFaceRect(const SkinRect& item, SkinTabSide side, bool selected, const SkinRect& client,
                         const SkinTabMetrics& metrics) {
    if (item.IsEmpty()) return SkinRect{};
    SkinRect face = item;
    if (selected) {
        int grow = std::max(0, metrics.selectedGrowSide);
        int out = std::max(0, metrics.selectedGrowOut);
        int in = std::max(0, metrics.selectedGrowIn);
        switch (side) {
            case SkinTabSide::Top:
                face = SkinRect{item.left - grow, item.top - out, item.right + grow, item.bottom + in};
                break;
            case SkinTabSide::Bottom:
                face = SkinRect{item.left - grow, item.top - in, item.right + grow, item.bottom + out};
                break;
            case SkinTabSide::Left:
                face = SkinRect{item.left - out, item.top - grow, item.right + in, item.bottom + grow};
                break;
            case SkinTabSide::Right:
                face = SkinRect{item.left - in, item.top - grow, item.right + out, item.bottom + grow};
                break;
        }
    }
    return Intersect(face, client);
}

SkinTabContent SkinTabContentLayout(const SkinRect& face, SkinTabSide side, int iconW, int iconH, int textW, int textH,
                                    const SkinTabMetrics& metrics) {
    SkinTabContent c;
    iconW = std::max(0, iconW);
    iconH = std::max(0, iconH);
    textW = std::max(0, textW);
    textH = std::max(0, textH);
    bool hasIcon = iconW > 0 && iconH > 0;
    int gap = hasIcon && textW > 0 ? std::max(0, metrics.iconTextGap) : 0;
    int cx = face.left + face.Width() / 2;
    int cy = face.top + face.Height() / 2;
    if (!SkinTabIsVertical(side)) {
        int total = (hasIcon ? iconW : 0) + gap + textW;
        int x = cx - total / 2;
        if (hasIcon) {
            c.icon = SkinRect{x, cy - iconH / 2, x + iconW, cy - iconH / 2 + iconH};
            x += iconW + gap;
        }
        c.text = SkinRect{x, cy - textH / 2, x + textW, cy - textH / 2 + textH};
        c.textOrigin = SkinPair{c.text.left, c.text.top};
        return c;
    }
    // Turned text runs along the tab: its width is vertical on screen and
    // its height horizontal.
    int total = (hasIcon ? iconH : 0) + gap + textW;
    bool up = side == SkinTabSide::Left;
    int textLeft = cx - textH / 2;
    if (up) {
        // Reading upwards: the icon below the text, as a turned row's start.
        int y = cy + total / 2;
        if (hasIcon) {
            c.icon = SkinRect{cx - iconW / 2, y - iconH, cx - iconW / 2 + iconW, y};
            y -= iconH + gap;
        }
        c.text = SkinRect{textLeft, y - textW, textLeft + textH, y};
        // Turned 90 degrees, the text's top-left corner is its bottom-left.
        c.textOrigin = SkinPair{c.text.left, c.text.bottom};
        c.escapement = 900;
    } else {
        int y = cy - total / 2;
        if (hasIcon) {
            c.icon = SkinRect{cx - iconW / 2, y, cx - iconW / 2 + iconW, y + iconH};
            y += iconH + gap;
        }
        c.text = SkinRect{textLeft, y, textLeft + textH, y + textW};
        // Turned 270 degrees, the text's top-left corner is its top-right.
        c.textOrigin = SkinPair{c.text.right, c.text.top};
        c.escapement = 2700;
    }
    return c;
}

SkinRect SkinTabBorderRect(const SkinRect& client, const SkinRect& band, SkinTabSide side) {
    SkinRect border = client;
    if (!band.IsEmpty()) {
        switch (side) {
            case SkinTabSide::Top:
                border.top = std::max(client.top, band.bottom);
                break;
            case SkinTabSide::Bottom:
                border.bottom = std::min(client.bottom, band.top);
                break;
            case SkinTabSide::Left:
                border.left = std::max(client.left, band.right);
                break;
            case SkinTabSide::Right:
                border.right = std::min(client.right, band.left);
                break;
        }
    }
    return border.IsEmpty() ? SkinRect{} : border;
}

SkinRect SkinTabSpinRect(const SkinRect& client, const SkinRect& row, int width) {
    if (client.IsEmpty() || row.IsEmpty()) return SkinRect{};
    int w = std::clamp(width, 0, client.Width());
    SkinRect spin{client.right - w, row.top, client.right, row.bottom};
    return Intersect(spin, client);
}

SkinRect SkinTabFocusRect(const SkinRect& face, const SkinTabMetrics& metrics) {
    int inset = std::max(0, metrics.focusInset);
    SkinRect r{face.left + inset, face.top + inset, face.right - inset, face.bottom - inset};
    return r.IsEmpty() ? SkinRect{} : r;
}
