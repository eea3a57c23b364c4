// Win32 constants that portable code needs: the values as the system has
// them, so the decisions made free of Win32 (and their native tests) speak
// the system's numbers. The Windows build checks every one against
// <windows.h>.
#pragma once

#include <cstdint>

// DrawText formats (DT_).
enum : uint32_t {
    kSkinDtLeft = 0x0,
    kSkinDtTop = 0x0,
    kSkinDtCenter = 0x1,
    kSkinDtRight = 0x2,
    kSkinDtVCenter = 0x4,
    kSkinDtBottom = 0x8,
    kSkinDtWordBreak = 0x10,
    kSkinDtSingleLine = 0x20,
    kSkinDtCalcRect = 0x400,
    kSkinDtNoPrefix = 0x800,
    kSkinDtEditControl = 0x2000,
    kSkinDtEndEllipsis = 0x8000,
};

// Window styles (WS_, DS_) and extended styles (WS_EX_).
enum : uint32_t {
    kSkinWsCaption = 0x00C00000,
    kSkinWsBorder = 0x00800000,
    kSkinWsDlgFrame = 0x00400000,
    kSkinWsVScroll = 0x00200000,
    kSkinWsHScroll = 0x00100000,
    kSkinWsThickFrame = 0x00040000,
    kSkinDsModalFrame = 0x80,
    kSkinWsExToolWindow = 0x80,
    kSkinWsExWindowEdge = 0x100,
    kSkinWsExClientEdge = 0x200,
    kSkinWsExLeftScrollBar = 0x4000,
    kSkinWsExStaticEdge = 0x20000,
};

// Static control styles (SS_): the type mask, the alignments and the
// vertical centring bit.
enum : uint32_t {
    kSkinSsTypeMask = 0x1F,
    kSkinSsCenter = 0x1,
    kSkinSsRight = 0x2,
    kSkinSsCenterImage = 0x200,
};

// Button styles (BS_): the horizontal alignment and text on the left; the
// check states BM_GETSTATE reports (BST_).
enum : uint32_t {
    kSkinBsLeftText = 0x20,
    kSkinBsLeft = 0x100,
    kSkinBsRight = 0x200,
    kSkinBsCenter = 0x300,
    kSkinBstChecked = 0x1,
    kSkinBstIndeterminate = 0x2,
};

// Hit-test codes (HT, the answers to WM_NCHITTEST).
enum : int {
    kSkinHtNowhere = 0,
    kSkinHtClient = 1,
    kSkinHtCaption = 2,
    kSkinHtSysMenu = 3,
    kSkinHtMinButton = 8,
    kSkinHtMaxButton = 9,
    kSkinHtLeft = 10,
    kSkinHtRight = 11,
    kSkinHtTop = 12,
    kSkinHtTopLeft = 13,
    kSkinHtTopRight = 14,
    kSkinHtBottom = 15,
    kSkinHtBottomLeft = 16,
    kSkinHtBottomRight = 17,
    kSkinHtClose = 20,
    kSkinHtHelp = 21,
};

// System colour indices (COLOR_, GetSysColor numbering).
enum : int {
    kSkinSysColorBackground = 1,
    kSkinSysColorBtnFace = 15,
    kSkinSysColorGrayText = 17,
};

// Pen styles (PS_).
enum : uint32_t { kSkinPenSolid = 0, kSkinPenDash = 1, kSkinPenDot = 2, kSkinPenDashDot = 3, kSkinPenDashDotDot = 4 };

// Scroll-bar codes (SB_) and SCROLLINFO mask bits (SIF_).
enum : int { kSkinSbHorz = 0, kSkinSbVert = 1, kSkinSbCtl = 2, kSkinSbBoth = 3 };
enum : unsigned {
    kSkinSifRange = 0x1,
    kSkinSifPage = 0x2,
    kSkinSifPos = 0x4,
    kSkinSifDisableNoScroll = 0x8,
    kSkinSifTrackPos = 0x10,
};

// Compression codes of BMP files (BI_).
enum : uint32_t { kSkinBmpRgb = 0, kSkinBmpRle8 = 1, kSkinBmpRle4 = 2, kSkinBmpBitfields = 3 };

