#pragma once

#define IDI_MAINICON 1

// Images of the banner panel (RCDATA, JPEG).
#define IDR_BANNER 101
#define IDR_BANNER_BACK 102
// The slider's logo (RCDATA, JPEG).
#define IDR_LOGO 103

// Controls of the main window; kept stable for programs that drive the window from outside.
#define IDC_SEARCH 1001       // mruSearch, the editable search history box
#define IDC_EXPLORE 1002      // btnExplore, "&Explore"
#define IDC_BANNER 1003       // pnlBanner
#define IDC_SETTINGS 1004     // btnSettings, "&Customize"
#define IDC_ABOUT 1005        // btnAbout, "&About"
#define IDC_COLLECTIONS 1006  // cbxCollections, the drop-down list
#define IDC_LOOKIN_LABEL 1007 // Label1, "&Look in:"
#define IDC_SEARCH_LABEL 1008 // lblSearch, "&Search for:"

// Tray menu items.
#define IDM_TRAY_TOGGLE 2001 // mniToggle, "S&how Tessaly"
#define IDM_TRAY_EXIT 2002   // mniExit, "E&xit"
#include "dialogs.h"
