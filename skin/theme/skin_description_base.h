// Heads shared by every control skin description: the layout, the drawing
// items laid over a control, and the base record of a control description.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/value_types.h"
#include "common/win_constants.h"
#include "skin/theme/skin_value_parsers.h"

// Drawing-item kinds; the values are the item codes the painters switch on.
enum class SkinItemKind : int {
    Text = 0,
    Image = 1,
    Line = 2,
    Rectangle = 3,
    Animate = 4,
    EventItem = 5,
    DrawItem = 6,
};

// State-mask bits of drawing items.
enum : uint32_t {
    kSkinStateNormal = 1,
    kSkinStateOver = 2,
    kSkinStateDown = 4,
    kSkinStateDisable = 8,
    kSkinStateCheckedDisable = 16,
    kSkinStateCheckedNormal = 32,
    kSkinStateCheckedOver = 64,
    kSkinStateUncheckNormal = 128,
    kSkinStateUncheckOver = 256,
    kSkinStateAll = 512,
};

// Fill modes of rectangle items.
enum : uint32_t { kSkinFillSolid = 0, kSkinFillHorizGradient = 1, kSkinFillVertGradient = 2 };

// One drawing item. The record carries the fields of every kind; each kind
// uses its own group (the other groups keep their defaults).
struct SkinItemDesc {
    SkinLayout layout;
    SkinItemKind kind = SkinItemKind::Text;
    uint32_t stateMask = kSkinStateAll;
    std::wstring id;
    bool visible = true;

    // text; `color` and `adjustHsb` also serve line items.
    std::wstring text;
    std::wstring font;
    SkinColor color = 0;
    uint32_t textFormat = 0;
    bool adjustHsb = false;

    // image; `picFile` also serves animate items.
    std::wstring picFile;
    std::wstring drawStyle;
    SkinQuad border9grid;
    SkinPair partOffset;
    bool vertPaint = false;
    int xSrc = 0;
    int ySrc = 0;
    int srcWidth = 0;
    int srcHeight = 0;

    // line
    uint32_t penStyle = kSkinPenSolid;
    int penWidth = 1;

    // rectangle
    uint32_t fillMode = kSkinFillSolid;
    SkinColor fillColor = 0;
    SkinColor borderColor = 0;
    SkinColor gradientBeginColor = 0;
    SkinColor gradientEndColor = 0;
    SkinPair round;

    // animate
    int frameCount = 0;
    int beginFrame = 1;
    int delayTime = 200;
    bool cycle = true;
    bool enablePlay = true;

    // eventitem
    std::wstring cursor;

    // Nested items of drawitem and eventitem.
    std::vector<std::unique_ptr<SkinItemDesc>> children;
};

using SkinItemList = std::vector<std::unique_ptr<SkinItemDesc>>;

// Control classes of the theme, in the order of the class table.
enum class SkinDescClass : int {
    Window,
    Button,
    Static,
    RadioButton,
    CheckButton,
    GroupButton,
    Edit,
    ComboBox,
    ListBox,
    Slider,
    Progress,
    SpinButton,
    Header,
    ListView,
    Tree,
    TabCtrl,
    Menu,
    MenuBar,
    IpAddress,
    HotKey,
    DateTime,
    RichEdit,
    ToolBar,
    Rebar,
    StatusBar,
    ControlBar,
    ScrollBar,
    Count
};
constexpr int kSkinDescClassCount = static_cast<int>(SkinDescClass::Count);

// Head of every control description.
struct SkinControlDesc {
    virtual ~SkinControlDesc() = default;
    SkinLayout layout;
    std::wstring id;
    SkinItemList items;  // empty for classes without drawing items
};
