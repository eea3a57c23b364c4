#include "skin/windows/controls/skin_group_box_layout.h"

#include <algorithm>

#include "common/win_constants.h"

namespace {

// The caption's distance from the frame's side.
constexpr int kCaptionInset = 8;

}  // namespace

SkinGroupBoxLayout SkinGroupBoxLayoutOf(uint32_t style, const SkinRect& client, int textWidth, int textHeight,
                                        int lineHeight, int imageWidth, int imageHeight, const SkinScale& scale) {
    const int inset = scale.Scale(kCaptionInset), gap = scale.Scale(kSkinGroupImageGap),
              pad = scale.Scale(kSkinGroupCaptionPad), edge = scale.Scale(1);
    textWidth = std::max(0, textWidth);
    imageWidth = std::max(0, imageWidth);
    bool hasText = textWidth > 0;
    bool hasImage = imageWidth > 0 && imageHeight > 0;
    int captionHeight = std::max({hasText ? textHeight : 0, hasImage ? imageHeight : 0, 0});
    if (captionHeight == 0) captionHeight = std::max(0, lineHeight);

    SkinGroupBoxLayout layout;
    layout.frame =
        SkinRect{client.left + edge, client.top + captionHeight / 2, client.right - edge, client.bottom - edge};
    if (!hasText && !hasImage) return layout;

    int width = (hasImage ? imageWidth : 0) + (hasImage && hasText ? gap : 0) + textWidth;
    int room = std::max(0, client.Width() - 2 * inset);
    width = std::min(width, room);
    int x;
    // BS_LEFT and BS_RIGHT together are BS_CENTER.
    switch (style & kSkinBsCenter) {
        case kSkinBsCenter:
            x = client.left + (client.Width() - width) / 2;
            break;
        case kSkinBsRight:
            x = client.right - inset - width;
            break;
        default:
            x = client.left + inset;
            break;
    }
    int top = client.top;
    layout.caption = SkinRect{x - pad, top, x + width + pad, top + captionHeight};
    int next = x;
    if (hasImage) {
        int w = std::min(imageWidth, width);
        int y = top + (captionHeight - imageHeight) / 2;
        layout.image = SkinRect{next, y, next + w, y + imageHeight};
        next += w + (hasText ? gap : 0);
    }
    if (hasText) {
        int right = std::max(next, x + width);
        layout.text = SkinRect{next, top, right, top + captionHeight};
    }
    return layout;
}
