#include "skin/draw/skin_compose_plan.h"

#include <cstddef>

namespace {

// Plain copies narrower than this next to a special part go with it: one
// call less is worth more than the few pixels copied the slow way.
constexpr int kMinCopyRun = 8;

// What one column of a band holds.
struct Column {
    bool copy = false, special = false, skip = false;
};

class Planner {
public:
    Planner(const std::vector<SkinComposedPixel>& pixels, int w, bool skipMayBeSpecial, std::vector<SkinComposeOp>* ops)
        : pixels_(pixels), w_(w), skipMayBeSpecial_(skipMayBeSpecial), ops_(ops) {}

    bool RowIsCopy(int y) const {
        for (int x = 0; x < w_; ++x)
            if (At(x, y) != SkinComposedPixel::Copy) return false;
        return true;
    }

    bool Add(bool special, int x, int y, int w, int h) {
        if (static_cast<int>(ops_->size()) >= kSkinMaxComposeOps) return false;
        ops_->push_back(SkinComposeOp{special, SkinBox{x, y, w, h}});
        return true;
    }

    // Rows [y0, y1), none of them all plain copies.
    bool Band(int y0, int y1) {
        std::vector<Column> columns(static_cast<size_t>(w_));
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < w_; ++x) {
                Column& c = columns[static_cast<size_t>(x)];
                switch (At(x, y)) {
                    case SkinComposedPixel::Copy:
                        c.copy = true;
                        break;
                    case SkinComposedPixel::Special:
                        c.special = true;
                        break;
                    case SkinComposedPixel::Skip:
                        c.skip = true;
                        break;
                }
            }
        // Bands never mix kept and drawn pixels in a column unless a Skip
        // pixel may be drawn (see SameSkips).
        std::vector<SkinComposedPixel> kinds(static_cast<size_t>(w_));
        for (int x = 0; x < w_; ++x) {
            const Column& c = columns[static_cast<size_t>(x)];
            SkinComposedPixel& k = kinds[static_cast<size_t>(x)];
            if (c.skip && !c.copy && !c.special)
                k = SkinComposedPixel::Skip;
            else
                k = c.special || c.skip ? SkinComposedPixel::Special : SkinComposedPixel::Copy;
        }
        Absorb(kinds);
        for (int x = 0; x < w_;) {
            int end = x + 1;
            while (end < w_ && kinds[static_cast<size_t>(end)] == kinds[static_cast<size_t>(x)]) ++end;
            SkinComposedPixel k = kinds[static_cast<size_t>(x)];
            if (k != SkinComposedPixel::Skip && !Add(k == SkinComposedPixel::Special, x, y0, end - x, y1 - y0))
                return false;
            x = end;
        }
        return true;
    }

    // Whether rows y and z may share a band: always when Skip pixels may be
    // drawn, else when they leave the same columns alone.
    bool SameSkips(int y, int z) const {
        if (skipMayBeSpecial_) return true;
        for (int x = 0; x < w_; ++x)
            if ((At(x, y) == SkinComposedPixel::Skip) != (At(x, z) == SkinComposedPixel::Skip)) return false;
        return true;
    }

private:
    SkinComposedPixel At(int x, int y) const {
        return pixels_[static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x)];
    }

    // Narrow copy runs (and skip runs, where allowed) beside a special run
    // become special.
    void Absorb(std::vector<SkinComposedPixel>& kinds) const {
        for (int x = 0; x < w_;) {
            int end = x + 1;
            while (end < w_ && kinds[static_cast<size_t>(end)] == kinds[static_cast<size_t>(x)]) ++end;
            SkinComposedPixel k = kinds[static_cast<size_t>(x)];
            bool mayJoin = k == SkinComposedPixel::Copy || (k == SkinComposedPixel::Skip && skipMayBeSpecial_);
            bool besideSpecial = (x > 0 && kinds[static_cast<size_t>(x - 1)] == SkinComposedPixel::Special) ||
                                 (end < w_ && kinds[static_cast<size_t>(end)] == SkinComposedPixel::Special);
            if (mayJoin && besideSpecial && end - x < kMinCopyRun)
                for (int i = x; i < end; ++i) kinds[static_cast<size_t>(i)] = SkinComposedPixel::Special;
            x = end;
        }
    }

    const std::vector<SkinComposedPixel>& pixels_;
    int w_;
    bool skipMayBeSpecial_;
    std::vector<SkinComposeOp>* ops_;
};

}  // namespace

bool SkinPlanComposedCopy(const std::vector<SkinComposedPixel>& pixels, int w, int h, bool skipMayBeSpecial,
                          std::vector<SkinComposeOp>* ops) {
    ops->clear();
    if (w <= 0 || h <= 0 || pixels.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) return false;
    Planner planner(pixels, w, skipMayBeSpecial, ops);
    for (int y = 0; y < h;) {
        bool copy = planner.RowIsCopy(y);
        int end = y + 1;
        while (end < h && planner.RowIsCopy(end) == copy && (copy || planner.SameSkips(y, end))) ++end;
        if (!(copy ? planner.Add(false, 0, y, w, end - y) : planner.Band(y, end))) {
            ops->clear();
            return false;
        }
        y = end;
    }
    return true;
}
