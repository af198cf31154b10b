#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/win32/FrmSettings.h"

namespace tsy {
class TOwnerStack;
class TPersistentUI;
class IMessageBoxes;
} // namespace tsy

namespace tsy::win32 {

// The services the program's windows and dialogs share, one of each for the whole run: the
// main window works with them, and the dialogs' contexts are assembled from them here alone.
struct TAppServices {
    HINSTANCE Instance;
    TOwnerStack& Owners;
    TPersistentUI& Layouts;
    IMessageBoxes& Boxes;
    TTargets& Targets;
    TCollections& Collections;
    TCategories& Categories;
    const ICollation& Collation;
    const ICodePage& CodePage;
    // The search box's and the keyword rules' comparison.
    const IWideCollation& WideCollation;
    TAppSettings& Settings;
    TSettingsService& Service;
    TAutorun& Autorun;
    // Where the options, layouts and history go: the registry, or a portable copy's file.
    IKeyValueStore& Options;
    bool Portable;
    IBrowserInfo& Browsers;
    IUrlOpener& Opener;
    // Opens a help topic by keyword; F1 and the Help buttons come here. Unset, there is no help.
    std::function<void(HWND owner, const std::string& keyword)> ShowHelp = {};

    TEditorContext Editor() const;
    // Without the main window's parts, which come with each opening.
    TSettingsContext SettingsContext() const;
};

} // namespace tsy::win32
