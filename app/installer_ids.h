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
