#include "skin/windows/controls/skin_scroller_win32.h"

#include "skin/windows/hooks/skin_unhooked_win32.h"

namespace {

void ReadBar(HWND window, int bar, SkinScrollBarCopy& copy) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!skin_unhooked::GetScrollInfo(window, bar, &info)) return;
    copy.minimum = info.nMin;
    copy.maximum = info.nMax;
    copy.page = info.nPage;
    copy.position = info.nPos;
    copy.trackPosition = info.nTrackPos;
}

}  // namespace

CSkinScroller::CSkinScroller(HWND window) : CSkinBase(window) {}

void CSkinScroller::DrawNonClient(HDC, unsigned, bool) {}

void CSkinScroller::InitScrollBars() {
    if (!window_) return;
    auto style = skin_unhooked::Style(window_);
    ReadBar(window_, SB_HORZ, bars_.bar[0]);
    ReadBar(window_, SB_VERT, bars_.bar[1]);
    bars_.bar[0].shown = (style & WS_HSCROLL) != 0;
    bars_.bar[1].shown = (style & WS_VSCROLL) != 0;
}
