// Creation of drawing items from a description list.
#include <memory>

#include "skin/windows/items/directui_animate.h"
#include "skin/windows/items/directui_base.h"
#include "skin/windows/items/directui_draw_item.h"
#include "skin/windows/items/directui_event_item.h"
#include "skin/windows/items/directui_image.h"
#include "skin/windows/items/directui_line.h"
#include "skin/windows/items/directui_rectangle.h"
#include "skin/windows/items/directui_text.h"

namespace {

std::unique_ptr<DirectUI_Base> CreateItem(const SkinItemDesc& desc, CSkinBase* owner, const SkinColorShift& shift) {
    switch (desc.kind) {
        case SkinItemKind::Text:
            return std::make_unique<DirectUI_Text>(desc, owner);
        case SkinItemKind::Image:
            return std::make_unique<DirectUI_Image>(desc, owner);
        case SkinItemKind::Line:
            return std::make_unique<DirectUI_Line>(desc, owner);
        case SkinItemKind::Rectangle:
            return std::make_unique<DirectUI_Rectangle>(desc, owner);
        case SkinItemKind::Animate:
            return std::make_unique<DirectUI_Animate>(desc, owner);
        case SkinItemKind::EventItem:
            return std::make_unique<DirectUI_EventItem>(desc, owner, shift);
        case SkinItemKind::DrawItem:
            return std::make_unique<DirectUI_DrawItem>(desc, owner, shift);
    }
    return nullptr;
}

}  // namespace

SkinItemPtrList SkinCreateItems(const SkinItemList& descriptions, CSkinBase* owner, uint32_t accepted,
                                const SkinColorShift& shift) {
    SkinItemPtrList items;
    for (const auto& desc : descriptions) {
        if (!desc) continue;
        int kind = static_cast<int>(desc->kind);
        if (kind < 0 || kind > 6 || !(accepted & (1u << kind))) continue;
        std::unique_ptr<DirectUI_Base> item = CreateItem(*desc, owner, shift);
        if (!item) continue;
        // Texts, lines and rectangles make their colours and pens here;
        // pictures, animations and groups prepared themselves.
        if (desc->kind == SkinItemKind::Text || desc->kind == SkinItemKind::Line ||
            desc->kind == SkinItemKind::Rectangle)
            item->AdjustColors(shift);
        items.push_back(std::move(item));
    }
    return items;
}
