#pragma once

// Dialog templates and their controls. Controls keep the names the code gives them.
#define IDD_INPUTBOX 300
#define IDC_INPUT_PROMPT 301 // the prompt above the edit
#define IDC_INPUT_VALUE 302  // the entered text

#define IDD_IMPORTFRAME 310
#define IDC_URLLIST 311        // URLList
#define IDC_IMPORT_MESSAGE 312 // MessageLabel

#define IDD_IMPORT 320
#define IDC_IMPORT_LABEL 321 // Label1
#define IDC_IMPORT_PLACE 322 // where ImportFrame sits

#define IDD_SITECOLLECTIONS 330
#define IDC_SITE_COLLECTIONS 331 // Collections
#define IDC_ADD_COLLECTION 332   // btnAddCollection

#define IDD_EDITSITEFRAME 340
#define IDC_SITE_NAME 341     // edtSiteName
#define IDC_OPEN_URL 342      // edtOpenURL
#define IDC_SEARCH_URL 343    // edtSearchURL
#define IDC_SITE_CATEGORY 344 // cbxCategory

#define IDD_EDITTARGET 350
#define IDC_PNL_MAIN 351               // pnlMain
#define IDC_EDT_NAME 352               // edtName
#define IDC_EDT_OPEN_REQUEST 353       // edtOpenRequest
#define IDC_EDT_SEARCH_REQUEST 354     // edtSearchRequest
#define IDC_CBX_CATEGORY 355           // cbxCategory
#define IDC_IMPORT_OPEN_URL 356        // btnImportOpenURL
#define IDC_IMPORT_SEARCH_URL 357      // btnImportSearchURL
#define IDC_SHOW_HELPERS 358           // btnShowHelpers
#define IDC_PNL_HELPERS 359            // pnlHelpers
#define IDC_COLLECTIONS_LABEL 360      // "Collec&tions:"
#define IDC_SITE_COLLECTIONS_PLACE 361 // where frmSiteCollections sits
#define IDC_NAME_LABEL 362
#define IDC_OPEN_LABEL 363
#define IDC_SEARCH_LABEL_EDIT 364
#define IDC_CATEGORY_LABEL 365
#define IDC_BTN_HELP 366 // btnHelp

// The page host's tab control, for dialogs made of pages.
#define IDC_PAGES 399

// TAddSiteWizard and its pages; the pages sit in the hidden-tab page host IDC_PAGES.
#define IDD_ADDSITEWIZARD 500
#define IDC_WIZARD_CAPTION 501     // lblCaption
#define IDC_WIZARD_HINT 502        // lblHint
#define IDC_WIZARD_BACK 503        // btnBack; btnNext is IDOK, btnCancel IDCANCEL
#define IDC_WIZARD_BEVEL 504       // the line above the buttons
#define IDD_WIZARD_OPENURL 505     // OpenURLPage
#define IDD_WIZARD_SEARCHURL 506   // SearchURLPage
#define IDD_WIZARD_EDITSITE 507    // EditSitePage
#define IDD_WIZARD_COLLECTIONS 508 // CollectionsPage
#define IDC_WIZARD_FRAME_PLACE 509 // where a page's frame sits
#define IDC_MANUAL_OPEN_DATA 510   // chbManualOpenData
#define IDC_MANUAL_SEARCH_DATA 511 // chbManualSearchData
