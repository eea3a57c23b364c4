#include "skin/windows/controls/skin_bar_layout.h"

#include <algorithm>

int SkinFacePicture(SkinFace face, const bool (&present)[kSkinFaceCount]) {
    int own = static_cast<int>(face);
    if (own >= 0 && own < kSkinFaceCount && present[own]) return own;
    return present[static_cast<int>(SkinFace::Normal)] ? static_cast<int>(SkinFace::Normal) : -1;
}

SkinRect SkinCentredIn(const SkinRect& area, const SkinSize& size) {
    if (area.IsEmpty() || size.width <= 0 || size.height <= 0) return SkinRect{};
    int w = std::min(size.width, area.Width()), h = std::min(size.height, area.Height());
    int x = area.left + (area.Width() - w) / 2, y = area.top + (area.Height() - h) / 2;
    return SkinRect{x, y, x + w, y + h};
}

SkinRect SkinSeparatorRect(const SkinRect& item, const SkinSize& picture, int inset) {
    if (item.IsEmpty() || picture.width <= 0 || picture.height <= 0) return SkinRect{};
    inset = std::max(0, inset);
    if (item.Width() <= item.Height()) {  // a vertical line
        int w = std::min(picture.width, item.Width());
        int x = item.left + (item.Width() - w) / 2;
        int top = item.top + inset, bottom = item.bottom - inset;
        if (bottom <= top) top = item.top, bottom = item.bottom;
        return SkinRect{x, top, x + w, bottom};
    }
    int h = std::min(picture.height, item.Height());
    int y = item.top + (item.Height() - h) / 2;
    int left = item.left + inset, right = item.right - inset;
    if (right <= left) left = item.left, right = item.right;
    return SkinRect{left, y, right, y + h};
}

// ----- Toolbar -----

SkinToolButtonLook SkinToolButtonState(uint32_t state, uint32_t style, bool hot, bool toolbarEnabled) {
    SkinToolButtonLook look;
    if (state & kSkinTbStateHidden) {
        look.drawn = false;
        return look;
    }
    if (style & kSkinBtnsSep) {
        look.separator = true;
        return look;
    }
    if (!(state & kSkinTbStateEnabled) || !toolbarEnabled) {
        look.face = SkinFace::Disabled;
        look.icon = SkinToolIcon::Disabled;
        return look;
    }
    if (state & (kSkinTbStatePressed | kSkinTbStateChecked)) {
        look.face = SkinFace::Down;
        look.pushed = true;
    } else if (hot || (state & kSkinTbStateMarked)) {
        look.face = SkinFace::Over;
        look.icon = SkinToolIcon::Hot;
    }
    // A button in the third state shows its icon greyed on its usual face.
    if (state & kSkinTbStateIndeterminate) look.icon = SkinToolIcon::Disabled;
    return look;
}

SkinToolButtonParts SkinToolButtonSplit(const SkinRect& item, uint32_t style, uint32_t extendedStyle,
                                        const SkinToolbarMetrics& metrics) {
    SkinToolButtonParts parts;
    parts.face = item;
    int arrow = std::clamp(metrics.dropArrowWidth, 0, std::max(0, item.Width()));
    if (arrow == 0) return parts;
    if (style & kSkinBtnsWholeDropDown) {
        parts.arrow = SkinRect{item.right - arrow, item.top, item.right, item.bottom};
    } else if ((style & kSkinBtnsDropDown) && (extendedStyle & kSkinTbStyleExDrawDdArrows)) {
        parts.split = true;
        parts.face.right = item.right - arrow;
        parts.arrow = SkinRect{parts.face.right, item.top, item.right, item.bottom};
    }
    return parts;
}

namespace {

bool Has(const SkinSize& s) { return s.width > 0 && s.height > 0; }

SkinRect Offset(SkinRect r, int d) { return SkinRect{r.left + d, r.top + d, r.right + d, r.bottom + d}; }

}  // namespace

