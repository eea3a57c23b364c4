// Which skin class a window gets, from its class name and style: one table
// read by one function, in the order the rows are tried.
#pragma once

#include <cstdint>
#include <string>

enum class SkinWindowKind : uint8_t {
    None,  // not skinned
    Frame,
    Button,
    RadioButton,
    GroupButton,
    CheckButton,
    Static,
    Edit,
    ComboBox,
    Slider,
    Progress,
    ListBox,
    TreeCtrl,
    SpinButton,
    Header,
    ListCtrl,
    TabCtrl,
    IpAddress,
    HotKey,
    DateTime,
    RichEdit,
    ToolBar,
    ReBar,
    ScrollBar,
    StatusBar,
    ControlBar,
    MdiClient,
    ComboLBox,  // a combo box's drop-down list, skinned by its combo box only
};

struct SkinDispatch {
    SkinWindowKind kind = SkinWindowKind::None;
    bool withoutId = false;    // attached with an empty skin id (the theme's class default)
    bool reportsZero = false;  // attached, yet the caller is told 0
};

// `className` as GetClassNameW gives it (at most 127 characters).
SkinDispatch SkinDispatchWindow(const std::wstring& className, uint32_t style);
