// The gallery's controls and the skin id each asks the theme for: one row
// per control, read by the gallery when it skins its dialog and by the
// tests. A kind whose skin or description does not exist yet keeps the
// system look; adding its description to the gallery themes
// (scripts/gallery_theme/kinds/) is all it takes to see it skinned here.
#pragma once

#include "gallery_ids.h"

struct GalleryControl {
    int id;
    const wchar_t* skinId;
    const wchar_t* kind;   // what it shows, for people and test names
    bool inRebar = false;  // a band child: its parent is the rebar
};

inline constexpr wchar_t kGalleryDialogSkin[] = L"gallery.dialog";
// The small statics (id -1) that name each control.
inline constexpr wchar_t kGalleryLabelSkin[] = L"gallery.label";

inline constexpr GalleryControl kGalleryControls[] = {
    {IDC_GALLERY_TOOLBAR, L"gallery.toolbar", L"toolbar"},
    {IDC_GALLERY_REBAR, L"gallery.rebar", L"rebar"},
    {IDC_GALLERY_REBAR_EDIT, L"gallery.edit", L"edit in a rebar band", true},
    {IDC_GALLERY_REBAR_COMBO, L"gallery.combo", L"combo box in a rebar band", true},
    {IDC_GALLERY_STATUSBAR, L"gallery.statusbar", L"status bar"},
    {IDC_GALLERY_PUSH, L"gallery.button", L"push button"},
    {IDC_GALLERY_PUSH_DEFAULT, L"gallery.button", L"default push button"},
    {IDC_GALLERY_PUSH_DISABLED, L"gallery.button", L"disabled push button"},
    {IDC_GALLERY_CHECK_GROUP, L"gallery.group", L"group box"},
    {IDC_GALLERY_CHECK_UNCHECKED, L"gallery.check", L"check box"},
    {IDC_GALLERY_CHECK_CHECKED, L"gallery.check", L"checked check box"},
    {IDC_GALLERY_CHECK_INDETERMINATE, L"gallery.check", L"indeterminate 3-state check box"},
    {IDC_GALLERY_CHECK_DISABLED, L"gallery.check", L"disabled check box"},
    {IDC_GALLERY_CHECK_DISABLED_CHECKED, L"gallery.check", L"disabled checked check box"},
    {IDC_GALLERY_CHECK_LEFTTEXT, L"gallery.check", L"check box with its text on the left"},
    {IDC_GALLERY_RADIO_GROUP, L"gallery.group", L"group box with a centred caption"},
    {IDC_GALLERY_RADIO_FIRST, L"gallery.radio", L"checked radio button"},
    {IDC_GALLERY_RADIO_SECOND, L"gallery.radio", L"radio button"},
    {IDC_GALLERY_RADIO_LEFTTEXT, L"gallery.radio", L"radio button with its text on the left"},
    {IDC_GALLERY_RADIO_DISABLED, L"gallery.radio", L"disabled radio button"},
    {IDC_GALLERY_STATIC, L"gallery.static", L"static text"},
    {IDC_GALLERY_EDIT, L"gallery.edit", L"edit"},
    {IDC_GALLERY_EDIT_MULTI, L"gallery.edit", L"multi-line edit"},
    {IDC_GALLERY_RICHEDIT, L"gallery.richedit", L"rich edit"},
    {IDC_GALLERY_COMBO, L"gallery.combo", L"combo box"},
    {IDC_GALLERY_SPIN_BUDDY, L"gallery.edit", L"spin button's buddy edit"},
    {IDC_GALLERY_SPIN, L"gallery.spin", L"spin button"},
    {IDC_GALLERY_IPADDRESS, L"gallery.ipaddress", L"IP address"},
    {IDC_GALLERY_HOTKEY, L"gallery.hotkey", L"hot key"},
    {IDC_GALLERY_DATETIME, L"gallery.datetime", L"date-time picker"},
    {IDC_GALLERY_LISTBOX, L"gallery.listbox", L"list box"},
    {IDC_GALLERY_TREE, L"gallery.tree", L"tree"},
    {IDC_GALLERY_LISTVIEW, L"gallery.listview", L"list view with header"},
    {IDC_GALLERY_TAB, L"gallery.tab", L"tab control"},
    {IDC_GALLERY_PROGRESS, L"gallery.progress", L"progress bar"},
    {IDC_GALLERY_SLIDER, L"gallery.slider", L"slider"},
    {IDC_GALLERY_SCROLL_HORZ, L"gallery.scrollbar", L"horizontal scroll bar"},
    {IDC_GALLERY_SCROLL_VERT, L"gallery.scrollbar", L"vertical scroll bar"},
};