SkinToolContent SkinToolButtonContent(const SkinRect& face, const SkinSize& icon, const SkinSize& text, bool list,
                                      bool pushed, const SkinToolbarMetrics& metrics) {
    SkinToolContent c;
    if (face.IsEmpty()) return c;
    const int pad = std::max(0, metrics.padding), gap = std::max(0, metrics.iconTextGap);
    SkinRect inner{face.left + pad, face.top + pad, face.right - pad, face.bottom - pad};
    if (inner.IsEmpty()) inner = face;
    if (!Has(text)) {
        c.icon = SkinCentredIn(face, icon);
    } else if (!Has(icon)) {
        c.text = inner;
    } else if (list) {
        SkinRect column{inner.left, face.top, std::min(inner.left + icon.width, inner.right), face.bottom};
        c.icon = SkinCentredIn(column, icon);
        c.text = SkinRect{std::min(c.icon.right + gap, inner.right), inner.top, inner.right, inner.bottom};
    } else {
        SkinRect row{face.left, inner.top, face.right, std::min(inner.top + icon.height, inner.bottom)};
        c.icon = SkinCentredIn(row, icon);
        c.text = SkinRect{inner.left, std::min(c.icon.bottom + gap, inner.bottom), inner.right, inner.bottom};
    }
    if (pushed) {
        const int push = std::max(0, metrics.pushOffset);
        if (!c.icon.IsEmpty()) c.icon = Offset(c.icon, push);
        if (!c.text.IsEmpty()) c.text = Offset(c.text, push);
    }
    return c;
}

// ----- Status bar -----

SkinStatusTexts SkinSplitStatusText(const std::wstring& text) {
    SkinStatusTexts t;
    size_t first = text.find(L'\t');
    t.left = text.substr(0, first);
    if (first == std::wstring::npos) return t;
    size_t second = text.find(L'\t', first + 1);
    t.centre = text.substr(first + 1, second == std::wstring::npos ? std::wstring::npos : second - first - 1);
    if (second == std::wstring::npos) return t;
    for (size_t i = second + 1; i < text.size(); ++i)
        if (text[i] != L'\t') t.right += text[i];
    return t;
}

SkinStatusTextInfo SkinStatusTextLength(uintptr_t answer) {
    SkinStatusTextInfo info;
    info.length = static_cast<int>(answer & 0xFFFF);
    info.type = static_cast<uint32_t>(answer >> 16 & 0xFFFF);
    return info;
}

SkinStatusPartContent SkinStatusPartLayout(const SkinRect& part, const SkinSize& icon, int textRight,
                                           const SkinStatusMetrics& metrics) {
    SkinStatusPartContent c;
    if (part.IsEmpty()) return c;
    const int pad = std::max(0, metrics.textPadding);
    int left = part.left + pad;
    int right = std::min(part.right - pad, textRight);
    if (Has(icon)) {
        int w = std::min(icon.width, std::max(0, right - left));
        int h = std::min(icon.height, part.Height());
        int y = part.top + (part.Height() - h) / 2;
        c.icon = SkinRect{left, y, left + w, y + h};
        if (c.icon.IsEmpty()) c.icon = SkinRect{};
        left += w + std::max(0, metrics.iconGap);
    }
    if (right > left) c.text = SkinRect{left, part.top, right, part.bottom};
    return c;
}

SkinRect SkinStatusSeparatorRect(const SkinRect& part, const SkinRect& next, const SkinSize& picture) {
    if (!Has(picture) || part.IsEmpty() || next.IsEmpty()) return SkinRect{};
    if (next.left < part.right || next.top >= part.bottom || next.bottom <= part.top) return SkinRect{};
    int middle = (part.right + next.left) / 2;
    int x = middle - picture.width / 2;
    return SkinRect{x, part.top, x + picture.width, part.bottom};
}

bool SkinStatusShowsGrip(uint32_t style, bool parentMaximised) {
    return (style & kSkinSbarsSizeGrip) && !parentMaximised;
}

SkinRect SkinSizeGripRect(const SkinRect& client, const SkinSize& picture, const SkinStatusMetrics& metrics) {
    SkinSize size = Has(picture) ? picture : SkinSize{metrics.gripSize, metrics.gripSize};
    int w = std::clamp(size.width, 0, std::max(0, client.Width()));
    int h = std::clamp(size.height, 0, std::max(0, client.Height()));
    if (w == 0 || h == 0) return SkinRect{};
    return SkinRect{client.right - w, client.bottom - h, client.right, client.bottom};
}

