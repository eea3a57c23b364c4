// CSkinToolBarCtrlSB: the skin of a toolbar. It paints the whole bar: the
// background picture of its orientation (or colour), each button's face
// picture by state (over under the mouse, down while pressed or checked,
// disabled), the split drop-down part with its arrow picture, the icon
// from the bar's image lists and the text, and the separator pictures. The
// skin follows the mouse itself, so buttons of bars without the flat style
// show their over face too.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_bar_layout.h"
#include "skin/windows/controls/skin_bar_metrics.h"
#include "skin/windows/controls/skin_buffered_bar_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinToolBarCtrlSB : public CSkinBufferedBar {
public:
    explicit CSkinToolBarCtrlSB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnAttached() override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinToolBarDesc* ToolBarDescription() const { return static_cast<const SkinToolBarDesc*>(description_); }

    // The button under the mouse, or -1.
    int HotButton() const;

private:
    friend struct SkinToolBarTable;

    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnTimer(const SkinMessage&, LRESULT*);
    bool OnPassThenRepaint(const SkinMessage&, LRESULT*);

    // What one paint asks of the bar once, for all its buttons.
    struct PaintPass {
        uint32_t style = 0, extended = 0;
        int orientation = 0;  // 0 horizontal, 1 vertical
        bool barEnabled = true;
        int hot = -1;
        HIMAGELIST lists[3] = {};  // normal, hot, disabled
        SkinSize icon;             // the normal list's image size
    };
    PaintPass BeginPass() const;

    void DrawBackground(ISkinCanvas& canvas, const SkinRect& rect);
    void Draw(ISkinCanvas& canvas, const SkinRect& client) override;
    void DrawRing(ISkinCanvas& canvas, const SkinRect& whole) override { DrawBackground(canvas, whole); }
    void DrawButton(ISkinCanvas& canvas, const PaintPass& pass, int index, const TBBUTTON& button,
                    const SkinRect& item);
    void DrawIcon(ISkinCanvas& canvas, const PaintPass& pass, const TBBUTTON& button, SkinToolIcon kind,
                  const SkinRect& place);
    std::wstring ButtonText(const TBBUTTON& button) const;
    // Follows the mouse: the button at the cursor becomes the hot one.
    void TrackHot();
    void SetHot(int index);
    void InvalidateButton(int index);

    SkinToolbarMetrics metrics_;  // at the window's scale
    CSkinDrawImage* faces_[kSkinFaceCount] = {};
    CSkinDrawImage* background_[2] = {};  // horizontal, vertical
    CSkinDrawImage* separator_[2] = {};
    CSkinDrawImage* drop_[2] = {};
    int hot_ = -1;
};
