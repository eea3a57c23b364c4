// The scroll-bar arithmetic of the hooks, apart from any Win32 call: which
// of a scroller's two bars a call addresses, and how SetScrollInfo,
// SetScrollPos and SetScrollRange change the skin's copy of a bar.
//
// All arithmetic is done in 64 bits: maximum - minimum + 1 overflows 32
// bits for wide ranges, and a page above INT_MAX must not turn negative.
// A stored position lies in [minimum, maximum - (page - 1)] ([minimum,
// maximum] when the page is 0), and a stored page is at most the range's
// size; SetScrollInfo resets a bar without a range (maximum - minimum < 1)
// to position 0.
#pragma once

#include <cstdint>

#include "common/win_constants.h"

// The skin's copy of one bar.
struct SkinScrollBarCopy {
    bool shown = false;     // the window shows the bar (WS_HSCROLL / WS_VSCROLL)
    bool disabled = false;  // set by SIF_DISABLENOSCROLL while nothing can scroll
    unsigned arrows = 0;    // ESB_ flags of EnableScrollBar; both set disable the bar
    int minimum = 0;
    int maximum = 0;
    unsigned page = 0;
    int position = 0;
    int trackPosition = 0;
};

// A scroller's two bars: [0] horizontal, [1] vertical.
struct SkinScrollBars {
    SkinScrollBarCopy bar[2];
};

// A read or change of a skin's bar copies, run while the copies are
// locked (the skin objects' VisitScrollBars).
class ISkinScrollBarsVisit {
public:
    virtual void Visit(SkinScrollBars& bars) noexcept = 0;

protected:
    ~ISkinScrollBarsVisit() = default;
};

// The bar a call with `bar` addresses: SB_HORZ 0, SB_VERT 1, SB_CTL the
// vertical bar when it is shown, else the horizontal one when it is shown;
// -1 for none (the call then returns 0).
int SkinScrollBarIndex(int bar, const SkinScrollBars& bars);

// What the caller must do about the system's bar after a change.
enum class SkinBarVisibility : uint8_t { Keep, Show, Hide };

// The members of a SCROLLINFO that SetScrollInfo reads.
struct SkinScrollInfoIn {
    unsigned mask = 0;
    int minimum = 0;
    int maximum = 0;
    unsigned page = 0;
    int position = 0;
};

struct SkinScrollInfoResult {
    int position = 0;  // what SetScrollInfo returns
    SkinBarVisibility visibility = SkinBarVisibility::Keep;
};

// SetScrollInfo on the copy. `ownBar` is true for SB_HORZ and SB_VERT,
// whose visibility follows the values; an SB_CTL bar's never changes.
SkinScrollInfoResult SkinApplyScrollInfo(SkinScrollBarCopy& bar, const SkinScrollInfoIn& in, bool ownBar);

// SetScrollPos on the copy; returns the old position.
int SkinApplyScrollPos(SkinScrollBarCopy& bar, int position);

// SetScrollRange on the copy: stores the range and brings page and
// position back inside it. For an own bar an empty range (minimum =
// maximum) hides a shown bar and any other shows a hidden one.
SkinBarVisibility SkinApplyScrollRange(SkinScrollBarCopy& bar, int minimum, int maximum, bool ownBar);

// The position clamped into the bar's range for its page.
int SkinClampScrollPosition(const SkinScrollBarCopy& bar, int64_t position);
