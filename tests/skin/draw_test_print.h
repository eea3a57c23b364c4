// How the drawing tests print pieces and rectangles in their failures.
#pragma once

#include <ostream>

#include "skin/draw/skin_geometry.h"

inline std::ostream& operator<<(std::ostream& os, const SkinPiece& p) {
    return os << "{blit " << static_cast<int>(p.blit) << " dst " << p.dst.x << "," << p.dst.y << " " << p.dst.w << "x"
              << p.dst.h << " src " << p.src.x << "," << p.src.y << " " << p.src.w << "x" << p.src.h << "}";
}
inline std::ostream& operator<<(std::ostream& os, const SkinRect& r) {
    return os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}
inline std::ostream& operator<<(std::ostream& os, const SkinBox& b) {
    return os << "(" << b.x << "," << b.y << " " << b.w << "x" << b.h << ")";
}
