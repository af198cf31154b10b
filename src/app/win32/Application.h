#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/Explore.h"
#include "app/win32/FrmMain.h"
#include "browsers/BrowserDetection.h"
#include "browsers/OpenUrls.h"
#include "browsers/win32/BrowserPlatform.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/win32/DataPaths.h"
#include "settings/Autorun.h"
#include "settings/PersistentUI.h"
#include "settings/PortableStore.h"
#include "settings/Settings.h"
#include "settings/SettingsService.h"
#include "support/OwnerStack.h"
#include "support/StdRandom.h"
#include "support/VersionInfo.h"
#include "support/win32/ComPtr.h"
#include "support/win32/DebugOutput.h"
#include "support/win32/HtmlHelp.h"
#include "support/win32/RegistryStore.h"
#include "support/win32/SystemClock.h"
#include "support/win32/SystemCodePage.h"
#include "support/win32/SystemCollation.h"
#include "support/win32/Win32FileSystem.h"
#include "support/win32/Win32MessageBoxes.h"
#include "ui/win32/FrmSlider.h"

namespace tsy::win32 {

// How this copy runs: installed (data in the user's profile, options in the registry) or
// portable (both in the data folder beside the executable).
struct TRunMode {
    bool Portable = false;
    std::string ProgramFolder; // with a trailing separator
    std::string MutexName;
};

// The mode of the executable at that path: portable when the marker file stands beside it.
TRunMode RunModeFor(const std::string& executablePath);

// The process-wide objects, from module initialisation to exit, in the order
// they are prepared: message-box owners and the switch message, the data paths
// and their seeding (and the removal of temporary files killed saves left), the
// catalogue containers, the layout store, the help viewer. The default browser
// becomes the Browser default at the first settings load, when no choice is stored.
class TApplication {
public:
    TApplication(HINSTANCE instance, std::string executablePath, TRunMode mode = {});
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;
    ~TApplication();

    UINT SwitchToWindowMessage() const noexcept { return switchToWindow_; }
    TAppSettings& Settings() noexcept { return settings_; }

    // Creates the main window and runs the message loop until it is destroyed.
    int Run(const TCommandLineSwitches& switches);

private:
    // The slider window exists exactly while slider mode is on; at most one.
    void ApplySlider(bool enabled);

    HINSTANCE instance_;
    // Entered on the first use of COM (Internet Explorer, the open pages, help), not at start;
    // left after every object that uses it is gone.
    TComOnDemand com_;
    TOwnerStack owners_;
    TWin32MessageBoxes boxes_;
    UINT switchToWindow_;
    TRegistryStore registry_;
    TWin32FileSystem files_;
    TSystemCollation collation_;
    TSystemWideCollation wideCollation_;
    TSystemCodePage codePage_;
    TSystemClock clock_;
    TStdRandom random_;
    TDebugOutput debug_;
    TFileVersionReader versions_;
    TShellProtocolAssociation associations_;
    TBrowserDriver driver_;
    TBrowserDetection browsers_;
    TRunMode mode_;
    TDataPaths paths_;
    // A portable copy tries its data folder once; one that cannot write it keeps its changes
    // for the run.
    bool writable_;
    TWritesDropped unwritable_;
    IFileSystem& dataFiles_;
    std::unique_ptr<TPortableStore> portableOptions_;
    // Where the options, layouts and history go: the registry, or a portable copy's file.
    IKeyValueStore& options_;
    TAppSettings settings_;
    TTargets targets_;
    TCollections collections_;
    TCategories categories_;
    TCatalogueFiles catalogue_;
    TSettingsService service_;
    TAutorun autorun_;
    TPersistentUI layouts_;
    TUrlOpener opener_;
    TExplorer explorer_;
    THtmlHelp help_;
    TAppServices services_;
    TSliderMessages sliderMessages_;
    // Read once, before any window exists.
    TVersionInfo version_;
    std::unique_ptr<TSliderForm> slider_;
};

// The whole run: single-instance check, hand-over or application; returns the exit code.
int RunTessaly(HINSTANCE instance, const char* commandLine);

} // namespace tsy::win32
