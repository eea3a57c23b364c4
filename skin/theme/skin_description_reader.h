// Reading of the control items of a theme's "constrol" section into
// description records (see skin_descriptions.h), and of their drawing items.
#pragma once

#include <memory>
#include <string>

#include "skin/theme/skin_attribute_reader.h"
#include "skin/theme/skin_descriptions.h"

// One control class of the theme.
struct SkinClassInfo {
    const wchar_t* name;  // value of the item's `class`; also the id of the class default
    SkinDescClass cls;
    bool hashed;        // 83-bucket hash table; otherwise a list in definition order
    bool hasItems;      // reads drawing items
    bool classDefault;  // the getter falls back to the item whose id is the class name
    std::unique_ptr<SkinControlDesc> (*create)();
    // Applies the class's attribute defaults; with `present` also reads the
    // attributes of the document's current element.
    void (*attributes)(const SkinAttributeReader& reader, SkinControlDesc& desc, bool present);
    // Further child elements (window only), or nullptr.
    void (*children)(const SkinAttributeReader& reader, SkinControlDesc& desc);
};

// The class named `name` exactly, or nullptr.
const SkinClassInfo* FindSkinClass(const std::wstring& name);
const SkinClassInfo& GetSkinClass(SkinDescClass cls);

// Layout of the current element: left/top (with "center"), right, bottom,
// width, height.
SkinLayout ReadSkinLayout(const SkinAttributeReader& reader);

// Reads the control item on which the document is positioned into a new
// description of class `info` with `layout` and `id`. The position is the
// item again afterwards.
std::unique_ptr<SkinControlDesc> ReadSkinControl(const SkinAttributeReader& reader, const SkinClassInfo& info,
                                                 const SkinLayout& layout, const std::wstring& id);

// Reads the comwnd item on which the document is positioned.
SkinSharedWindowSettings ReadSkinSharedWindowSettings(const SkinAttributeReader& reader);

// Reads the drawing items among the children of the document's parent
// element, grouped by kind in the fixed kind order.
void ReadSkinDrawingItems(const SkinAttributeReader& reader, SkinItemList& items);

// Deepest nesting of drawitem/eventitem children that is read; deeper
// levels are ignored so that a hostile theme cannot exhaust the stack.
constexpr int kSkinMaxItemNesting = 16;
