#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "AsciiCollation.h"
#include "FakeBrowserInfo.h"
#include "FakeKeyValueStore.h"
#include "MemoryCatalogue.h"
#include "RecordingMessageBoxes.h"
#include "RecordingOpener.h"
#include "WideCaseCollation.h"
#include "settings/Autorun.h"
#include "settings/PersistentUI.h"
#include "settings/Settings.h"
#include "settings/SettingsService.h"
#include "support/AnsiCodePage.h"
#include "support/OwnerStack.h"
#include "ui/win32/AppServices.h"

namespace tsy::fakes {

// The program's shared services over fakes, assembled as the program assembles its own: an
// in-memory catalogue, a fake registry and browsers, message boxes recorded and help requests
// kept by keyword. The instance is the test program's, which carries the dialog templates.
struct TFakeAppServices {
    TFakeAppServices()
        : collections(collation), categories(collation),
          service(registry, catalogue, browsers, boxes, settings),
          autorun(registry, "C:\\Tessaly\\Tessaly.exe"), owners(TWindowHandle(GetDesktopWindow())) {
        services.ShowHelp = [this](HWND, const std::string& keyword) { help.push_back(keyword); };
    }

    AsciiCollation collation;
    WideCaseCollation wideCollation;
    TAnsiCodePage codePage;
    TTargets targets;
    TCollections collections;
    TCategories categories;
    TMemoryCatalogue catalogue{targets, collections, categories};
    FakeKeyValueStore registry;
    FakeBrowserInfo browsers;
    RecordingMessageBoxes boxes;
    TAppSettings settings;
    TSettingsService service;
    TAutorun autorun;
    TOwnerStack owners;
    TPersistentUI layouts{registry};
    TRecordingOpener opener;
    std::vector<std::string> help;
    win32::TAppServices services{GetModuleHandleA(nullptr),
                                 owners,
                                 layouts,
                                 boxes,
                                 targets,
                                 collections,
                                 categories,
                                 collation,
                                 codePage,
                                 wideCollation,
                                 settings,
                                 service,
                                 autorun,
                                 registry,
                                 false,
                                 browsers,
                                 opener};
};

} // namespace tsy::fakes
