/* Resource and control ids of the control gallery, shared by gallery.rc, the
   gallery's code and its tests (plain defines: the resource compiler reads
   this too). Which skin id each control asks for is in gallery_controls.h. */
#pragma once

#define IDD_GALLERY 100
/* The two themes: skin packages in resource type "DATA". */
#define IDR_THEME_SHOWCASE 129
#define IDR_THEME_TEST 130

/* Bars along the top and the bottom. The rebar's band children are moved
   into the rebar: find them with GetDlgItem(rebar, id). */
#define IDC_GALLERY_TOOLBAR 1001
#define IDC_GALLERY_REBAR 1002
#define IDC_GALLERY_REBAR_EDIT 1003
#define IDC_GALLERY_REBAR_COMBO 1004
#define IDC_GALLERY_STATUSBAR 1005

/* Buttons. */
#define IDC_GALLERY_PUSH 1010
#define IDC_GALLERY_PUSH_DEFAULT 1011
#define IDC_GALLERY_PUSH_DISABLED 1012

/* Check boxes, in a group box. */
#define IDC_GALLERY_CHECK_GROUP 1020
#define IDC_GALLERY_CHECK_UNCHECKED 1021
#define IDC_GALLERY_CHECK_CHECKED 1022
#define IDC_GALLERY_CHECK_INDETERMINATE 1023
#define IDC_GALLERY_CHECK_DISABLED 1024
#define IDC_GALLERY_CHECK_DISABLED_CHECKED 1025
#define IDC_GALLERY_CHECK_LEFTTEXT 1026

/* Auto radio buttons, one group, in a group box with a centred caption. */
#define IDC_GALLERY_RADIO_GROUP 1030
#define IDC_GALLERY_RADIO_FIRST 1031
#define IDC_GALLERY_RADIO_SECOND 1032
#define IDC_GALLERY_RADIO_LEFTTEXT 1033
#define IDC_GALLERY_RADIO_DISABLED 1034

#define IDC_GALLERY_STATIC 1040

/* Text input. */
#define IDC_GALLERY_EDIT 1050
#define IDC_GALLERY_EDIT_MULTI 1051
#define IDC_GALLERY_RICHEDIT 1052
#define IDC_GALLERY_COMBO 1053
#define IDC_GALLERY_SPIN_BUDDY 1054
#define IDC_GALLERY_SPIN 1055
#define IDC_GALLERY_IPADDRESS 1056
#define IDC_GALLERY_HOTKEY 1057
#define IDC_GALLERY_DATETIME 1058

/* Lists. The list view's header: ListView_GetHeader. */
#define IDC_GALLERY_LISTBOX 1060
#define IDC_GALLERY_TREE 1061
#define IDC_GALLERY_LISTVIEW 1062

/* Ranges and pages. */
#define IDC_GALLERY_TAB 1070
#define IDC_GALLERY_PROGRESS 1071
#define IDC_GALLERY_SLIDER 1072
#define IDC_GALLERY_SCROLL_HORZ 1073
#define IDC_GALLERY_SCROLL_VERT 1074