#if defined(_WIN32)
#include <windows.h>

static_assert(kSkinDtLeft == DT_LEFT && kSkinDtTop == DT_TOP && kSkinDtCenter == DT_CENTER &&
              kSkinDtRight == DT_RIGHT && kSkinDtVCenter == DT_VCENTER && kSkinDtBottom == DT_BOTTOM &&
              kSkinDtWordBreak == DT_WORDBREAK && kSkinDtSingleLine == DT_SINGLELINE &&
              kSkinDtCalcRect == DT_CALCRECT && kSkinDtNoPrefix == DT_NOPREFIX &&
              kSkinDtEditControl == DT_EDITCONTROL && kSkinDtEndEllipsis == DT_END_ELLIPSIS);
static_assert(kSkinWsCaption == WS_CAPTION && kSkinWsBorder == WS_BORDER && kSkinWsDlgFrame == WS_DLGFRAME &&
              kSkinWsVScroll == WS_VSCROLL && kSkinWsHScroll == WS_HSCROLL && kSkinWsThickFrame == WS_THICKFRAME &&
              kSkinDsModalFrame == DS_MODALFRAME && kSkinWsExToolWindow == WS_EX_TOOLWINDOW &&
              kSkinWsExWindowEdge == WS_EX_WINDOWEDGE && kSkinWsExClientEdge == WS_EX_CLIENTEDGE &&
              kSkinWsExLeftScrollBar == WS_EX_LEFTSCROLLBAR && kSkinWsExStaticEdge == WS_EX_STATICEDGE);
static_assert(kSkinSsTypeMask == SS_TYPEMASK && kSkinSsCenter == SS_CENTER && kSkinSsRight == SS_RIGHT &&
              kSkinSsCenterImage == SS_CENTERIMAGE);
static_assert(kSkinBsLeftText == BS_LEFTTEXT && kSkinBsLeft == BS_LEFT && kSkinBsRight == BS_RIGHT &&
              kSkinBsCenter == BS_CENTER && kSkinBstChecked == BST_CHECKED &&
              kSkinBstIndeterminate == BST_INDETERMINATE);
static_assert(kSkinHtNowhere == HTNOWHERE && kSkinHtClient == HTCLIENT && kSkinHtCaption == HTCAPTION &&
              kSkinHtSysMenu == HTSYSMENU && kSkinHtMinButton == HTMINBUTTON && kSkinHtMaxButton == HTMAXBUTTON &&
              kSkinHtLeft == HTLEFT && kSkinHtRight == HTRIGHT && kSkinHtTop == HTTOP && kSkinHtTopLeft == HTTOPLEFT &&
              kSkinHtTopRight == HTTOPRIGHT && kSkinHtBottom == HTBOTTOM && kSkinHtBottomLeft == HTBOTTOMLEFT &&
              kSkinHtBottomRight == HTBOTTOMRIGHT && kSkinHtClose == HTCLOSE && kSkinHtHelp == HTHELP);
static_assert(kSkinSysColorBackground == COLOR_BACKGROUND && kSkinSysColorBtnFace == COLOR_BTNFACE &&
              kSkinSysColorGrayText == COLOR_GRAYTEXT);
static_assert(kSkinPenSolid == PS_SOLID && kSkinPenDash == PS_DASH && kSkinPenDot == PS_DOT &&
              kSkinPenDashDot == PS_DASHDOT && kSkinPenDashDotDot == PS_DASHDOTDOT);
static_assert(kSkinSbHorz == SB_HORZ && kSkinSbVert == SB_VERT && kSkinSbCtl == SB_CTL && kSkinSbBoth == SB_BOTH);
static_assert(kSkinSifRange == SIF_RANGE && kSkinSifPage == SIF_PAGE && kSkinSifPos == SIF_POS &&
              kSkinSifDisableNoScroll == SIF_DISABLENOSCROLL && kSkinSifTrackPos == SIF_TRACKPOS);
static_assert(kSkinBmpRgb == BI_RGB && kSkinBmpRle8 == BI_RLE8 && kSkinBmpRle4 == BI_RLE4 &&
              kSkinBmpBitfields == BI_BITFIELDS);
#endif
