// CSkinScroller: base of the skins that draw their own scroll bars (frames,
// list-like controls, edits). It keeps the engine's copy of each bar, which
// the scroll-bar hooks read and write; drawing the bars comes with the
// scrolling controls.
#pragma once

#include <windows.h>

#include "skin/windows/hooks/skin_scroll_math.h"
#include "skin/windows/manager/skin_base.h"

class CSkinScroller : public CSkinBase {
public:
    explicit CSkinScroller(HWND window);

    // Draws the skinned scroll bars into the window DC; `hoverOnly`
    // repaints only what the mouse changed.
    void DrawNonClient(HDC dc, unsigned flags, bool hoverOnly) override;

    // The copies of the bars: [0] horizontal, [1] vertical.
    SkinScrollBars* ScrollBars() override { return &bars_; }
    // The set-up the window gets at creation (and at WM_SKIN_REINIT): the
    // copies start from the bars the window has.
    void InitScrollBars();

private:
    SkinScrollBars bars_;
};
