// SCROLLINFO and the engine's copies of a bar: what a caller's structure
// asks to store, what it asks to read, and a bar read from the system past
// the hooks. Shared by the hooks, the scroll-bar control's own messages and
// the rich-edit layer.
#pragma once

#include <windows.h>

#include "skin/windows/hooks/skin_scroll_math.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"

// The sizes of SCROLLINFO the system accepts: with and without nTrackPos.
inline bool SkinValidScrollInfoSize(UINT size) {
    return size == sizeof(SCROLLINFO) || size == sizeof(SCROLLINFO) - sizeof(int);
}

// What SetScrollInfo is given.
inline SkinScrollInfoIn SkinScrollInfoOf(const SCROLLINFO& info) {
    SkinScrollInfoIn in;
    in.mask = info.fMask;
    in.minimum = info.nMin;
    in.maximum = info.nMax;
    in.page = info.nPage;
    in.position = info.nPos;
    return in;
}

// Fills the members the caller's mask asks for (a structure without
// nTrackPos gets none); false when it asked for none.
inline bool SkinFillScrollInfo(const SkinScrollBarCopy& bar, SCROLLINFO& info) {
    bool filled = false;
    if (info.fMask & SIF_RANGE) {
        info.nMin = bar.minimum;
        info.nMax = bar.maximum;
        filled = true;
    }
    if (info.fMask & SIF_PAGE) {
        info.nPage = bar.page;
        filled = true;
    }
    if (info.fMask & SIF_POS) {
        info.nPos = bar.position;
        filled = true;
    }
    if ((info.fMask & SIF_TRACKPOS) && info.cbSize == sizeof(SCROLLINFO)) {
        info.nTrackPos = bar.trackPosition;
        filled = true;
    }
    return filled;
}

// The system's own values of a bar, read past the hooks into `copy`.
inline bool SkinReadSystemBar(HWND window, int bar, SkinScrollBarCopy& copy) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!skin_unhooked::GetScrollInfo(window, bar, &info)) return false;
    copy.minimum = info.nMin;
    copy.maximum = info.nMax;
    copy.page = info.nPage;
    copy.position = info.nPos;
    copy.trackPosition = info.nTrackPos;
    return true;
}
