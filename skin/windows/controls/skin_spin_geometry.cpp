#include "skin/windows/controls/skin_spin_geometry.h"

#include <algorithm>

SkinSpinHalves SkinSpinSplit(const SkinRect& client, bool horizontal, const SkinSpinMetrics& metrics) {
    SkinSpinHalves halves{client, client};
    int start = horizontal ? client.left : client.top;
    int end = horizontal ? client.right : client.bottom;
    if (end <= start) return SkinSpinHalves{};
    int gap = std::max(0, metrics.halfGap);
    // The gap lies around the middle: with 2 pixels the first half ends one
    // pixel before it and the second begins one pixel after it.
    int middle = start + (end - start) / 2;
    int firstEnd = std::max(start, middle - gap / 2);
    int secondStart = std::min(end, middle + (gap - gap / 2));
    if (horizontal) {
        halves.first.right = firstEnd;
        halves.second.left = secondStart;
    } else {
        halves.first.bottom = firstEnd;
        halves.second.top = secondStart;
    }
    return halves;
}

SkinSpinFace SkinSpinHalfFace(bool enabled, bool cursorInHalf, bool pressed) {
    if (!enabled) return SkinSpinFace::Disabled;
    if (!cursorInHalf) return SkinSpinFace::Normal;
    return pressed ? SkinSpinFace::Down : SkinSpinFace::Over;
}

int SkinSpinPictureFor(SkinSpinPart part, SkinSpinFace face, const std::array<bool, kSkinSpinPictureCount>& present) {
    int own = SkinSpinPictureIndex(part, face);
    if (present[static_cast<size_t>(own)]) return own;
    int normal = SkinSpinPictureIndex(part, SkinSpinFace::Normal);
    return present[static_cast<size_t>(normal)] ? normal : -1;
}
