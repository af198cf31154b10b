#pragma once

// The about box and the update dialog. Controls keep the names the code gives them.
#define IDD_ABOUT 400
#define IDC_ABOUT_ICON 401        // the product icon
#define IDC_APPINFO2 402          // AppInfoLabel2, the product name
#define IDC_APPINFO1 403          // AppInfoLabel1, the version line
#define IDC_SPONSOR_TEXT 404      // the maker's notice before the link
#define IDC_URL_SPONSOR 405       // urlSponsor
#define IDC_SPONSOR_END 406       // the notice after the link
#define IDC_DEVELOPER_TEXT 407    // "Developed by"
#define IDC_URL_DEVELOPER 408     // urlDeveloper
#define IDC_DEVELOPER_END 409     // the closing words of that line
#define IDC_WEBSITE_TEXT 410      // "Download the latest version at "
#define IDC_URL_WEBSITE 411       // urlWebsite
#define IDC_ABOUT_LINE 412        // the separator
#define IDC_ABOUT_HELP 413        // btnHelp

#define IDD_AUTOUPDATE 420
#define IDC_UPD_MESSAGE 421      // txtMessage
#define IDC_UPD_DETAILS 422      // txtDetails
#define IDC_UPD_SHOW_DETAILS 423 // btnShowDetails
#define IDC_UPD_OPEN_SITE 424    // btnOpenSite
#define IDC_UPD_DOWNLOAD 425     // btnDownload
#define IDC_UPD_DESCRIPTION 426  // redDescription, in pnlDetails