std::vector<SkinRect> SkinGripDots(const SkinRect& grip, const SkinStatusMetrics& metrics) {
    std::vector<SkinRect> dots;
    // A dot leaves room for its shadow: at least one pixel past it.
    const int size = std::max(1, metrics.gripDotSize), step = std::max(size + 1, metrics.gripDotStep);
    const int x0 = grip.right - 3 * step, y0 = grip.bottom - 3 * step;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (row + col < 2) continue;
            SkinRect dot{x0 + col * step, y0 + row * step, x0 + col * step + size, y0 + row * step + size};
            if (dot.left >= grip.left && dot.top >= grip.top && dot.right < grip.right && dot.bottom < grip.bottom)
                dots.push_back(dot);
        }
    }
    return dots;
}

// ----- Rebar -----

SkinRebarBandParts SkinRebarBandLayout(const SkinRebarBandInput& in, const SkinRebarMetrics& metrics) {
    SkinRebarBandParts parts;
    const SkinRect& band = in.band;
    if (band.IsEmpty()) return parts;
    // The header runs up to the child (less its edge), or for the header
    // width the rebar reports when the band has no child.
    int headerEnd = in.child.IsEmpty() ? band.left + std::max(0, in.header) : in.child.left;
    headerEnd = std::clamp(headerEnd, band.left, band.right);
    int x = band.left;
    if (in.gripper) {
        int inset = std::max(0, metrics.gripperInset);
        int left = std::min(band.left + inset, headerEnd);
        int right = std::min(left + std::max(0, metrics.gripperWidth), headerEnd);
        int top = band.top + inset, bottom = band.bottom - inset;
        if (bottom <= top) top = band.top, bottom = band.bottom;
        if (right > left) parts.gripper = SkinRect{left, top, right, bottom};
        x = std::max(x, right);
    }
    if (in.hasText) {
        int gap = std::max(0, metrics.textGap);
        int left = std::min(x + gap, headerEnd);
        int right = std::max(left, headerEnd - gap);
        if (right > left) parts.text = SkinRect{left, band.top, right, band.bottom};
    }
    if (in.chevron) {
        int w = std::clamp(metrics.chevronWidth, 0, band.Width());
        int left = std::max(band.right - w, headerEnd);
        if (band.right > left) parts.chevron = SkinRect{left, band.top, band.right, band.bottom};
    }
    return parts;
}

bool SkinRebarShowsGripper(uint32_t bandStyle, int visibleBands) {
    if (bandStyle & kSkinRbbsNoGripper) return false;
    if (bandStyle & kSkinRbbsGripperAlways) return true;
    return visibleBands > 1;
}

std::vector<SkinRect> SkinRebarBorderLines(const std::vector<SkinRect>& bands, const SkinRect& client,
                                           const SkinRebarMetrics& metrics) {
    std::vector<SkinRect> lines;
    const int w = std::max(1, metrics.borderWidth);
    for (size_t i = 0; i < bands.size(); ++i) {
        const SkinRect& b = bands[i];
        if (b.IsEmpty()) continue;
        bool followedInRow = false, rowBelow = false;
        for (size_t j = 0; j < bands.size(); ++j) {
            const SkinRect& o = bands[j];
            if (j == i || o.IsEmpty()) continue;
            bool sameRow = o.top < b.bottom && o.bottom > b.top;
            if (sameRow && o.left >= b.right) followedInRow = true;
            if (o.top >= b.bottom) rowBelow = true;
        }
        if (followedInRow) {
            int right = std::min(b.right + w, client.right);
            if (right > b.right) lines.push_back(SkinRect{b.right, b.top, right, b.bottom});
        }
        if (rowBelow) {
            int bottom = std::min(b.bottom + w, client.bottom);
            // Across the band and the gap after it, so the lines meet.
            int right = std::min(followedInRow ? b.right + w : b.right, client.right);
            if (bottom > b.bottom) lines.push_back(SkinRect{b.left, b.bottom, right, bottom});
        }
    }
    return lines;
}
