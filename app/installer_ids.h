/* Resource and control ids of the installer, shared by res/installer.rc, the
   code and the tests (plain defines: the resource compiler reads this too). */
#pragma once

/* The program's icon: the lowest icon id, so Explorer shows it for the file. */
#define IDI_TOVANE 1
#define IDD_FORM_MAIN 106
#define IDR_SKIN_PACKAGE 129

#define IDC_STATUS_BUTTON 1003
#define IDC_CLOSE_BUTTON 1004
#define IDC_FOOTER_TEXT 1005
#define IDC_MINIMISE_BUTTON 1006
#define IDC_HOME_LINK 1007
#define IDC_FORUM_LINK 1009

/* Where template 106 puts its controls, in dialog units (x, y, width,
   height): the .rc places them at the system's DPI from these, and the
   window lays them out from the same boxes at other DPIs. */
#define IDC_STATUS_BUTTON_BOX 35, 53, 208, 22
#define IDC_CLOSE_BUTTON_BOX 250, 0, 29, 14
#define IDC_FOOTER_TEXT_BOX 7, 121, 272, 8
#define IDC_MINIMISE_BUTTON_BOX 221, 0, 28, 14
#define IDC_FORUM_LINK_BOX 168, 4, 29, 8
#define IDC_HOME_LINK_BOX 134, 4, 26, 8
