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
#define IDC_CBX_CHARSET 367 // cbxCharset
#define IDC_CHARSET_LABEL 368
#define IDC_EDT_KEYWORD 369 // edtKeyword
#define IDC_KEYWORD_LABEL 370

// The page host's tab control, for dialogs made of pages.
#define IDC_PAGES 399

// TSettingsForm and its pages.
#define IDD_SETTINGS 400
#define IDC_ADD_SITE_WIZARD 401 // btnAddSiteWizard

#define IDD_SET_COLLECTIONS 410
#define IDC_COLLECTIONS_LIST 411          // Collections
#define IDC_COLLECTION_TARGETS 412        // CollectionTargets
#define IDC_ADD_COLLECTION_BTN 413        // btnAddCollection
#define IDC_RENAME_COLLECTION 414         // btnRenameCollection
#define IDC_DELETE_COLLECTION 415         // btnDeleteCollection
#define IDC_PREVIEW_COLLECTION_TARGET 416 // btnPreviewCollectionTarget
#define IDC_FILTER 417                    // cbFilter
#define IDC_FILTER_LABEL 418
#define IDC_MANAGE_COLLECTIONS 419
#define IDC_COLLECTION_KEYWORD 403 // edtCollectionKeyword
#define IDC_COLLECTION_KEYWORD_LABEL 404
#define IDC_SET_COLLECTION_KEYWORD 405 // btnSetCollectionKeyword

#define IDD_SET_ORDER 420
#define IDC_ACTIVE_COLLECTIONS 421    // ActiveCollections
#define IDC_ACTIVE_TARGETS 422        // ActiveTargets
#define IDC_MOVE_UP 423               // btnMoveUp
#define IDC_MOVE_DOWN 424             // btnMoveDown
#define IDC_PREVIEW_ACTIVE_TARGET 425 // btnPreviewActiveTarget
#define IDC_RANDOMIZE 426             // chkRandomize
#define IDC_SITE_ORDER 427

#define IDD_SET_SITES 430
#define IDC_TARGETS 431        // Targets
#define IDC_ADD_TARGET 432     // btnAddTarget
#define IDC_EDIT_TARGET 433    // btnEditTarget
#define IDC_DELETE_TARGET 434  // btnDeleteTarget
#define IDC_PREVIEW_TARGET 435 // btnPreviewTarget
#define IDC_MANAGE_SITES 436
#define IDC_IMPORT_ENGINES 437 // btnImportEngines

#define IDD_SET_CATEGORIES 440
#define IDC_CATEGORIES 441      // Categories
#define IDC_ADD_CATEGORY 442    // btnAddCategory
#define IDC_RENAME_CATEGORY 443 // btnRenameCategory
#define IDC_DELETE_CATEGORY 444 // btnDeleteCategory
#define IDC_MANAGE_CATEGORIES 445

#define IDD_SET_ADVANCED 450
#define IDC_PREFERRED_BROWSER 451 // cbxPreferredBrowser
#define IDC_AUTO_COMPLETE 452     // chkAutoComplete
#define IDC_AUTO_CLOSE 453        // chkAutoClose
#define IDC_ALWAYS_ON_TOP 454     // chkAlwaysOnTop
#define IDC_NUMBER_OF_ITEMS 455   // chkNumberOfItems
#define IDC_USE_HOTKEY 456        // chkUseHotkey
#define IDC_HOTKEY 457            // HotKey
#define IDC_MINIMIZE_TO_TRAY 458  // chkMinimizeToTray
#define IDC_MINIMIZE_ON_CLOSE 459 // chkMinimizeOnClose
#define IDC_AUTORUN 460           // chkAutoRun
#define IDC_USE_SLIDER 461        // chkUseSlider
#define IDC_CLEAR_HISTORY 462     // btnClearHistory
#define IDC_AUTO_UPDATE 463       // chkAutoUpdate
#define IDC_CHECK_NOW 464         // btnAutoUpdate
#define IDC_UPDATES_GROUP 465
#define IDC_BROWSER_LABEL 466
#define IDC_BROWSER_GROUP 467
#define IDC_INTERFACE_GROUP 468
#define IDC_QUICK_ACCESS_GROUP 469
#define IDC_HOTKEY_HINT 470

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
#define IDC_WIZARD_KEYWORD 512     // edtKeyword of the collections page
#define IDC_WIZARD_KEYWORD_LABEL 513

// TImportEnginesForm: the search engines of the installed browsers, to be added as sites.
#define IDD_IMPORTENGINES 520
#define IDC_ENGINES 521           // Engines
#define IDC_ENGINE_COLLECTION 522 // cbxCollection
#define IDC_ENGINE_CATEGORY 523   // cbxCategory
#define IDC_ENGINE_COLLECTION_LABEL 524
#define IDC_ENGINE_CATEGORY_LABEL 525
