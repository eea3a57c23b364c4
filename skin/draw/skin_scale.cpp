#include "skin/draw/skin_scale.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int Clamp(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }
int Distance(int from, int to) { return Clamp(int64_t{to} - from); }

}  // namespace

SkinRect SkinScaleRect(const SkinScale& scale, const SkinRect& rect) {
    return SkinRect{scale.Scale(rect.left), scale.Scale(rect.top), scale.Scale(rect.right), scale.Scale(rect.bottom)};
}

SkinQuad SkinScaleQuad(const SkinScale& scale, const SkinQuad& quad) {
    return SkinQuad{scale.Scale(quad.left), scale.Scale(quad.top), scale.Scale(quad.right), scale.Scale(quad.bottom)};
}

SkinPair SkinScalePair(const SkinScale& scale, const SkinPair& pair) {
    return SkinPair{scale.Scale(pair.x), scale.Scale(pair.y)};
}

SkinQuad SkinScalePictureMargins(const SkinScale& scale, const SkinRect& part, const SkinQuad& margins) {
    auto inner = [&](int edge, int margin) { return Clamp(int64_t{edge} + std::max(0, margin)); };
    auto outer = [&](int edge, int margin) { return Clamp(int64_t{edge} - std::max(0, margin)); };
    return SkinQuad{
        Distance(scale.Scale(part.left), scale.Scale(inner(part.left, margins.left))),
        Distance(scale.Scale(part.top), scale.Scale(inner(part.top, margins.top))),
        Distance(scale.Scale(outer(part.right, margins.right)), scale.Scale(part.right)),
        Distance(scale.Scale(outer(part.bottom, margins.bottom)), scale.Scale(part.bottom)),
    };
}

SkinSize SkinScaledPictureSize(const SkinScale& scale, int width, int height) {
    return SkinSize{scale.Scale(std::max(0, width)), scale.Scale(std::max(0, height))};
}
