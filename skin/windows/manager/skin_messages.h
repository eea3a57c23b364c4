// Window messages as the skin classes take them: the message record their
// handlers receive, the engine's private messages, the system messages
// <windows.h> does not name, and the names of the engine's window
// properties. The private values are fixed: they travel between the
// engine's own window procedures, and some reach the application.
#pragma once

#include "common/win_types.h"

// One window message as a handler of a skin class receives it.
struct SkinMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

enum : UINT {
    WM_SKIN_PAINTPARENTBK = 2287,  // child to frame: {child, child DC, rectangle}* - paint my background
    WM_SKIN_RELAYOUT = 4242,       // to a frame: skin object, flag - add it to the layout list
    WM_SKIN_ITEMCLICK = 6324,      // posted: window handle, item id text - a clickable item was clicked
    WM_SKIN_LISTCLICK = 6325,      // posted: item value, MAKELONG(control id, item index)
    WM_SKIN_BKDRAWN = 6326,        // frame to itself: memory DC - the background is composed
    WM_SKIN_IMAGECLICK = 6327,     // posted to the parent: control window - its image was clicked
    WM_SKIN_REINIT = 27184,        // run the creation-time set-up again
    WM_SKIN_DROPSHOW = 27186,      // posted: the drop-down list was shown or hidden
    WM_SKIN_NCPAINTED = 29697,     // frame to itself: the skinned non-client area was painted
};

// System messages that <windows.h> does not name.
enum : UINT {
    kSkinWmNcUahDrawCaption = 0x00AE,  // the system's own (themed) caption drawing
    kSkinWmPopupSystemMenu = 0x0313,   // the system menu opened from the taskbar button
};

// Window properties of the engine.
inline constexpr wchar_t kSkinPropObject[] = L"VELTAR_PROC";      // the window's skin object
inline constexpr wchar_t kSkinPropPaint[] = L"VELTAR_D";          // paint redirection record
inline constexpr wchar_t kSkinPropDc[] = L"VELTAR_E";             // device-context redirection record
inline constexpr wchar_t kSkinPropAnimate[] = L"VELTAR_ANIMATE";  // the running animation player
inline constexpr wchar_t kSkinPropRichEdit[] = L"PROP_Veltar";    // rich-edit scroll-bar state
