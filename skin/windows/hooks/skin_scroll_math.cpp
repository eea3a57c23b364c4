#include "skin/windows/hooks/skin_scroll_math.h"

#include <algorithm>

namespace {

int64_t RangeSize(const SkinScrollBarCopy& bar) { return std::max<int64_t>(0, int64_t{bar.maximum} - bar.minimum + 1); }

void ClampPage(SkinScrollBarCopy& bar) {
    bar.page = static_cast<unsigned>(std::min<int64_t>(bar.page, RangeSize(bar)));
}

}  // namespace

int SkinScrollBarIndex(int bar, const SkinScrollBars& bars) {
    switch (bar) {
        case kSkinSbHorz:
            return 0;
        case kSkinSbVert:
            return 1;
        case kSkinSbCtl:
            if (bars.bar[1].shown) return 1;
            if (bars.bar[0].shown) return 0;
            return -1;
        default:
            return -1;
    }
}

int SkinClampScrollPosition(const SkinScrollBarCopy& bar, int64_t position) {
    // A page of 0 leaves the whole range; the usual SetScrollPos case.
    const int64_t last =
        std::max<int64_t>(bar.minimum, int64_t{bar.maximum} - std::max<int64_t>(int64_t{bar.page} - 1, 0));
    return static_cast<int>(std::clamp<int64_t>(position, bar.minimum, last));
}

SkinScrollInfoResult SkinApplyScrollInfo(SkinScrollBarCopy& bar, const SkinScrollInfoIn& in, bool ownBar) {
    if (in.mask & kSkinSifRange) {
        bar.minimum = in.minimum;
        bar.maximum = in.maximum;
    }
    if (in.mask & kSkinSifPage) bar.page = in.page;
    // A new range can leave an old page or position outside it.
    ClampPage(bar);
    bar.position = SkinClampScrollPosition(bar, (in.mask & kSkinSifPos) ? int64_t{in.position} : bar.position);
    if (int64_t{bar.maximum} - bar.minimum < 1) {
        bar.position = 0;
        bar.trackPosition = 0;
    }

    SkinScrollInfoResult result;
    result.position = bar.position;
    if (!ownBar) return result;
    bool show;
    if (in.mask & kSkinSifDisableNoScroll) {
        show = true;
        bar.disabled = int64_t{bar.maximum} < int64_t{bar.page};
    } else {
        show = int64_t{bar.maximum} >= int64_t{bar.page} && bar.minimum < bar.maximum &&
               !(bar.maximum == 0 && bar.page == 0);
    }
    if (show != bar.shown) {
        bar.shown = show;
        result.visibility = show ? SkinBarVisibility::Show : SkinBarVisibility::Hide;
    }
    return result;
}

int SkinApplyScrollPos(SkinScrollBarCopy& bar, int position) {
    const int old = bar.position;
    bar.position = SkinClampScrollPosition(bar, position);
    return old;
}

SkinBarVisibility SkinApplyScrollRange(SkinScrollBarCopy& bar, int minimum, int maximum, bool ownBar) {
    bar.minimum = minimum;
    bar.maximum = maximum;
    ClampPage(bar);
    bar.position = SkinClampScrollPosition(bar, bar.position);
    if (!ownBar) return SkinBarVisibility::Keep;
    const bool show = minimum != maximum;
    if (show == bar.shown) return SkinBarVisibility::Keep;
    bar.shown = show;
    return show ? SkinBarVisibility::Show : SkinBarVisibility::Hide;
}
