// CSkinControlBarSB: the skin of a framework control bar (a window whose
// class name contains "AfxControlBar"). After the bar's own paint, and in
// place of its non-client paint, it lays the horizontal picture over the
// whole window when the bar is wider than high, the vertical one otherwise,
// or the background colour without that picture; the bar's child windows
// keep their own painting.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinControlBarSB : public CSkinBase {
public:
    explicit CSkinControlBarSB(HWND window);

    void AdjustColors(const SkinColorShift& shift) override;
    void OnAttached() override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinControlBarDesc* BarDescription() const { return static_cast<const SkinControlBarDesc*>(description_); }

private:
    friend struct SkinControlBarTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnNcPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);

    void PaintWindow();

    CSkinDrawImage* horizontal_ = nullptr;
    CSkinDrawImage* vertical_ = nullptr;
};
