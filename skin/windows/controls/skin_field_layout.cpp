#include "skin/windows/controls/skin_field_layout.h"

#include <algorithm>

SkinRect SkinFieldClient(const SkinRect& window, int thickness) {
    int t = std::max(0, thickness);
    int tx = std::min(t, std::max(0, window.Width()) / 2), ty = std::min(t, std::max(0, window.Height()) / 2);
    SkinRect client{window.left + tx, window.top + ty, window.right - tx, window.bottom - ty};
    if (client.right < client.left) client.right = client.left;
    if (client.bottom < client.top) client.bottom = client.top;
    return client;
}

bool SkinFieldFrameOver(bool enabled, bool hover, bool focused) { return enabled && (hover || focused); }

SkinRect SkinDropButtonRect(const SkinRect& client, int width) {
    if (client.IsEmpty() || width <= 0) return SkinRect{};
    int w = std::min(width, client.Width());
    return SkinRect{client.right - w, client.top, client.right, client.bottom};
}

SkinFace SkinDropButtonFace(bool enabled, bool hot, bool pressed, bool dropped) {
    if (!enabled) return SkinFace::Disabled;
    if (pressed || dropped) return SkinFace::Down;
    return hot ? SkinFace::Over : SkinFace::Normal;
}

SkinIpLayout SkinIpFieldLayout(const SkinRect& client, int fieldHeight, const SkinFieldMetrics& metrics) {
    SkinIpLayout layout;
    if (client.IsEmpty()) return layout;
    int h = std::clamp(fieldHeight, 0, client.Height());
    if (h == 0) h = client.Height();
    int top = client.top + (client.Height() - h) / 2;
    int margin = std::max(0, metrics.ipMargin), gap = std::max(0, metrics.ipGap);
    int room = client.Width() - 2 * margin - 3 * gap;
    if (room < 4) {  // too narrow for margins and gaps: the fields share what there is
        margin = 0;
        gap = 0;
        room = std::max(0, client.Width());
    }
    const int side = std::clamp(metrics.ipDot, 0, std::min(gap, h));
    const int dotBottom = std::clamp(top + h - std::max(0, metrics.ipDotLift), top + side, top + h);
    int each = room / 4, extra = room % 4;
    int x = client.left + margin;
    for (int i = 0; i < 4; ++i) {
        int w = each + (i < extra ? 1 : 0);
        layout.fields[static_cast<size_t>(i)] = SkinRect{x, top, x + w, top + h};
        x += w;
        if (i < 3) {
            int left = x + (gap - side) / 2;
            if (side > 0)
                layout.dots[static_cast<size_t>(i)] = SkinRect{left, dotBottom - side, left + side, dotBottom};
            x += gap;
        }
    }
    return layout;
}
