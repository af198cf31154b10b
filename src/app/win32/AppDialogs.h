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
    TAppDialogs(TSettingsContext context, const TVersionInfo& version);

    // The window whose search history the settings dialog may clear.
    void SetMainForm(TMainForm* form) noexcept { form_ = form; }

    bool ShowSettings(HWND owner, int startPage) override;
    void ShowAbout(HWND owner) override;

private:
    TSettingsContext context_;
    const TVersionInfo& version_;
    OpenPagesPlatform pages_;
    TMainForm* form_ = nullptr;
};

} // namespace tsy::win32
