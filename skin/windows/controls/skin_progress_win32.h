// CSkinProgressSB: the skin of a progress bar. It draws the channel and the
// filled part from the description's pictures (a 9-grid, or a strip with
// fixed ends), and the percentage when asked, over the parent's skinned
// background. Range and position come from the control's own answers; a
// marquee bar shows a running block instead.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_progress_geometry.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinProgressSB : public CSkinBase {
public:
    explicit CSkinProgressSB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinProgressDesc* ProgressDescription() const { return static_cast<const SkinProgressDesc*>(description_); }

    // What the control reports: its range (PBM_GETRANGE) and position
    // (PBM_GETPOS), asked of the control's own procedure.
    SkinProgressRange Range();

private:
    friend struct SkinProgressTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnNcCalcSize(const SkinMessage&, LRESULT*);
    bool OnPassAndRepaint(const SkinMessage&, LRESULT*);

    void DrawBar(ISkinCanvas& canvas, const SkinRect& client, bool vertical, const SkinRect& fill);
    void DrawStrip(ISkinCanvas& canvas, CSkinDrawImage* picture, const SkinRect& rect, bool vertical,
                   SkinStripMiddle middle);
    void DrawPercentage(ISkinCanvas& canvas, const SkinRect& client, const SkinProgressRange& range);

    CSkinDrawImage* channelNormal_[2] = {};  // horizontal, vertical
    CSkinDrawImage* channelActive_[2] = {};
};
