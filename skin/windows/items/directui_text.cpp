#include "skin/windows/items/directui_text.h"

#include "skin/draw/skin_color_shift.h"
#include "skin/platform/skin_window_host.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/manager/skin_base.h"

DirectUI_Text::DirectUI_Text(const SkinItemDesc& desc, CSkinBase* owner)
    : DirectUI_Base(desc, owner),
      descText_(desc.text),
      shownText_(desc.text),
      color_(desc.color),
      shiftColor_(desc.adjustHsb),
      format_(desc.textFormat) {}

void DirectUI_Text::SetText(const std::wstring& text) {
    std::lock_guard<std::mutex> lock(SkinItemLock());
    SetTextLocked(text);
}

void DirectUI_Text::SetTextLocked(const std::wstring& text) {
    descText_ = text;
    shownText_ = text;
}

std::wstring DirectUI_Text::DisplayedText() const {
    std::lock_guard<std::mutex> lock(SkinItemLock());
    return shownText_;
}

void DirectUI_Text::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) {
    Place(owner, parent);
    std::wstring text = DisplayedText();
    if (text.empty() && owner_ && owner_->Window())
        text = SkinWindowHost().WindowText(owner_->Window(), kMaxDrawnChars + 1);
    if (text.size() > kMaxDrawnChars) text.resize(kMaxDrawnChars);
    if (text.empty()) return;
    // The theme's font made for the owner's scale, else the owner's.
    HFONT font = desc_->font.empty()
                     ? nullptr
                     : static_cast<HFONT>(GetSkinResourceManager()->GetFontHandle(desc_->font, Scale()));
    if (!font && owner_) font = owner_->Font();
    SkinRect rect = rect_;
    canvas.DrawText(rect, text, format_, color_, font);
}

void DirectUI_Text::AdjustColors(const SkinColorShift& shift) {
    {
        std::lock_guard<std::mutex> lock(SkinItemLock());
        shownText_ = descText_;
    }
    // Only a full shift (all three values set) moves an item's colour.
    color_ = shiftColor_ && shift.IsFull() ? SkinShiftColor(desc_->color, shift) : desc_->color;
}
