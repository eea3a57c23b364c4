// CSkinStatusBarSB: the skin of a status bar. It paints the whole bar: the
// background picture (or colour), each part's icon and text in the skin's
// colour and font (left, centred and right pieces split at tabs), the
// separator picture between parts and the size-grip picture; owner-drawn
// parts are left to the parent (WM_DRAWITEM) on the skin's buffer.
#pragma once

#include <windows.h>

#include <string>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_bar_metrics.h"
#include "skin/windows/controls/skin_buffered_bar_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinStatusBarSB : public CSkinBufferedBar {
public:
    explicit CSkinStatusBarSB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnAttached() override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinStatusBarDesc* StatusDescription() const { return static_cast<const SkinStatusBarDesc*>(description_); }

    // The text of a part (of the simple mode's with index 0 while the bar is
    // simple), read with its length asked first; empty for owner-drawn parts.
    std::wstring PartText(int part, bool* ownerDraw) const;

private:
    friend struct SkinStatusBarTable;

    void Draw(ISkinCanvas& canvas, const SkinRect& client) override;
    void DrawPart(ISkinCanvas& canvas, int index, const SkinRect& part, int textRight, bool simple);
    void DrawGrip(ISkinCanvas& canvas, const SkinRect& client);

    SkinStatusMetrics metrics_;  // at the window's scale
    CSkinDrawImage* background_ = nullptr;
    CSkinDrawImage* separator_ = nullptr;
    CSkinDrawImage* grip_ = nullptr;
};
