#pragma once

#include <windows.h>

#include "app/win32/FrmMain.h"
#include "browsers/win32/OpenPagesPlatform.h"
#include "support/VersionInfo.h"
#include "ui/win32/FrmSettings.h"

namespace tsy::win32 {

// The dialogs the main window opens, made with the application's objects.
class TAppDialogs : public IMainFormDialogs {
public:
    TAppDialogs(const TAppServices& services, const TVersionInfo& version, TComOnDemand& com);

    bool ShowSettings(HWND mainWindow, int startPage, std::function<void()> clearSearchHistory) override;
    void ShowAbout(HWND owner) override;

private:
    TSettingsContext context_;
    const TVersionInfo& version_;
    TOpenPagesPlatform pages_;
};

} // namespace tsy::win32
