#include "skin/windows/manager/skin_dispatch.h"

namespace {

enum class Match : uint8_t { Exact, Contains, CaptionStyle };

// Button sub-kinds (style & 0xF) as a mask of 1 << sub-kind; 0 = any.
constexpr uint16_t Subkinds(std::initializer_list<int> kinds) {
    uint16_t mask = 0;
    for (int k : kinds) mask = static_cast<uint16_t>(mask | 1u << k);
    return mask;
}

struct Row {
    Match match;
    const wchar_t* name;
    uint16_t buttonKinds;
    SkinWindowKind kind;
    bool withoutId;
    bool reportsZero;
};

constexpr Row kRows[] = {
    {Match::Exact, L"#32770", 0, SkinWindowKind::Frame, false, false},
    {Match::Exact, L"Button", Subkinds({0, 1}), SkinWindowKind::Button, false, false},
    {Match::Exact, L"Button", Subkinds({4, 9}), SkinWindowKind::RadioButton, false, false},
    {Match::Exact, L"Button", Subkinds({7}), SkinWindowKind::GroupButton, false, false},
    {Match::Exact, L"Button", Subkinds({2, 3, 5, 6}), SkinWindowKind::CheckButton, false, false},
    {Match::Exact, L"Button", Subkinds({8, 10, 11, 12, 13, 14, 15}), SkinWindowKind::None, false, false},
    {Match::Exact, L"Static", 0, SkinWindowKind::Static, false, false},
    {Match::Exact, L"Edit", 0, SkinWindowKind::Edit, false, false},
    {Match::Exact, L"ComboBox", 0, SkinWindowKind::ComboBox, false, false},
    {Match::Exact, L"msctls_trackbar32", 0, SkinWindowKind::Slider, false, false},
    {Match::Exact, L"msctls_progress32", 0, SkinWindowKind::Progress, false, false},
    {Match::Exact, L"ListBox", 0, SkinWindowKind::ListBox, false, false},
    {Match::Exact, L"SysTreeView32", 0, SkinWindowKind::TreeCtrl, false, true},
    {Match::Exact, L"msctls_updown32", 0, SkinWindowKind::SpinButton, false, false},
    {Match::Exact, L"SysHeader32", 0, SkinWindowKind::Header, false, false},
    {Match::Exact, L"SysListView32", 0, SkinWindowKind::ListCtrl, false, false},
    {Match::Exact, L"SysTabControl32", 0, SkinWindowKind::TabCtrl, false, false},
    {Match::Exact, L"SysIPAddress32", 0, SkinWindowKind::IpAddress, false, false},
    {Match::Exact, L"msctls_hotkey32", 0, SkinWindowKind::HotKey, false, false},
    {Match::Exact, L"SysDateTimePick32", 0, SkinWindowKind::DateTime, false, false},
    {Match::Contains, L"RichEdit", 0, SkinWindowKind::RichEdit, false, false},
    {Match::Contains, L"RICHEDIT", 0, SkinWindowKind::RichEdit, false, false},
    {Match::Exact, L"ToolbarWindow32", 0, SkinWindowKind::ToolBar, false, false},
    {Match::Exact, L"ReBarWindow32", 0, SkinWindowKind::ReBar, false, false},
    {Match::Exact, L"ScrollBar", 0, SkinWindowKind::ScrollBar, false, false},
    {Match::Exact, L"msctls_statusbar32", 0, SkinWindowKind::StatusBar, false, false},
    {Match::Contains, L"AfxControlBar", 0, SkinWindowKind::ControlBar, true, false},
    {Match::Contains, L"AfxFrameOrView", 0, SkinWindowKind::MdiClient, false, false},
    {Match::Contains, L"MDIClient", 0, SkinWindowKind::MdiClient, false, false},
    // Any other window with both caption bits (WS_CAPTION) is a frame.
    {Match::CaptionStyle, nullptr, 0, SkinWindowKind::Frame, true, false},
};

bool Matches(const Row& row, const std::wstring& className, uint32_t style) {
    switch (row.match) {
        case Match::Exact:
            if (className != row.name) return false;
            return row.buttonKinds == 0 || (row.buttonKinds & (1u << (style & 0xF))) != 0;
        case Match::Contains:
            return className.find(row.name) != std::wstring::npos;
        case Match::CaptionStyle:
            return (style >> 22 & 3) == 3;
    }
    return false;
}

}  // namespace

SkinDispatch SkinDispatchWindow(const std::wstring& className, uint32_t style) {
    for (const Row& row : kRows)
        if (Matches(row, className, style)) return SkinDispatch{row.kind, row.withoutId, row.reportsZero};
    return SkinDispatch{};
}
