#pragma once

// The about box and the update dialog. Controls keep the names the code gives them.
#define IDD_ABOUT 600
#define IDC_ABOUT_ICON 601     // the product icon
#define IDC_APPINFO2 602       // AppInfoLabel2, the product name
#define IDC_APPINFO1 603       // AppInfoLabel1, the version line
#define IDC_SPONSOR_TEXT 604   // the maker's notice before the link
#define IDC_URL_SPONSOR 605    // urlSponsor
#define IDC_SPONSOR_END 606    // the notice after the link
#define IDC_DEVELOPER_TEXT 607 // "Developed by"
#define IDC_URL_DEVELOPER 608  // urlDeveloper
#define IDC_DEVELOPER_END 609  // the closing words of that line
#define IDC_WEBSITE_TEXT 610   // "Download the latest version at "
#define IDC_URL_WEBSITE 611    // urlWebsite
#define IDC_ABOUT_LINE 612     // the separator

#define IDD_AUTOUPDATE 620
#define IDC_UPD_MESSAGE 621      // txtMessage
#define IDC_UPD_DETAILS 622      // txtDetails
#define IDC_UPD_SHOW_DETAILS 623 // btnShowDetails
#define IDC_UPD_OPEN_SITE 624    // btnOpenSite
#define IDC_UPD_DOWNLOAD 625     // btnDownload
#define IDC_UPD_DESCRIPTION 626  // redDescription, in pnlDetails
