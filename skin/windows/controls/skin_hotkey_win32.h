// CSkinHotKeySB: the skin of a hot-key control. Its frame comes from the
// skin's frame pictures (the over picture while the mouse is over it or it
// has the focus); the control paints the keys inside as it does.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_field_frame_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinHotKeySB : public CSkinFieldFrame {
public:
    explicit CSkinHotKeySB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnAttached() override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinHotKeyDesc* HotKeyDescription() const { return static_cast<const SkinHotKeyDesc*>(description_); }

private:
    friend struct SkinHotKeyTable;
};
