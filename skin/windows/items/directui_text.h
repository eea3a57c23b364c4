// A text item: its string, or the owner window's text when the string is
// empty, in its colour and font with the theme's format code.
#pragma once

#include <string>

#include "skin/windows/items/directui_base.h"

class DirectUI_Text : public DirectUI_Base {
public:
    // Longest text drawn; longer texts are cut.
    static constexpr size_t kMaxDrawnChars = 511;

    DirectUI_Text(const SkinItemDesc& desc, CSkinBase* owner);

    void Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) override;
    void AdjustColors(const SkinColorShift& shift) override;

    // Sets the description text and the displayed text (any thread).
    void SetText(const std::wstring& text);
    // The same with SkinItemLock() already held.
    void SetTextLocked(const std::wstring& text);
    // The displayed text (any thread).
    std::wstring DisplayedText() const;
    SkinColor Color() const { return color_; }
    uint32_t Format() const { return format_; }

private:
    std::wstring descText_;   // guarded by SkinItemLock()
    std::wstring shownText_;  // guarded by SkinItemLock()
    SkinColor color_ = 0;
    bool shiftColor_ = false;
    uint32_t format_ = 0;  // the theme's code: DrawText flags as they are
};
