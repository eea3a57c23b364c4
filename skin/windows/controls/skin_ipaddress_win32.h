// CSkinIPAddressSB: the skin of an IP-address control. Its frame comes from
// the skin's frame pictures; inside it the skin paints the field background
// and the dots, and its four edit fields take the skin's text colour and
// font (through the control-colour messages they send it). The fields are
// laid out again whenever the control's client area changes size.
#pragma once

#include <windows.h>

#include <array>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_field_layout.h"
#include "skin/windows/controls/skin_field_frame_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinIPAddressSB : public CSkinFieldFrame {
public:
    static constexpr int kFieldCount = 4;

    explicit CSkinIPAddressSB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnAttached() override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinIpAddressDesc* IpDescription() const { return static_cast<const SkinIpAddressDesc*>(description_); }

    // What the fields take from the skin.
    SkinColor TextColor() const;
    HFONT FieldFont() const { return font_; }
    // Records an edit field in the first free slot (one whose window is
    // gone); false when all four are taken.
    bool AddField(HWND edit);
    HWND Field(int i) const { return i >= 0 && i < kFieldCount ? fields_[static_cast<size_t>(i)] : nullptr; }

protected:
    bool FrameFocused() const override;

private:
    friend struct SkinIpAddressTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnSize(const SkinMessage&, LRESULT*);
    bool OnFieldColor(const SkinMessage&, LRESULT*);
    bool OnCommand(const SkinMessage&, LRESULT*);

    void FindFields();
    void ApplyFont();
    void LayOutFields();
    // Where the fields and dots go in the client area as it is now.
    SkinIpLayout FieldLayout() const;

    std::array<HWND, kFieldCount> fields_{};
};
