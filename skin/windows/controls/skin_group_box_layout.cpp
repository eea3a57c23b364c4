#include "skin/windows/controls/skin_group_box_layout.h"

#include <algorithm>

#include "common/win_constants.h"

namespace {

// The caption's distance from the frame's side.
constexpr int kCaptionInset = 8;

}  // namespace

SkinGroupBoxLayout SkinGroupBoxLayoutOf(uint32_t style, const SkinRect& client, int textWidth, int textHeight,
                                        int lineHeight, int imageWidth, int imageHeight) {
    textWidth = std::max(0, textWidth);
    imageWidth = std::max(0, imageWidth);
    bool hasText = textWidth > 0;
    bool hasImage = imageWidth > 0 && imageHeight > 0;
    int captionHeight = std::max({hasText ? textHeight : 0, hasImage ? imageHeight : 0, 0});
    if (captionHeight == 0) captionHeight = std::max(0, lineHeight);

    SkinGroupBoxLayout layout;
    layout.frame = SkinRect{client.left + 1, client.top + captionHeight / 2, client.right - 1, client.bottom - 1};
    if (!hasText && !hasImage) return layout;

    int width = (hasImage ? imageWidth : 0) + (hasImage && hasText ? kSkinGroupImageGap : 0) + textWidth;
    int room = std::max(0, client.Width() - 2 * kCaptionInset);
    width = std::min(width, room);
    int x;
    // BS_LEFT and BS_RIGHT together are BS_CENTER.
    switch (style & kSkinBsCenter) {
        case kSkinBsCenter:
            x = client.left + (client.Width() - width) / 2;
            break;
        case kSkinBsRight:
            x = client.right - kCaptionInset - width;
            break;
        default:
            x = client.left + kCaptionInset;
            break;
    }
    int top = client.top;
    layout.caption = SkinRect{x - kSkinGroupCaptionPad, top, x + width + kSkinGroupCaptionPad, top + captionHeight};
    int next = x;
    if (hasImage) {
        int w = std::min(imageWidth, width);
        int y = top + (captionHeight - imageHeight) / 2;
        layout.image = SkinRect{next, y, next + w, y + imageHeight};
        next += w + (hasText ? kSkinGroupImageGap : 0);
    }
    if (hasText) {
        int right = std::max(next, x + width);
        layout.text = SkinRect{next, top, right, top + captionHeight};
    }
    return layout;
}
