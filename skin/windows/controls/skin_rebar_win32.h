// CSkinReBarCtrlSB: the skin of a rebar. It paints the bar behind its
// bands: the background picture of its orientation (or colour), each band's
// gripper and label, the drop picture of a band cut short, and the lines
// between bands; the bands' child windows paint themselves.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_bar_metrics.h"
#include "skin/windows/controls/skin_buffered_bar_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinReBarCtrlSB : public CSkinBufferedBar {
public:
    explicit CSkinReBarCtrlSB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnAttached() override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinRebarDesc* RebarDescription() const { return static_cast<const SkinRebarDesc*>(description_); }

private:
    friend struct SkinReBarTable;

    void DrawBackground(ISkinCanvas& canvas, const SkinRect& rect, bool vertical);
    void Draw(ISkinCanvas& canvas, const SkinRect& client) override;
    void DrawRing(ISkinCanvas& canvas, const SkinRect& whole) override;
    void Etch(ISkinCanvas& canvas, const SkinRect& line, bool vertical);

    SkinRebarMetrics metrics_;            // the control's own, unscaled
    CSkinDrawImage* background_[2] = {};  // horizontal, vertical
    CSkinDrawImage* drop_[2] = {};
};
